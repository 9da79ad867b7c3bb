#pragma once
// The input reports of one hidraw node, read on a thread of its own until the
// stream is destroyed or the device goes away.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

namespace audio77 {

class HidrawReportStream {
 public:
  // Each report as the platform's HID class driver gives it: byte 0 the
  // report ID (0 for a device without numbered reports), then the data.
  using Sink = std::function<void(std::span<const std::uint8_t> report)>;

  // Opens the node and starts reading; null when the node does not open.
  // report_length counts the report-ID byte; sink runs on the stream's thread.
  static std::unique_ptr<HidrawReportStream> Start(const std::string& node_path,
                                                   std::size_t report_length, Sink sink);
  // Stops the thread and waits for it: no report reaches the sink afterwards.
  // Must not be called from the sink.
  ~HidrawReportStream();
  HidrawReportStream(const HidrawReportStream&) = delete;
  HidrawReportStream& operator=(const HidrawReportStream&) = delete;

  // False once the device went away or could no longer be read.
  bool Running() const { return running_; }
  // The thread the sink runs on.
  std::thread::id ThreadId() const { return thread_.get_id(); }

 private:
  HidrawReportStream(int fd, int stop_fd, std::size_t report_length, Sink sink);
  void Run();

  int fd_;
  int stop_fd_;
  std::size_t report_length_;
  Sink sink_;
  std::atomic<bool> running_{true};
  std::thread thread_;
};

}  // namespace audio77
