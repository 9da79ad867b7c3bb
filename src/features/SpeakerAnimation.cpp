#include "features/SpeakerAnimation.h"

#include <algorithm>
#include <cmath>

namespace audio77 {

void SpeakerAnimation::OrbitStep(SpeakerPosition& icon, PolarRecord& record, double r, int direction,
                                 const SpeakerCircle& circle) {
  const double angle = record.angle;
  icon.left = SpeakerLayout::Truncate(circle.center_x + std::cos(angle) * r);
  icon.top = SpeakerLayout::Truncate(circle.center_y - std::sin(angle) * r);
  if (direction == kAngleUp) {
    record.angle = static_cast<float>(angle + kAngleStep);
  } else if (direction == kAngleDown) {
    record.angle = static_cast<float>(angle - kAngleStep);
  }
}

void SpeakerAnimation::Rotate(SpeakerLayout& layout, int direction) {
  for (int i = 0; i < kSpeakerCount; ++i) {
    PolarRecord& record = layout.Record(i);
    OrbitStep(layout.Icon(i), record, record.radius, direction, layout.Circle());
  }
}

template <typename AtLimit>
void SpeakerAnimation::Scale(SpeakerLayout& layout, double delta, AtLimit at_limit) {
  const PolarRecords& records = layout.Records();
  if (std::any_of(records.begin(), records.end(), [&](const PolarRecord& r) { return at_limit(r.radius); })) return;
  for (int i = 0; i < kSpeakerCount; ++i) {
    PolarRecord& record = layout.Record(i);
    record.radius += delta;
    OrbitStep(layout.Icon(i), record, record.radius, kNoStep, layout.Circle());
  }
}

bool SpeakerAnimation::Step(const AnimationLatches& latches, SpeakerLayout& layout) {
  if (latches.clockwise == 1) {
    Rotate(layout, kAngleUp);
  } else if (latches.counter_clockwise == 1) {
    Rotate(layout, kAngleDown);
  } else if (latches.narrow == 1) {
    Scale(layout, -kRadiusStep, [](double radius) { return radius < kSmallestRadius; });
  } else if (latches.enlarge == 1) {
    Scale(layout, kRadiusStep, [](double radius) { return radius >= kLargestRadius; });
  } else {
    return false;
  }
  layout.MeasureSpeakers(SpeakerLayout::Target::kScratch);
  return true;
}

}  // namespace audio77
