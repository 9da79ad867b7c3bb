// Another process on a virtual device's state folder, for the record's tests.
// A fresh program rather than a fork of the test: a fork inherits locks that
// the test's other threads (the device's worker, the allocator) happened to
// hold, and the child could wait on them for ever.
//
//   audio77_state_record_child hid-write FOLDER      register 0x018A := 0x5A through HID reports
//   audio77_state_record_child killed-writer FOLDER  dies by SIGKILL in the middle of a change
#include <signal.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "sim/core/VirtualDevice.h"

namespace {

using audio77::sim::DeviceSetup;
using audio77::sim::DeviceState;
using audio77::sim::VirtualDevice;

int HidWrite(VirtualDevice& device) {
  const auto session = device.HidOpen(audio77::sim::kVirtualHidPath);
  if (!session) return 2;
  const std::vector<std::uint8_t> set_address{0, 0x60, 0x8A, 0x01, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  const std::vector<std::uint8_t> write_data{0, 0x60, 0x5A, 0x01, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  if (!device.HidOutput(*session, set_address) || !device.HidOutput(*session, write_data)) return 3;
  return 0;
}

int KilledWriter(VirtualDevice& device) {
  device.RunEntry("test", false, [](DeviceState& s, const DeviceSetup&) {
    s.registers[0x200] = 0x77;
    ::kill(::getpid(), SIGKILL);  // with the record's lock held
    return 0;
  }, {});
  return 4;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s hid-write|killed-writer FOLDER\n", argv[0]);
    return 64;
  }
  const std::string_view mode = argv[1];
  VirtualDevice device;
  device.UseStateFolder(argv[2]);
  if (mode == "hid-write") return HidWrite(device);
  if (mode == "killed-writer") return KilledWriter(device);
  return 64;
}
