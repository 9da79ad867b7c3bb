#pragma once
// The speaker animations of the virtual 7.1 page: rotating the layout one
// degree a tick, narrowing or widening it one pixel a tick. The steps change
// the polar records and place the icons from them; the icons trail the
// records by one step, since an icon is placed with the angle before its step.

#include "features/SpeakerLayout.h"

namespace audio77 {

// The four animation switches; the dispatcher keeps at most one of them on.
struct AnimationLatches {
  int clockwise = 0;
  int counter_clockwise = 0;
  int narrow = 0;
  int enlarge = 0;

  bool AnyOn() const { return clockwise == 1 || counter_clockwise == 1 || narrow == 1 || enlarge == 1; }
  bool operator==(const AnimationLatches&) const = default;
};

class SpeakerAnimation {
 public:
  // One degree.
  static constexpr double kAngleStep = 0.0174532925;
  // Narrowing stops while any radius is below this; widening once any radius
  // reaches the other.
  static constexpr double kSmallestRadius = 10.0;
  static constexpr double kLargestRadius = 111.0;
  static constexpr double kRadiusStep = 1.0;

  // OrbitStep's directions: the angle grows, shrinks, or stays (any other).
  static constexpr int kAngleUp = 1;
  static constexpr int kAngleDown = 0;
  static constexpr int kNoStep = 2;

  // Places the icon on the circle at the record's angle and radius r, then
  // steps the record's angle by direction. The angle is kept in single
  // precision and never wrapped into 0 .. 2pi.
  static void OrbitStep(SpeakerPosition& icon, PolarRecord& record, double r, int direction,
                        const SpeakerCircle& circle);

  // One tick's motion for the first switch on, in the order clockwise,
  // counter-clockwise, narrow, enlarge; then, when any switch is on (also at a
  // limit where nothing moved), the icons are measured into the scratch
  // records. Returns whether a switch is on: the tick then sends the layout.
  static bool Step(const AnimationLatches& latches, SpeakerLayout& layout);

 private:
  static void Rotate(SpeakerLayout& layout, int direction);
  // Every radius changes by delta unless any radius is at_limit.
  template <typename AtLimit>
  static void Scale(SpeakerLayout& layout, double delta, AtLimit at_limit);
};

}  // namespace audio77
