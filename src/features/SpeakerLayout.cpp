#include "features/SpeakerLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "features/SpeakerAnimation.h"
#include "settings/CommaList.h"
#include "settings/IntegerText.h"

namespace audio77 {
namespace {

// The icon the configuration's "OldVersion" nudges before measuring.
constexpr SpeakerPosition kOldVersionSpot{664, 355};
constexpr SpeakerPosition kOldVersionNudged{665, 356};

double Squared(double value) { return value * value; }

}  // namespace

std::int32_t SpeakerLayout::Truncate(double value) {
  if (std::isnan(value)) return 0;
  constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
  if (value <= kLowest) return std::numeric_limits<std::int32_t>::min();
  if (value >= kHighest) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

SpeakerPositions SpeakerLayout::DefaultGeometry(const SpeakerCircle& circle) {
  const double cx = circle.center_x;
  const double cy = circle.center_y;
  const double h = circle.radius / 2;  // integer half, toward zero
  const double d = h * 1.6;
  const auto on_diagonal = [&](double turns) {
    return SpeakerPosition{Truncate(cx + std::cos(turns * kPi) * d), Truncate(cy - std::sin(turns * kPi) * d)};
  };
  SpeakerPositions p{};
  p[Index(Speaker::kC)] = {Truncate(cx), Truncate(cy - d)};
  p[Index(Speaker::kLS)] = {Truncate(cx - d), Truncate(cy)};
  p[Index(Speaker::kL)] = on_diagonal(0.75);
  p[Index(Speaker::kLB)] = on_diagonal(1.25);
  p[Index(Speaker::kRB)] = on_diagonal(1.75);
  p[Index(Speaker::kR)] = on_diagonal(0.25);
  p[Index(Speaker::kSub)] = {Truncate(cx), Truncate(cy - h)};
  p[Index(Speaker::kRS)] = {Truncate(cx + d), Truncate(cy)};
  return p;
}

std::optional<SpeakerPosition> SpeakerLayout::ParsePosition(std::string_view text) {
  std::array<std::string, 2> items;
  if (SplitCommaList(text, items) < 2) return std::nullopt;
  const auto left = TryStrToInt(items[0]);
  const auto top = TryStrToInt(items[1]);
  if (!left || !top) return std::nullopt;
  return SpeakerPosition{*left, *top};
}

SpeakerPosition SpeakerLayout::ClampToBox(SpeakerPosition position, const SpeakerCircle& circle) {
  // Done in 64 bits: a centre near the 32-bit limits must not overflow.
  const std::int64_t r = std::max<std::int32_t>(circle.radius, 0);
  const auto clamp = [r](std::int32_t value, std::int32_t centre) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::int64_t{centre} - r, std::int64_t{centre} + r));
  };
  return {clamp(position.left, circle.center_x), clamp(position.top, circle.center_y)};
}

void SpeakerLayout::LayoutSpeakers(const ProfilePositions& from_profile) {
  const SpeakerPositions geometry = DefaultGeometry(circle_);
  for (int i = 0; i < kSpeakerCount; ++i) {
    positions_[i] = from_profile[i] ? ClampToBox(*from_profile[i], circle_) : geometry[i];
  }
}

std::optional<PolarRecord> SpeakerLayout::Measure(SpeakerPosition& position) const {
  if (position.left == circle_.center_x && position.top == circle_.center_y) return std::nullopt;
  if (old_version_ && position == kOldVersionSpot) position = kOldVersionNudged;
  const double a = std::fabs(static_cast<double>(position.top) - circle_.center_y);
  const double b = std::fabs(static_cast<double>(position.left) - circle_.center_x);
  const bool below = position.top > circle_.center_y;
  const bool left_of = position.left < circle_.center_x;
  const double base = std::atan2(a, b);
  double angle = base;
  if (below && left_of) {
    angle = base + kPi;
  } else if (below) {
    angle = kTwoPi - base;
  } else if (left_of) {
    angle = kPi - base;
  }
  return PolarRecord{static_cast<float>(angle), std::sqrt(a * a + b * b)};
}

void SpeakerLayout::MeasureSpeakers(Target target) {
  PolarRecords scratch = records_;
  PolarRecords& records = target == Target::kMain ? records_ : scratch;
  for (int i = 0; i < kSpeakerCount; ++i) {
    const std::optional<PolarRecord> measured = Measure(positions_[i]);
    if (!measured) {
      // An icon on the centre itself: no direction to measure; the device
      // keeps the values it was given last for this speaker.
      records[i] = PolarRecord{};
      continue;
    }
    records[i] = *measured;
    library_[i] = {static_cast<float>(measured->radius), measured->angle};
  }
}

void SpeakerLayout::ReplaceOnCircle(const SpeakerCircle& circle, double ratio) {
  circle_ = circle;
  const double scale = std::isfinite(ratio) ? ratio : 1.0;
  for (int i = 0; i < kSpeakerCount; ++i) {
    SpeakerAnimation::OrbitStep(positions_[i], records_[i], records_[i].radius * scale,
                                SpeakerAnimation::kNoStep, circle_);
  }
}

void SpeakerLayout::Place(Speaker speaker, SpeakerPosition position) {
  positions_[Index(speaker)] = ClampToBox(position, circle_);
}

bool SpeakerLayout::InsideCircle(SpeakerPosition position) const {
  const double dx = static_cast<double>(position.left) - circle_.center_x;
  const double dy = static_cast<double>(position.top) - circle_.center_y;
  return Squared(dx) + Squared(dy) <= Squared(std::max(circle_.radius, 0));
}

}  // namespace audio77
