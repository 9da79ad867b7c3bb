// The tests in this folder talk to emulated devices: the process has to run
// with libumockdev-preload, which redirects /sys and /dev into the testbed.
// Started without it, the program starts itself again with it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr const char* kPreload = "libumockdev-preload.so.0";

void RestartUnderPreload(char** argv) {
  const char* old_preload = std::getenv("LD_PRELOAD");
  std::string preload = kPreload;
  if (old_preload && *old_preload) preload += std::string(":") + old_preload;
  setenv("LD_PRELOAD", preload.c_str(), 1);
  // The sanitizer runtime then no longer comes first among the libraries.
  const char* old_options = std::getenv("ASAN_OPTIONS");
  std::string options =
      old_options && *old_options ? std::string(old_options) + ":" : std::string();
  setenv("ASAN_OPTIONS", (options + "verify_asan_link_order=0").c_str(), 1);
  execv("/proc/self/exe", argv);
}

bool PreloadActive() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // umockdev_in_mock_environment() only answers once a testbed exists.
  if (!PreloadActive()) {
    RestartUnderPreload(argv);
    std::fprintf(stderr, "cannot start again under %s\n", kPreload);
    return 127;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
