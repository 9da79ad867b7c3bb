// Two device objects on one state folder, standing for two processes, change
// the device at once: the record's lock loses no update, and every plug of
// one reaches the other's listener.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "SimFixture.h"
#include "sim/core/DeviceSubscription.h"

namespace audio77::sim {
namespace {

using TwoProcesses = SimFixture;

// Adds one to a 16-bit counter in the EEPROM, which a plug keeps.
void Increment(VirtualDevice& device) {
  device.RunEntry("count", false, [](DeviceState& s, const DeviceSetup&) {
    const int count = (s.slave50[0x10] | s.slave50[0x11] << 8) + 1;
    s.slave50[0x10] = static_cast<std::uint8_t>(count & 0xFF);
    s.slave50[0x11] = static_cast<std::uint8_t>(count >> 8);
    return 0;
  }, {});
}

TEST_F(TwoProcesses, ChangesOfBothKeepEveryUpdateAndEveryPlugIsSeen) {
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  std::mutex mutex;
  std::condition_variable seen_all;
  int notifications = 0;
  constexpr int kPlugCycles = 20;
  DeviceSubscription subscription(device(), [&](const DeviceNotification&) {
    std::lock_guard lock(mutex);
    ++notifications;
    seen_all.notify_all();
  });

  constexpr int kIncrements = 200;
  std::thread here([&] {
    for (int i = 0; i < kIncrements; ++i) Increment(device());
  });
  std::thread there([&] {
    for (int i = 0; i < kIncrements; ++i) Increment(other);
  });
  std::thread plugger([&] {
    for (int i = 0; i < kPlugCycles; ++i) {
      other.Unplug();
      other.Plug();
    }
  });
  here.join();
  there.join();
  plugger.join();

  const auto state = device().Snapshot();
  EXPECT_EQ(state.slave50[0x10] | state.slave50[0x11] << 8, 2 * kIncrements);
  std::unique_lock lock(mutex);
  EXPECT_TRUE(seen_all.wait_for(lock, std::chrono::seconds(10), [&] { return notifications >= 4 * kPlugCycles; }));
  EXPECT_EQ(notifications, 4 * kPlugCycles);
}

}  // namespace
}  // namespace audio77::sim
