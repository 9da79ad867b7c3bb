#pragma once
// Carries the device's button reports from the library's thread to the UI
// thread. The library calls the sink on a thread of its own; the sink only
// posts the copied report to the UI thread's queue, where the handler runs in
// the order the reports came. Nothing else happens on the library's thread.
//
// Detach() (at removal, before the window goes) stops the hand-off at once:
// after it returns the sink posts nothing more, and reports already posted
// are dropped when their turn comes. Attach() starts a new hand-off for a new
// scan. The sink may outlive the relay; it then does nothing.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

#include "device/DeviceLibrary.h"
#include "toolkit/EventLoop.h"

namespace audio77 {

class ButtonReportRelay {
 public:
  using Report = DeviceLibrary::ButtonReport;
  using Handler = std::function<void(const Report&)>;

  // Detached until Attach(). handler runs on the UI thread only.
  ButtonReportRelay(toolkit::EventLoop& loop, Handler handler);
  ~ButtonReportRelay();
  ButtonReportRelay(const ButtonReportRelay&) = delete;
  ButtonReportRelay& operator=(const ButtonReportRelay&) = delete;

  // What the library's button scan takes. Safe on any thread.
  DeviceLibrary::ButtonSink Sink() const;
  // UI thread: reports from now on go to the handler; those posted before
  // an earlier Detach() stay dropped.
  void Attach();
  // UI thread: no report reaches the handler any more.
  void Detach();
  bool Attached() const;

 private:
  struct Target {
    std::mutex mutex;
    toolkit::EventLoop* loop = nullptr;  // null while detached
    std::uint64_t generation = 0;        // moves on at each Detach
    Handler handler;
  };
  static void Forward(const std::weak_ptr<Target>& weak, const Report& report);
  static void Deliver(const std::weak_ptr<Target>& weak, std::uint64_t generation, const Report& report);

  toolkit::EventLoop& loop_;
  std::shared_ptr<Target> target_;
};

}  // namespace audio77
