#pragma once
// The seven effect colours of the LED page, shared by the UI thread (which
// edits them) and the effect worker (which sends them). The table is copied
// under a lock, and "colours pending" is taken with an atomic exchange, so of
// the two sides that may send the table exactly one does.

#include <array>
#include <atomic>
#include <mutex>

#include "toolkit/Color.h"

namespace audio77 {

class LedPalette {
 public:
  static constexpr int kSlots = 7;
  using Colours = std::array<toolkit::Color, kSlots>;
  // Red, aqua, yellow, white, lime, blue, fuchsia.
  static constexpr Colours kFixed = {0x0000FF, 0xFFFF00, 0x00FFFF, 0xFFFFFF, 0x00FF00, 0xFF0000, 0xFF00FF};
  static constexpr toolkit::Color kColourMask = 0xFFFFFF;

  // The fixed colours, pending.
  LedPalette() = default;

  static bool IsSlot(int slot) { return slot >= 1 && slot <= kSlots; }
  // Slot 1..7; black for any other.
  toolkit::Color Colour(int slot) const;
  // Slot 1..7 (others are ignored); the unused top byte is dropped.
  void SetColour(int slot, toolkit::Color colour);
  Colours Snapshot() const;
  void SetAll(const Colours& colours);

  // The table has to be sent (again).
  void MarkPending() { pending_.store(true); }
  bool Pending() const { return pending_.load(); }
  // True for exactly one caller after each MarkPending: that caller sends.
  bool TakePending() { return pending_.exchange(false); }

 private:
  mutable std::mutex mutex_;
  Colours colours_ = kFixed;
  std::atomic<bool> pending_{true};
};

}  // namespace audio77
