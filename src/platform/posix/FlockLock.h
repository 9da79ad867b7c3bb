#pragma once
// An exclusive flock, held for the life of the object. Every lock between
// processes of this system is one: the per-logon instance lock (a file in
// the runtime or state folder), the writers of a settings folder, and the
// virtual device's files in its state folder.

#include <string>

namespace audio77 {

class FlockLock {
 public:
  enum class Outcome { kLocked, kHeldByAnother, kFailed };

  // Nothing locked.
  FlockLock() = default;
  // Locks the open file fd, waiting for it; fd stays the caller's and must
  // outlive this object. A negative fd locks nothing (kFailed).
  static FlockLock Wait(int fd);
  // Opens (creating, mode 0600) the regular file at path, never through a
  // symbolic link, and takes its lock without waiting; the lock and the file
  // are this object's until it ends.
  static FlockLock TryFile(const std::string& path);
  // Opens the folder at path and waits for its lock. A folder that cannot be
  // opened is not locked (kFailed).
  static FlockLock WaitFolder(const std::string& path);

  ~FlockLock();
  FlockLock(FlockLock&& other) noexcept;
  FlockLock& operator=(FlockLock&& other) noexcept;
  FlockLock(const FlockLock&) = delete;
  FlockLock& operator=(const FlockLock&) = delete;

  Outcome outcome() const { return outcome_; }
  bool locked() const { return outcome_ == Outcome::kLocked; }
  // Lets go of the lock (and closes an owned file) before the object ends.
  void Release();

 private:
  FlockLock(int fd, bool owned, Outcome outcome) : fd_(fd), owned_(owned), outcome_(outcome) {}
  static FlockLock Owned(int fd, bool wait);

  int fd_ = -1;
  bool owned_ = false;
  Outcome outcome_ = Outcome::kFailed;
};

}  // namespace audio77
