// Capture, playback and the media player on a real sound server: what one
// plays, the other hears; a server that dies ends a capture without a hang.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <mutex>

#include "SoundServerFixture.h"
#include "platform/WavFile.h"
#include "platform/linux/PulseMediaPlayer.h"
#include "platform/linux/PulseWaveIn.h"
#include "platform/linux/PulseWaveOut.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

const WaveFormat kMeterFormat{SampleFormat::kU8, 8000, 1};

std::vector<std::uint8_t> Tone(std::size_t samples, int amplitude) {
  std::vector<std::uint8_t> bytes(samples);
  for (std::size_t i = 0; i < samples; ++i) {
    bytes[i] = static_cast<std::uint8_t>(128 + std::lround(amplitude * std::sin(i * 2 * M_PI * 400 / 8000)));
  }
  return bytes;
}

// The captured buffers, as the handler on libpulse's thread hands them over.
struct Captured {
  std::mutex mutex;
  std::vector<std::vector<std::uint8_t>> buffers;
  std::atomic<bool> ended{false};

  WaveIn::BufferHandler Handler() {
    return [this](std::vector<std::uint8_t> buffer) {
      std::lock_guard lock(mutex);
      buffers.push_back(std::move(buffer));
    };
  }
  std::size_t Count() {
    std::lock_guard lock(mutex);
    return buffers.size();
  }
  // The largest deviation from the middle in any buffer so far.
  int Loudest() {
    std::lock_guard lock(mutex);
    int loudest = 0;
    for (const auto& buffer : buffers)
      for (const auto sample : buffer) loudest = std::max(loudest, std::abs(sample - 128));
    return loudest;
  }
};

class PulseStreamsTest : public SoundServerTest {
 protected:
  void SetUp() override {
    SoundServerTest::SetUp();
    Pactl({"set-default-sink", device.sink});
    Pactl({"set-default-source", device.source});
  }
  void TearDown() override {
    RunPactl({"set-default-sink", "test_output"});
    RunPactl({"set-default-source", "test_input"});
  }
  UsbMicrophone device{"audio77_streams", "2e8d", "771f"};
};

TEST_F(PulseStreamsTest, WhatIsPlayedIsCapturedInWholeBuffers) {
  auto connection = Connect();
  PulseWaveIn wave_in(connection);
  PulseWaveOut wave_out(connection);
  Captured captured;
  auto capture = wave_in.Open(kMeterFormat, 400, captured.Handler(), [&] { captured.ended = true; });
  ASSERT_NE(capture, nullptr);
  ASSERT_TRUE(Eventually([&] { return captured.Count() >= 2; }));
  // Silence first: every sample in the middle.
  EXPECT_EQ(captured.Loudest(), 0);

  auto playback = wave_out.Play(kMeterFormat, Tone(8000, 100));
  ASSERT_NE(playback, nullptr);
  EXPECT_TRUE(Eventually([&] { return captured.Loudest() > 50; }));
  EXPECT_TRUE(Eventually([&] { return playback->Finished(); }));
  {
    std::lock_guard lock(captured.mutex);
    for (const auto& buffer : captured.buffers) EXPECT_EQ(buffer.size(), 400u);
  }
  EXPECT_TRUE(Contains(Pactl({"list", "source-outputs"}), "Input level"));
  capture.reset();
  const std::size_t after_close = captured.Count();
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(captured.Count(), after_close) << "a buffer arrived after the capture was closed";
  EXPECT_FALSE(captured.ended);
  EXPECT_FALSE(Contains(Pactl({"list", "source-outputs"}), "Input level"));
}

TEST_F(PulseStreamsTest, AServerThatDiesEndsTheCaptureAndLaterCallsFailQuickly) {
  TempDir temp;
  const std::string folder = temp.File("server");
  ASSERT_EQ(RunProcess(AUDIO77_SOUND_SERVER_SCRIPT, {"start", folder}).exit_code, 0);
  const std::string shared = std::getenv("PULSE_SERVER");
  setenv("PULSE_SERVER", ("unix:" + folder + "/native").c_str(), 1);
  auto connection = Connect();
  PulseWaveIn wave_in(connection);
  Captured captured;
  auto capture = wave_in.Open(kMeterFormat, 400, captured.Handler(), [&] { captured.ended = true; });
  setenv("PULSE_SERVER", shared.c_str(), 1);
  ASSERT_NE(capture, nullptr);
  ASSERT_TRUE(Eventually([&] { return captured.Count() >= 1; }));

  ASSERT_EQ(RunProcess(AUDIO77_SOUND_SERVER_SCRIPT, {"stop", folder}).exit_code, 0);
  EXPECT_TRUE(Eventually([&] { return captured.ended.load(); }));
  capture.reset();
  // The next request finds the shared server again: the connection is made anew.
  PulseWaveOut wave_out(connection);
  EXPECT_NE(wave_out.Play(kMeterFormat, Tone(80, 10)), nullptr);
}

TEST_F(PulseStreamsTest, TheMediaPlayerPlaysAWholeFileAndRefusesBadOnes) {
  TempDir temp;
  const auto wav = WavFile::Write(WavSound{kMeterFormat, Tone(1600, 60)});  // 200 ms
  const std::string good = temp.Write("tone.wav", std::string(wav.begin(), wav.end()));
  const std::string cut = temp.Write("cut.wav", std::string(wav.begin(), wav.begin() + 30));
  PulseMediaPlayer player(Connect(), debug);

  struct Case {
    std::string path;
    bool opens;
  };
  for (const Case& c : {Case{temp.File("missing.wav"), false}, Case{cut, false}, Case{good, true}}) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(player.Open(c.path), c.opens);
  }
  EXPECT_TRUE(Contains(debug.Text(), "==> cannot play " + cut));
  EXPECT_EQ(player.LengthMs(), 200u);
  Captured captured;
  PulseWaveIn wave_in(Connect());
  auto capture = wave_in.Open(kMeterFormat, 400, captured.Handler(), nullptr);
  ASSERT_NE(capture, nullptr);
  player.Play();
  EXPECT_LT(player.PositionMs(), player.LengthMs());
  EXPECT_TRUE(Eventually([&] { return player.PositionMs() == player.LengthMs(); }));
  EXPECT_TRUE(Eventually([&] { return captured.Loudest() > 30; }));
  player.Close();
  EXPECT_EQ(player.LengthMs(), 0u);
  player.Play();  // nothing open: nothing happens
}

}  // namespace
}  // namespace audio77::test
