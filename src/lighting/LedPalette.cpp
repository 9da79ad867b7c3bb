#include "lighting/LedPalette.h"

namespace audio77 {

toolkit::Color LedPalette::Colour(int slot) const {
  if (!IsSlot(slot)) return toolkit::kBlack;
  std::lock_guard lock(mutex_);
  return colours_[static_cast<std::size_t>(slot - 1)];
}

void LedPalette::SetColour(int slot, toolkit::Color colour) {
  if (!IsSlot(slot)) return;
  std::lock_guard lock(mutex_);
  colours_[static_cast<std::size_t>(slot - 1)] = colour & kColourMask;
}

LedPalette::Colours LedPalette::Snapshot() const {
  std::lock_guard lock(mutex_);
  return colours_;
}

void LedPalette::SetAll(const Colours& colours) {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < colours_.size(); ++i) colours_[i] = colours[i] & kColourMask;
}

}  // namespace audio77
