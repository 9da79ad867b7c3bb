#include "features/BeeTest.h"

#include <filesystem>

namespace audio77 {
namespace {

constexpr int kClockwise = 0;

int SpeakerIcon(int speaker) { return 1 + speaker; }

}  // namespace

BeeTest::BeeTest(BeeStage& stage, MediaPlayer& player, toolkit::EventLoop& loop, std::string program_folder)
    : stage_(stage),
      player_(player),
      program_folder_(std::move(program_folder)),
      step_timer_(loop, "BeeTimer", kStepMs, false),
      play_timer_(loop, "BeePlayTimer", kPlayCheckMs, false) {
  step_timer_.OnTimer = [this](toolkit::Timer&) { Step(); };
  play_timer_.OnTimer = [this](toolkit::Timer&) { RestartSoundWhenOver(); };
}

BeeTest::~BeeTest() { Shutdown(); }

void BeeTest::CheckBoxClicked(bool ticked) {
  stage_.ShowBee(ticked);
  bee_.angle = 0;
  bee_.radius = static_cast<double>(stage_.CircleSize() / 2) * kBeeRadiusFactor;
  stage_.OrbitStep(BeeStage::kBee, bee_, bee_.radius, kClockwise);
  const IconPoint bee_place = stage_.Position(BeeStage::kBee);
  for (int speaker = 0; speaker < BeeStage::kSpeakerCount; ++speaker) {
    stage_.Move(SpeakerIcon(speaker), bee_place);
    Orbit& orbit = stage_.SpeakerOrbit(speaker);
    if (ticked) {
      saved_[static_cast<std::size_t>(speaker)] = orbit;
      orbit = Orbit{0, bee_.radius};
    } else if (saved_valid_) {
      orbit = saved_[static_cast<std::size_t>(speaker)];
    }
  }
  // Clearing a box that was never ticked has nothing to restore.
  saved_valid_ = ticked;
  if (ticked) {
    if (player_.Open((std::filesystem::path(program_folder_) / kSoundFile).string())) player_.Play();
  } else {
    player_.Close();
  }
  StepSpeakers();
  step_timer_.SetEnabled(ticked);
  play_timer_.SetEnabled(ticked);
}

void BeeTest::StepSpeakers() {
  for (int speaker = 0; speaker < BeeStage::kSpeakerCount; ++speaker) {
    Orbit& orbit = stage_.SpeakerOrbit(speaker);
    stage_.OrbitStep(SpeakerIcon(speaker), orbit, orbit.radius, kClockwise);
  }
}

void BeeTest::Step() {
  stage_.OrbitStep(BeeStage::kBee, bee_, bee_.radius, kClockwise);
  StepSpeakers();
  stage_.SendPlacement();
}

void BeeTest::RestartSoundWhenOver() {
  const std::uint64_t length = player_.LengthMs();
  if (length > 0 && player_.PositionMs() == length) player_.Play();
}

void BeeTest::Shutdown() {
  step_timer_.SetEnabled(false);
  play_timer_.SetEnabled(false);
  player_.Close();
}

}  // namespace audio77
