#pragma once
// What the virtual 7.1 page shows of the speaker layout: the eight speaker
// icons and the bee picture moved to a left/top corner, the area the icons
// may be dragged in, and the skin's speaker circle. The window answers it
// over its skin and controls.

#include <cstdint>

#include "features/SpeakerLayout.h"

namespace audio77 {

// A rectangle in window client pixels.
struct SpeakerBox {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

class SpeakerView {
 public:
  virtual ~SpeakerView() = default;
  // The skin's speaker circle ("VirtualCenter").
  virtual SpeakerCircle Circle() const = 0;
  // The picture the icons live in; a drag keeps them 10 pixels inside it.
  virtual SpeakerBox Area() const = 0;
  // The icon of a speaker (its place in the speaker order).
  virtual SpeakerBox Icon(int speaker) const = 0;
  virtual void MoveSpeaker(int speaker, SpeakerPosition to) = 0;
  virtual void ShowBee(bool visible) = 0;
  virtual void MoveBee(SpeakerPosition to) = 0;
};

}  // namespace audio77
