#include "platform/linux/PulseConnection.h"

#include <stdexcept>

namespace audio77 {

PulseConnection::PulseConnection(DebugOutput& debug, std::string client_name)
    : debug_(debug), client_name_(std::move(client_name)), loop_(pa_threaded_mainloop_new()) {
  if (loop_ == nullptr) throw std::runtime_error("pa_threaded_mainloop_new failed");
}

PulseConnection::~PulseConnection() {
  if (loop_running_) {
    {
      Lock lock(*this);
      DropContext();
    }
    pa_threaded_mainloop_stop(loop_);
  }
  pa_threaded_mainloop_free(loop_);
}

PulseConnection::Lock::Lock(PulseConnection& connection) : loop_(connection.loop_) {
  connection.StartLoop();
  pa_threaded_mainloop_lock(loop_);
}

PulseConnection::Lock::~Lock() { pa_threaded_mainloop_unlock(loop_); }

void PulseConnection::StartLoop() {
  std::call_once(started_, [this] {
    if (pa_threaded_mainloop_start(loop_) < 0) throw std::runtime_error("pa_threaded_mainloop_start failed");
    loop_running_ = true;
  });
}

void PulseConnection::DropContext() {
  if (context_ == nullptr) return;
  pa_context_set_state_callback(context_, nullptr, nullptr);
  pa_context_disconnect(context_);
  pa_context_unref(context_);
  context_ = nullptr;
}

void PulseConnection::OnContextState(pa_context*, void* self) {
  static_cast<PulseConnection*>(self)->Signal();
}

void PulseConnection::Signal() { pa_threaded_mainloop_signal(loop_, 0); }

pa_context* PulseConnection::Ready() {
  if (context_ != nullptr) {
    const pa_context_state_t state = pa_context_get_state(context_);
    if (state == PA_CONTEXT_READY) return context_;
    if (PA_CONTEXT_IS_GOOD(state)) {
      // Still connecting from an earlier attempt that ran out of time.
      WaitUntil([this] { return !PA_CONTEXT_IS_GOOD(pa_context_get_state(context_)) ||
                                pa_context_get_state(context_) == PA_CONTEXT_READY; });
      if (pa_context_get_state(context_) == PA_CONTEXT_READY) return context_;
    }
    DropContext();
  }
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
  context_ = pa_context_new(api, client_name_.c_str());
  if (context_ == nullptr) return nullptr;
  pa_context_set_state_callback(context_, &PulseConnection::OnContextState, this);
  // Never start a server of our own: with none running there is no endpoint.
  if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
    DropContext();
  } else {
    WaitUntil([this] {
      const pa_context_state_t state = pa_context_get_state(context_);
      return state == PA_CONTEXT_READY || !PA_CONTEXT_IS_GOOD(state);
    });
    if (pa_context_get_state(context_) != PA_CONTEXT_READY) DropContext();
  }
  if (context_ == nullptr) {
    if (!reported_absent_) debug_.Write("==> sound server not reachable\n");
    reported_absent_ = true;
    return nullptr;
  }
  reported_absent_ = false;
  return context_;
}

bool PulseConnection::WaitUntil(const std::function<bool()>& done, int limit_ms) {
  if (done()) return true;
  struct Expiry {
    PulseConnection* self;
    bool expired = false;
  } expiry{this};
  pa_mainloop_api* api = pa_threaded_mainloop_get_api(loop_);
  timeval deadline{};
  pa_gettimeofday(&deadline);
  pa_timeval_add(&deadline, static_cast<pa_usec_t>(limit_ms) * PA_USEC_PER_MSEC);
  pa_time_event* timer = api->time_new(
      api, &deadline,
      [](pa_mainloop_api*, pa_time_event*, const timeval*, void* data) {
        auto* expiry = static_cast<Expiry*>(data);
        expiry->expired = true;
        expiry->self->Signal();
      },
      &expiry);
  while (!done() && !expiry.expired) pa_threaded_mainloop_wait(loop_);
  api->time_free(timer);
  return done();
}

bool PulseConnection::Finish(pa_operation* op, int limit_ms) {
  if (op == nullptr) return false;
  pa_operation_set_state_callback(
      op, [](pa_operation*, void* self) { static_cast<PulseConnection*>(self)->Signal(); }, this);
  const bool finished =
      WaitUntil([op] { return pa_operation_get_state(op) != PA_OPERATION_RUNNING; }, limit_ms);
  const bool done = finished && pa_operation_get_state(op) == PA_OPERATION_DONE;
  if (!finished) pa_operation_cancel(op);
  pa_operation_unref(op);
  return done;
}

}  // namespace audio77
