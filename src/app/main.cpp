// audio77: the window instance ("-servicestart", "-serviceboot") and the two
// one-shot service requests.
#include <exception>
#include <iostream>

#include "platform/DebugFormat.h"
#include "wiring/ChoosePlatform.h"

int main() {
  try {
    auto host = audio77::CreatePlatform(audio77::PlatformKindFromEnvironment());
    audio77::DebugPrintf(host->Get().debug, "==> %s\n", "audio77");
  } catch (const std::exception& error) {
    std::cerr << "audio77: " << error.what() << '\n';
  }
  return 0;
}
