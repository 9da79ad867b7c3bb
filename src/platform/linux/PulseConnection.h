#pragma once
// One connection to the user's sound server (PipeWire's PulseAudio server or
// PulseAudio) on a thread of libpulse's own. The connection is made on first
// use and made again after the server went away; it never starts a server.
// Every wait of the calling thread is bounded, so a server that hangs or
// vanishes costs the UI thread at most that bound.

#include <pulse/pulseaudio.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/DebugOutput.h"

namespace audio77 {

class PulseConnection : public std::enable_shared_from_this<PulseConnection> {
 public:
  // How long one request may take before the caller gives up on it.
  static constexpr int kRequestLimitMs = 1000;

  PulseConnection(DebugOutput& debug, std::string client_name);
  ~PulseConnection();
  PulseConnection(const PulseConnection&) = delete;
  PulseConnection& operator=(const PulseConnection&) = delete;

  // Holds the loop's lock: libpulse objects are touched only under it. Never
  // taken inside a libpulse callback (those run with the lock held already).
  class Lock {
   public:
    explicit Lock(PulseConnection& connection);
    ~Lock();
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    pa_threaded_mainloop* loop_;
  };

  // With the lock held: the ready context, connecting first when needed;
  // null when no server answers within the limit.
  pa_context* Ready();
  // With the lock held: waits until done() or limit_ms passed; true when done().
  // The loop's callbacks wake the wait with Signal().
  bool WaitUntil(const std::function<bool()>& done, int limit_ms = kRequestLimitMs);
  // With the lock held: waits for op to finish (false on time-out, when the
  // operation is cancelled, so its callback never runs afterwards); unrefs it.
  bool Finish(pa_operation* op, int limit_ms = kRequestLimitMs);
  // From a libpulse callback: wakes WaitUntil.
  void Signal();

 private:
  void StartLoop();
  void DropContext();
  static void OnContextState(pa_context* context, void* self);

  DebugOutput& debug_;
  std::string client_name_;
  pa_threaded_mainloop* loop_ = nullptr;
  std::once_flag started_;
  bool loop_running_ = false;
  pa_context* context_ = nullptr;
  bool reported_absent_ = false;
};

}  // namespace audio77
