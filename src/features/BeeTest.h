#pragma once
// The bee test: a bee picture and all eight speaker icons circle the listener
// clockwise, one degree every 10 ms, while "bee.wav" plays in a loop (checked
// every 100 ms). Ticking saves the speakers' orbits, clearing restores them.
// A missing or unplayable sound leaves the test silent.

#include <array>
#include <string>

#include "features/BeeStage.h"
#include "platform/MediaPlayer.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Timer.h"

namespace audio77 {

class BeeTest {
 public:
  static constexpr std::uint32_t kStepMs = 10;
  static constexpr std::uint32_t kPlayCheckMs = 100;
  static constexpr const char* kSoundFile = "bee.wav";
  static constexpr double kBeeRadiusFactor = 1.6;

  BeeTest(BeeStage& stage, MediaPlayer& player, toolkit::EventLoop& loop, std::string program_folder);
  ~BeeTest();
  BeeTest(const BeeTest&) = delete;
  BeeTest& operator=(const BeeTest&) = delete;

  // BeeCheckBoxClick with the box's new state.
  void CheckBoxClicked(bool ticked);
  // BeeTimerTimer.
  void Step();
  // BeePlayTimerTimer.
  void RestartSoundWhenOver();
  // The window closes: timers off, the player closed.
  void Shutdown();

  bool Running() const { return step_timer_.Enabled(); }
  const Orbit& BeeOrbit() const { return bee_; }

 private:
  void StepSpeakers();

  BeeStage& stage_;
  MediaPlayer& player_;
  std::string program_folder_;
  toolkit::Timer step_timer_;
  toolkit::Timer play_timer_;
  Orbit bee_;
  std::array<Orbit, BeeStage::kSpeakerCount> saved_{};
  bool saved_valid_ = false;
};

}  // namespace audio77
