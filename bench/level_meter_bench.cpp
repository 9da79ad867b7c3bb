// The Mic page's level meter against the real sound server: the program's CPU
// time per second of metering (20 buffers a second of 400 samples), from the
// capture on libpulse's thread through the hand-over to the UI thread and the
// bar's arithmetic. Needs a server: run it under scripts/sound-server run --.
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

#include "features/LevelMeter.h"
#include "platform/RecordingDebugOutput.h"
#include "platform/linux/PulseConnection.h"
#include "platform/linux/PulseWaveIn.h"

namespace {

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The UI thread's queue, as the event loop keeps it.
class UiQueue {
 public:
  void Post(std::function<void()> task) {
    {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
  }
  // Runs tasks as they come until the deadline.
  void RunUntil(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    while (std::chrono::steady_clock::now() < deadline) {
      wake_.wait_until(lock, deadline, [this] { return !tasks_.empty(); });
      while (!tasks_.empty()) {
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        lock.unlock();
        task();
        lock.lock();
      }
    }
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> tasks_;
};

void BM_LevelMeterOnTheSoundServer(benchmark::State& state) {
  if (std::getenv("PULSE_SERVER") == nullptr) {
    state.SkipWithError("no PULSE_SERVER: run under scripts/sound-server run --");
    return;
  }
  audio77::RecordingDebugOutput debug;
  auto connection = std::make_shared<audio77::PulseConnection>(debug, "Audio77 bench");
  audio77::PulseWaveIn wave_in(connection);
  UiQueue ui;
  audio77::LevelMeter meter(wave_in, [&ui](std::function<void()> task) { ui.Post(std::move(task)); }, debug);
  int widths = 0;
  meter.SetBar(200, [&widths](int) { ++widths; });
  const auto seconds = std::chrono::seconds(state.range(0));
  for (auto _ : state) {
    if (!meter.Start().Ok()) {
      state.SkipWithError("no capture");
      return;
    }
    // The capture settles before the measured stretch.
    ui.RunUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(300));
    widths = 0;
    const double cpu_before = ProcessCpuSeconds();
    const auto wall_before = std::chrono::steady_clock::now();
    ui.RunUntil(wall_before + seconds);
    const double cpu = ProcessCpuSeconds() - cpu_before;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
    meter.Stop();
    state.counters["cpu_percent_of_one_core"] = 100.0 * cpu / wall;
    state.counters["buffers_per_second"] = widths / wall;
  }
}
BENCHMARK(BM_LevelMeterOnTheSoundServer)->Arg(5)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
