#pragma once
// The software microphone monitor: records 16-bit mono at 8 kHz from the
// default input (at most 1 MiB) and, every 1000 ms, plays what was recorded
// since the last playback through the default output, after closing the
// previous playback. The recording is written to "RecordTest.pcm" in a
// private folder (created 0700; the file created exclusively) when the test
// stops, and the file is removed. Start and stop may come in any order and
// any number of times.

#include <cstdio>
#include <memory>
#include <string>

#include "features/RecordTestBuffer.h"
#include "platform/DebugOutput.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Timer.h"

namespace audio77 {

class RecordTest {
 public:
  static constexpr WaveFormat kFormat{SampleFormat::kS16LE, 8000, 1};
  static constexpr std::uint32_t kPlaybackIntervalMs = 1000;
  static constexpr std::size_t kCaptureBytes = 1600;  // 100 ms
  static constexpr const char* kFileName = "RecordTest.pcm";

  // folder: the private folder for the file (made when missing).
  RecordTest(WaveIn& wave_in, WaveOut& wave_out, toolkit::EventLoop& loop, std::string folder, DebugOutput& debug);
  ~RecordTest();
  RecordTest(const RecordTest&) = delete;
  RecordTest& operator=(const RecordTest&) = delete;

  void Start();
  void Stop();
  bool Running() const { return running_; }
  // One playback of what came in since the last one (the timer's tick).
  void PlayBack();

  std::string FilePath() const;
  const RecordTestBuffer& Recording() const { return recording_; }
  // The playback now running, if any.
  const WaveOutStream* Playback() const { return playback_.get(); }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  bool OpenFile();
  void OnBuffer(std::uint64_t generation, const std::vector<std::uint8_t>& bytes);

  WaveIn& wave_in_;
  WaveOut& wave_out_;
  toolkit::EventLoop& loop_;
  std::string folder_;
  DebugOutput& debug_;
  toolkit::Timer timer_;
  bool running_ = false;
  std::uint64_t generation_ = 0;
  RecordTestBuffer recording_;
  std::unique_ptr<WaveInStream> capture_;
  std::unique_ptr<WaveOutStream> playback_;
  std::unique_ptr<std::FILE, FileCloser> file_;
  std::shared_ptr<RecordTest*> self_;
};

}  // namespace audio77
