#pragma once
// Sound services in memory for the microphone's unit tests: endpoints with
// scripted answers and failures, a capture whose buffers the test delivers,
// playbacks that are only recorded. The libpulse ones are tested against a
// real server in tests/unit/sound_server.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "features/MicView.h"
#include "platform/AudioEndpoints.h"
#include "platform/WaveIn.h"
#include "platform/WaveOut.h"

namespace audio77::test {

class FakeEndpoints final : public AudioEndpoints {
 public:
  struct Source {
    VolumeSteps steps{0, 101};
    float scalar = 0;
    bool mute = false;
    std::optional<bool> boost = false;
    bool boost_switch = false;  // without one, boost reads off and does not switch
    bool listen = false;
    int mute_failures = 0;  // SetMute calls still to fail
  };
  std::vector<CaptureEndpoint> list;
  std::map<std::string, Source> sources;
  std::vector<std::string> calls;

  void Add(const std::string& id, const std::string& path) {
    list.push_back(CaptureEndpoint{id, id + " description", path});
    sources[id];
  }

  std::vector<CaptureEndpoint> CaptureEndpoints() override { return list; }
  std::optional<VolumeSteps> VolumeStepInfo(const std::string& id) override {
    if (!sources.count(id)) return std::nullopt;
    return sources[id].steps;
  }
  bool SetVolumeScalar(const std::string& id, float scalar) override {
    calls.push_back("volume " + id);
    if (!sources.count(id)) return false;
    sources[id].scalar = scalar;
    return true;
  }
  std::optional<bool> Mute(const std::string& id) override {
    if (!sources.count(id)) return std::nullopt;
    return sources[id].mute;
  }
  bool SetMute(const std::string& id, bool mute) override {
    calls.push_back("mute " + id);
    if (!sources.count(id)) return false;
    if (sources[id].mute_failures > 0) {
      --sources[id].mute_failures;
      return false;
    }
    sources[id].mute = mute;
    return true;
  }
  std::optional<bool> Boost(const std::string& id) override {
    if (!sources.count(id)) return std::nullopt;
    return sources[id].boost;
  }
  bool SetBoost(const std::string& id, bool on) override {
    calls.push_back("boost " + id);
    if (!sources.count(id) || !sources[id].boost_switch) return false;
    sources[id].boost = on;
    return true;
  }
  bool SetListen(const std::string& id, bool on) override {
    calls.push_back(std::string("listen ") + id + (on ? " on" : " off"));
    if (!sources.count(id)) return false;
    sources[id].listen = on;
    return true;
  }
  std::vector<std::string> ListenRoutes() override {
    std::vector<std::string> routes;
    for (const auto& [id, source] : sources)
      if (source.listen) routes.push_back(id);
    return routes;
  }
};

// Every capture opened; the test delivers buffers as the server's thread would.
class FakeWaveIn final : public WaveIn {
 public:
  struct Capture {
    WaveFormat format;
    std::size_t buffer_bytes = 0;
    BufferHandler on_buffer;
    EndHandler on_end;
    bool open = true;
  };
  class Stream final : public WaveInStream {
   public:
    explicit Stream(std::shared_ptr<Capture> capture) : capture_(std::move(capture)) {}
    ~Stream() override { capture_->open = false; }

   private:
    std::shared_ptr<Capture> capture_;
  };

  bool fail = false;
  std::vector<std::shared_ptr<Capture>> captures;

  std::unique_ptr<WaveInStream> Open(const WaveFormat& format, std::size_t buffer_bytes, BufferHandler on_buffer,
                                     EndHandler on_end) override {
    if (fail) return nullptr;
    captures.push_back(std::make_shared<Capture>(Capture{format, buffer_bytes, std::move(on_buffer), std::move(on_end)}));
    return std::make_unique<Stream>(captures.back());
  }
  int OpenCount() const {
    int count = 0;
    for (const auto& capture : captures) count += capture->open ? 1 : 0;
    return count;
  }
};

class FakeWaveOut final : public WaveOut {
 public:
  struct Played {
    WaveFormat format;
    std::vector<std::uint8_t> bytes;
    bool open = true;
  };
  class Stream final : public WaveOutStream {
   public:
    explicit Stream(std::shared_ptr<Played> played) : played_(std::move(played)) {}
    ~Stream() override { played_->open = false; }
    bool Finished() const override { return false; }

   private:
    std::shared_ptr<Played> played_;
  };

  std::vector<std::shared_ptr<Played>> played;
  // How many playbacks were open when each new one started.
  std::vector<int> open_at_start;

  std::unique_ptr<WaveOutStream> Play(const WaveFormat& format, std::vector<std::uint8_t> bytes) override {
    int open = 0;
    for (const auto& p : played) open += p->open ? 1 : 0;
    open_at_start.push_back(open);
    played.push_back(std::make_shared<Played>(Played{format, std::move(bytes)}));
    return std::make_unique<Stream>(played.back());
  }
};

// The microphone page's controls, as numbers a test reads.
class RecordingMicView final : public MicView {
 public:
  int TravelTop() const override { return 100; }
  int TravelLength() const override { return 120; }
  int KnobHeight() const override { return 10; }
  int FillTop() const override { return 100; }
  void SetKnobTop(int t) override { top = t; }
  void SetFillHeight(int h) override { fill = h; }
  void SetValueLabel(const std::string& text) override { label = text; }
  void ShowSwitch(int tag, int state) override { switches[tag] = state; }
  int ProgressMaximum() const override { return 200; }
  void SetProgressWidth(int w) override { width = w; }

  int top = -1, fill = -1, width = -1;
  std::string label;
  std::map<int, int> switches;
};

}  // namespace audio77::test
