#pragma once
// The microphone page's input level bar: capture from the default recording
// device in 50 ms buffers (400 unsigned 8-bit samples at 8 kHz, mono), each
// turned into the bar's width on the UI thread. Start and stop may be called
// any number of times: one capture at most is open. Buffers travel to the UI
// thread by value with the number of the capture they belong to, so a
// buffer of a capture that has been stopped is dropped.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "features/FeatureResult.h"
#include "platform/DebugOutput.h"
#include "platform/WaveIn.h"

namespace audio77 {

class LevelMeter {
 public:
  static constexpr std::size_t kBufferBytes = 400;
  static constexpr WaveFormat kFormat{SampleFormat::kU8, 8000, 1};
  // Hands a task to the UI thread; safe from any thread.
  using Poster = std::function<void(std::function<void()>)>;
  // The bar's width changed.
  using WidthHandler = std::function<void(int width)>;

  LevelMeter(WaveIn& wave_in, Poster post_to_ui, DebugOutput& debug);
  ~LevelMeter();
  LevelMeter(const LevelMeter&) = delete;
  LevelMeter& operator=(const LevelMeter&) = delete;

  // The bar's maximum width (the skin's "MicProgressLength") and where the
  // width goes.
  void SetBar(int maximum_width, WidthHandler show);
  // StartLevelMeter: done when open (also when it already was); step 1 when
  // no capture opens.
  FeatureResult Start();
  // StopLevelMeter: closes the capture; nothing when none is open.
  void Stop();
  bool IsOpen() const { return stream_ != nullptr; }
  // OnLevelBuffer: one buffer of the capture numbered generation.
  void OnBuffer(std::uint64_t generation, const std::vector<std::uint8_t>& buffer);
  int Width() const { return width_; }
  // "Meter bar width 0".
  void ClearWidth();

 private:
  void ShowWidth(int width);

  WaveIn& wave_in_;
  Poster post_to_ui_;
  DebugOutput& debug_;
  int maximum_width_ = 0;
  WidthHandler show_;
  int width_ = 0;
  std::uint64_t generation_ = 0;
  std::unique_ptr<WaveInStream> stream_;
  // Tasks already handed to the UI thread check it before they touch us.
  std::shared_ptr<LevelMeter*> self_;
};

}  // namespace audio77
