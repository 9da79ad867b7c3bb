#pragma once
// The result of a feature operation: done, or the step that failed, with the
// numbers of that operation's own table. A failure is never reported as done.

#include <string_view>

namespace audio77 {

class [[nodiscard]] FeatureResult {
 public:
  static constexpr FeatureResult Done() { return FeatureResult(0); }
  static constexpr FeatureResult Failed(int step) { return FeatureResult(step == 0 ? -1 : step); }
  // 0 is done; anything else failed at that step.
  static constexpr FeatureResult FromStep(int step) { return FeatureResult(step); }

  constexpr bool Ok() const { return step_ == 0; }
  constexpr int Step() const { return step_; }
  constexpr explicit operator bool() const { return Ok(); }
  // Where a caller goes on whatever happened, and says why at the call.
  constexpr void Ignore(std::string_view /*why*/) const {}
  constexpr bool operator==(const FeatureResult&) const = default;

 private:
  constexpr explicit FeatureResult(int step) : step_(step) {}
  int step_ = 0;
};

}  // namespace audio77
