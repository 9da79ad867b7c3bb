// device.ini of the virtual device: any text gives a device or a message
// naming a line, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/core/DeviceIni.h"
#include "sim/core/DeviceSetup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto ini = audio77::sim::DeviceIni::Parse(text, error);
  const bool built = ini && audio77::sim::DeviceSetup::FromIni(*ini, error);
  // A refused file always names the line at fault.
  if (!built && error.rfind("device.ini line ", 0) != 0) __builtin_trap();
  return 0;
}
