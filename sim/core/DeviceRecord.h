#pragma once
// The virtual device as one device object sees it: its state folder, the
// folder's record (StateFile) and trace, and the object's copy of the shared
// part of the record. Held is the only way in: it takes the object's lock
// and the record's, brings the copy up to date and writes back what the
// holder changed when it goes.

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "sim/core/DeviceSetup.h"
#include "sim/core/StateFile.h"
#include "sim/core/TraceLog.h"

namespace audio77::sim {

class DeviceRecord {
 public:
  using Lock = std::unique_lock<std::mutex>;

  DeviceRecord();

  // The object's lock alone, for what the object keeps besides the record.
  Lock Guard() const { return Lock(mutex_); }
  // Takes the folder (created when missing); the caller holds Guard().
  void Attach(const std::string& state_folder, Lock& guard);
  // Both need Guard().
  bool Attached() const { return file_ != nullptr; }
  const std::string& Folder() const { return folder_; }
  TraceLog& Trace() { return *trace_; }

  std::string ControlPath() const { return folder_ + "/control"; }
  std::string SetupPath() const { return folder_ + "/device.ini"; }
  std::string RecordPath() const { return folder_ + "/state"; }
  std::string TracePath() const { return folder_ + "/trace.log"; }

  // The device device.ini describes, the default device when it is missing
  // or malformed (and then setup_message says why).
  SharedDevice FromDeviceIni() const;
  // The setup of device.ini, or none when it is missing or malformed.
  std::optional<DeviceSetup> SetupFromDeviceIni() const;
  static DeviceSetup DefaultSetup();

  class Held;

 private:
  mutable std::mutex mutex_;
  std::string folder_;
  std::unique_ptr<TraceLog> trace_;
  std::unique_ptr<StateFile> file_;
  // The record as last read or written; its setup.state is the live state
  // only without a usable state folder.
  SharedDevice shared_;
  bool reported_ = false;  // that the record cannot be used
};

// The device's lock and the record's lock, with the copy brought up to date
// and the live state at hand: the record's own, changed in place, or without
// a usable state folder the object's (it then keeps its device to itself).
class DeviceRecord::Held {
 public:
  explicit Held(const DeviceRecord& record);
  ~Held() { Release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

  // Everything but the live state (setup.state is not it).
  SharedDevice& operator*() { return record_.shared_; }
  SharedDevice* operator->() { return &record_.shared_; }
  const SharedDevice& operator*() const { return record_.shared_; }
  const SharedDevice* operator->() const { return &record_.shared_; }
  const DeviceState& ReadState() const;
  DeviceState& State();
  // The whole device, live state included.
  void Replace(SharedDevice fresh);
  // False when this call works on the object's own copy.
  bool Shared() const { return file_ != nullptr; }
  DeviceRecord& Record() { return record_; }
  void Trace(std::string_view line) { record_.trace_->Append(line); }
  void Release();

 private:
  DeviceRecord& record_;
  Lock lock_;
  StateFile* file_ = nullptr;
};

}  // namespace audio77::sim
