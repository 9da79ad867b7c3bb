#include "features/ButtonReportRelay.h"

namespace audio77 {

ButtonReportRelay::ButtonReportRelay(toolkit::EventLoop& loop, Handler handler)
    : loop_(loop), target_(std::make_shared<Target>()) {
  target_->handler = std::move(handler);
}

ButtonReportRelay::~ButtonReportRelay() { Detach(); }

DeviceLibrary::ButtonSink ButtonReportRelay::Sink() const {
  std::weak_ptr<Target> weak = target_;
  return [weak](std::uint16_t, std::uint16_t, const Report& report) { Forward(weak, report); };
}

void ButtonReportRelay::Attach() {
  std::lock_guard lock(target_->mutex);
  target_->loop = &loop_;
}

void ButtonReportRelay::Detach() {
  // Waits for a post in progress: once this returns, no thread touches the loop for us.
  std::lock_guard lock(target_->mutex);
  target_->loop = nullptr;
  ++target_->generation;
}

bool ButtonReportRelay::Attached() const {
  std::lock_guard lock(target_->mutex);
  return target_->loop != nullptr;
}

void ButtonReportRelay::Forward(const std::weak_ptr<Target>& weak, const Report& report) {
  const auto target = weak.lock();
  if (!target) return;
  std::lock_guard lock(target->mutex);
  if (target->loop == nullptr) return;
  const std::uint64_t generation = target->generation;
  target->loop->Post([weak, generation, report] { Deliver(weak, generation, report); });
}

void ButtonReportRelay::Deliver(const std::weak_ptr<Target>& weak, std::uint64_t generation, const Report& report) {
  const auto target = weak.lock();
  if (!target) return;
  {
    std::lock_guard lock(target->mutex);
    if (target->loop == nullptr || target->generation != generation) return;
  }
  // On the UI thread, as are Detach() and the relay's end: the target cannot
  // go away between the check and the call.
  if (target->handler) target->handler(report);
}

}  // namespace audio77
