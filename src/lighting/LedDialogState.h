#pragma once
// What the LED dialog's controls write and its command worker reads: the
// current effect (the Tag of the last effect button used), the speed of each
// effect Tag 3..7, the LED number and the controller family. All atomic.

#include <array>
#include <atomic>
#include <cstdint>

namespace audio77 {

struct LedDialogState {
  static constexpr int kFirstSpeedTag = 3;
  static constexpr int kLastSpeedTag = 7;

  std::atomic<int> current_effect{1};
  std::atomic<int> led_number{0};  // 0 all, 1, 2
  std::atomic<bool> master{true};
  std::array<std::atomic<std::uint8_t>, kLastSpeedTag + 1> speeds{};

  LedDialogState() {
    for (auto& speed : speeds) speed.store(1);
  }
  static bool HasSpeed(int tag) { return tag >= kFirstSpeedTag && tag <= kLastSpeedTag; }
  // The value sent with a mode: the effect's speed for Tags 3..7, else 0.
  std::uint8_t ValueOf(int effect) const {
    return HasSpeed(effect) ? speeds[static_cast<std::size_t>(effect)].load() : 0;
  }
  void SetSpeed(int tag, std::uint8_t speed) {
    if (HasSpeed(tag)) speeds[static_cast<std::size_t>(tag)].store(speed);
  }
};

}  // namespace audio77
