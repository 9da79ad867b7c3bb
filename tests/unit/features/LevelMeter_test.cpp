// The level meter: one capture at most, buffers shown on the UI thread only
// while their capture is the open one.
#include "features/LevelMeter.h"

#include <gtest/gtest.h>

#include <deque>

#include "FakeSound.h"
#include "platform/RecordingDebugOutput.h"

namespace audio77::test {
namespace {

class LevelMeterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    meter.SetBar(200, [this](int width) { widths.push_back(width); });
  }
  // What the UI thread runs when it gets to its queue.
  void RunUi() {
    while (!ui.empty()) {
      auto task = std::move(ui.front());
      ui.pop_front();
      task();
    }
  }
  // The server's thread delivers one buffer of the newest capture.
  void Deliver(std::uint8_t sample, std::size_t capture = SIZE_MAX) {
    auto& c = capture == SIZE_MAX ? wave_in.captures.back() : wave_in.captures[capture];
    c->on_buffer(std::vector<std::uint8_t>(c->buffer_bytes, sample));
  }

  FakeWaveIn wave_in;
  std::deque<std::function<void()>> ui;
  RecordingDebugOutput debug;
  LevelMeter meter{wave_in, [this](std::function<void()> task) { ui.push_back(std::move(task)); }, debug};
  std::vector<int> widths;
};

TEST_F(LevelMeterTest, CapturesFiftyMillisecondBuffersAndShowsTheirLevel) {
  ASSERT_TRUE(meter.Start().Ok());
  ASSERT_EQ(wave_in.captures.size(), 1u);
  EXPECT_EQ(wave_in.captures[0]->format, (WaveFormat{SampleFormat::kU8, 8000, 1}));
  EXPECT_EQ(wave_in.captures[0]->buffer_bytes, 400u);
  Deliver(192);  // mean deviation 64
  EXPECT_TRUE(widths.empty()) << "shown on the server's thread";
  RunUi();
  Deliver(128);
  RunUi();
  EXPECT_EQ(widths, (std::vector<int>{198, 0}));
}

TEST_F(LevelMeterTest, StartAndStopAreIdempotentAndAStoppedCapturesBuffersAreDropped) {
  ASSERT_TRUE(meter.Start().Ok());
  ASSERT_TRUE(meter.Start().Ok());
  EXPECT_EQ(wave_in.captures.size(), 1u);
  Deliver(192);  // on its way when the meter stops
  meter.Stop();
  meter.Stop();
  EXPECT_EQ(wave_in.OpenCount(), 0);
  RunUi();
  EXPECT_TRUE(widths.empty());

  // A new capture: a late buffer of the old one is still dropped.
  ASSERT_TRUE(meter.Start().Ok());
  Deliver(192, 0);
  Deliver(129);
  RunUi();
  EXPECT_EQ(widths, (std::vector<int>{18}));
}

TEST_F(LevelMeterTest, ACaptureThatEndsByItselfClosesTheMeterSoItCanStartAgain) {
  ASSERT_TRUE(meter.Start().Ok());
  wave_in.captures[0]->on_end();
  RunUi();
  EXPECT_FALSE(meter.IsOpen());
  EXPECT_EQ(debug.Lines(), std::vector<std::string>{"==> level meter: the capture ended\n"});
  ASSERT_TRUE(meter.Start().Ok());
  EXPECT_EQ(wave_in.OpenCount(), 1);
}

TEST_F(LevelMeterTest, NoCaptureIsStepOne) {
  wave_in.fail = true;
  EXPECT_EQ(meter.Start(), FeatureResult::Failed(1));
  EXPECT_FALSE(meter.IsOpen());
  meter.Stop();
}

TEST_F(LevelMeterTest, TasksLeftInTheQueueOutliveTheMeterHarmlessly) {
  auto own = std::make_unique<LevelMeter>(wave_in, [this](std::function<void()> task) { ui.push_back(std::move(task)); },
                                          debug);
  ASSERT_TRUE(own->Start().Ok());
  Deliver(192);
  wave_in.captures.back()->on_end();
  own.reset();
  RunUi();
  EXPECT_TRUE(debug.Lines().empty());
}

}  // namespace
}  // namespace audio77::test
