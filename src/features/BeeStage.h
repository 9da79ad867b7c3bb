#pragma once
// What the bee test moves and where it reads from: the bee picture, the eight
// speaker icons of the virtual 7.1 page with their orbit records, the
// circle placement step, and the placement sent to the device. The window
// (the virtual 7.1 feature) answers it.

#include "features/SpeakerLayout.h"

namespace audio77 {

// An icon's place on the speaker circle: the speaker's polar record (angle in
// radians, single precision, 0 pointing right and growing counter-clockwise;
// radius in pixels).
using Orbit = PolarRecord;
// An icon's left/top corner.
using IconPoint = SpeakerPosition;

class BeeStage {
 public:
  static constexpr int kBee = 0;
  static constexpr int kSpeakerCount = 8;  // the icons with Tags 39 to 46, in that order

  virtual ~BeeStage() = default;
  virtual void ShowBee(bool visible) = 0;
  // The circle's size from the skin.
  virtual int CircleSize() const = 0;
  // The speaker's orbit record (0 .. 7), which the virtual 7.1 page keeps.
  virtual Orbit& SpeakerOrbit(int speaker) = 0;
  // icon: kBee, or 1 + the speaker's number.
  virtual IconPoint Position(int icon) const = 0;
  virtual void Move(int icon, IconPoint to) = 0;
  // Places the icon on the circle from its record, then advances the record
  // by one degree in direction (0 clockwise on screen).
  virtual void OrbitStep(int icon, Orbit& record, double radius, int direction) = 0;
  // The icons' positions as the placement sent to the device, when one is active.
  virtual void SendPlacement() = 0;
};

}  // namespace audio77
