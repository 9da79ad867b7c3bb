#pragma once
// The eight speaker icons of the virtual 7.1 page: where each icon stands
// (its left/top corner in window pixels), its polar record around the speaker
// circle's centre, and the values last prepared for the device library. All
// arithmetic is plain and deterministic, so the whole layout is tested without
// a window.
//
// Positions that come from outside (profiles, drags) are kept inside the
// circle's bounding box, and every float-to-integer step is guarded: a skin
// may give a radius of 0 or less and a profile may hold any number.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace audio77 {

// The fixed order of every speaker table and of the placement block.
enum class Speaker : int { kL = 0, kR, kC, kSub, kLS, kRS, kLB, kRB };
inline constexpr int kSpeakerCount = 8;

struct SpeakerPosition {
  std::int32_t left = 0;
  std::int32_t top = 0;
  bool operator==(const SpeakerPosition&) const = default;
};

// Centre and radius of the skin's speaker circle.
struct SpeakerCircle {
  std::int32_t center_x = 0;
  std::int32_t center_y = 0;
  std::int32_t radius = 0;
  bool operator==(const SpeakerCircle&) const = default;
};

// Angle in radians (0 points right, growing counter-clockwise on screen) and
// radius in pixels, both from the circle's centre. The animation steps may
// carry the angle outside 0 .. 2pi.
struct PolarRecord {
  float angle = 0.0f;
  double radius = 0.0;
  bool operator==(const PolarRecord&) const = default;
};

// What the device gets for one speaker: the radius the distance is made of,
// and the angle, both in single precision.
struct SpeakerLibraryValue {
  float radius = 0.0f;
  float angle = 0.0f;
  bool operator==(const SpeakerLibraryValue&) const = default;
};

using SpeakerPositions = std::array<SpeakerPosition, kSpeakerCount>;
using PolarRecords = std::array<PolarRecord, kSpeakerCount>;
using SpeakerLibraryValues = std::array<SpeakerLibraryValue, kSpeakerCount>;
// Per speaker a position read from the default profile, or none where the
// built-in geometry places it.
using ProfilePositions = std::array<std::optional<SpeakerPosition>, kSpeakerCount>;

class SpeakerLayout {
 public:
  static constexpr double kPi = 3.14159265;
  static constexpr double kTwoPi = 6.2831853;

  // Profile keys in speaker order.
  static constexpr std::array<std::string_view, kSpeakerCount> kProfileKeys = {"L",  "R",  "C",  "SUB",
                                                                               "LS", "RS", "LB", "RB"};
  // The order in which a profile lists the speakers when it is written.
  static constexpr std::array<Speaker, kSpeakerCount> kWriteOrder = {
      Speaker::kC, Speaker::kL, Speaker::kLS, Speaker::kLB, Speaker::kRB, Speaker::kRS, Speaker::kSub, Speaker::kR};

  // Where a measurement goes: the records the icons follow, or a scratch
  // copy, so that only the values prepared for the device change.
  enum class Target { kMain, kScratch };

  // old_version: the configuration's "OldVersion" switch (an icon standing at
  // 664,355 counts as standing at 665,356).
  explicit SpeakerLayout(bool old_version = false) : old_version_(old_version) {}

  // A double made an integer toward zero; NaN gives 0 and values beyond the
  // 32-bit range give its nearest end.
  static std::int32_t Truncate(double value);
  // The built-in placement around a circle.
  static SpeakerPositions DefaultGeometry(const SpeakerCircle& circle);
  // "left,top" as a profile stores it, both decimal integers; none when
  // either is missing or not a number.
  static std::optional<SpeakerPosition> ParsePosition(std::string_view text);
  // The position moved into the circle's bounding box.
  static SpeakerPosition ClampToBox(SpeakerPosition position, const SpeakerCircle& circle);
  static constexpr int Index(Speaker speaker) { return static_cast<int>(speaker); }

  void SetOldVersion(bool old_version) { old_version_ = old_version; }
  void SetCircle(const SpeakerCircle& circle) { circle_ = circle; }
  // Records and device values back to zero, as before any measurement.
  void ClearMeasurements() {
    records_ = {};
    library_ = {};
  }
  const SpeakerCircle& Circle() const { return circle_; }

  // Places every icon: from the default profile where it gives a position
  // (kept in the circle's box), elsewhere from the built-in geometry.
  void LayoutSpeakers(const ProfilePositions& from_profile);
  // Polar records and device values from the icons' positions.
  void MeasureSpeakers(Target target);
  // A new circle after a skin change: every icon is placed on it at its
  // record's angle and the record's radius scaled by ratio; the records keep
  // their radii.
  void ReplaceOnCircle(const SpeakerCircle& circle, double ratio);
  // An icon placed from a profile or a drag, kept in the circle's box.
  void Place(Speaker speaker, SpeakerPosition position);
  // Whether a proposed icon corner lies on or inside the circle.
  bool InsideCircle(SpeakerPosition position) const;

  const SpeakerPositions& Positions() const { return positions_; }
  const SpeakerPosition& Position(Speaker speaker) const { return positions_[Index(speaker)]; }
  const PolarRecords& Records() const { return records_; }
  const SpeakerLibraryValues& LibraryValues() const { return library_; }

  // The animation works on the icons and records directly.
  SpeakerPosition& Icon(int index) { return positions_[index]; }
  PolarRecord& Record(int index) { return records_[index]; }

 private:
  // The polar record of one icon; none for an icon at the centre itself.
  std::optional<PolarRecord> Measure(SpeakerPosition& position) const;

  bool old_version_ = false;
  SpeakerCircle circle_;
  SpeakerPositions positions_{};
  PolarRecords records_{};
  SpeakerLibraryValues library_{};
};

}  // namespace audio77
