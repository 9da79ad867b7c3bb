#include "lighting/AutoResetEvent.h"

namespace audio77 {

void AutoResetEvent::Set() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  changed_.notify_one();
}

void AutoResetEvent::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool AutoResetEvent::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return signalled_ || closed_; });
  if (closed_) return false;
  signalled_ = false;
  return true;
}

void AutoResetEvent::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool AutoResetEvent::Signalled() const {
  std::lock_guard lock(mutex_);
  return signalled_;
}

}  // namespace audio77
