#include "features/LevelMeter.h"

#include "features/LevelBar.h"

namespace audio77 {

LevelMeter::LevelMeter(WaveIn& wave_in, Poster post_to_ui, DebugOutput& debug)
    : wave_in_(wave_in),
      post_to_ui_(std::move(post_to_ui)),
      debug_(debug),
      self_(std::make_shared<LevelMeter*>(this)) {}

LevelMeter::~LevelMeter() {
  stream_.reset();
  self_.reset();
}

void LevelMeter::SetBar(int maximum_width, WidthHandler show) {
  maximum_width_ = maximum_width;
  show_ = std::move(show);
}

FeatureResult LevelMeter::Start() {
  if (stream_ != nullptr) return FeatureResult::Done();
  const std::uint64_t generation = ++generation_;
  const std::weak_ptr<LevelMeter*> self = self_;
  const Poster post = post_to_ui_;
  auto on_buffer = [post, self, generation](std::vector<std::uint8_t> buffer) {
    post([self, generation, buffer = std::move(buffer)] {
      if (const auto meter = self.lock()) (*meter)->OnBuffer(generation, buffer);
    });
  };
  auto on_end = [post, self, generation] {
    post([self, generation] {
      const auto meter = self.lock();
      if (!meter || (*meter)->generation_ != generation || (*meter)->stream_ == nullptr) return;
      (*meter)->debug_.Write("==> level meter: the capture ended\n");
      (*meter)->Stop();
    });
  };
  stream_ = wave_in_.Open(kFormat, kBufferBytes, std::move(on_buffer), std::move(on_end));
  return stream_ != nullptr ? FeatureResult::Done() : FeatureResult::Failed(1);
}

void LevelMeter::Stop() {
  if (stream_ == nullptr) return;
  stream_.reset();
  // Buffers already on their way belong to the closed capture.
  ++generation_;
}

void LevelMeter::OnBuffer(std::uint64_t generation, const std::vector<std::uint8_t>& buffer) {
  if (stream_ == nullptr || generation != generation_) return;
  const int level = LevelBar::Level(buffer, maximum_width_);
  ShowWidth(LevelBar::Width(level, maximum_width_, width_));
}

void LevelMeter::ClearWidth() { ShowWidth(0); }

void LevelMeter::ShowWidth(int width) {
  width_ = width;
  if (show_) show_(width);
}

}  // namespace audio77
