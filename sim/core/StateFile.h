#pragma once
// The virtual device's record in its state folder ("state"): everything the
// device remembers, shared by every process that uses the folder and kept
// when they end. Callers hold the record's lock from reading the record to
// writing it back, so a change is never lost between two processes.
//
// The file is mapped (shared) by every object using it, so a change is seen
// by the others as soon as the lock is let go, with no copy in between and,
// once the file is set up, no system call. Layout:
//   0      header: magic (the file is set up), file id, generation,
//          "complete" (the size of the variable part; 0 while the record is
//          being changed), the size of the live state (a build with another
//          DeviceState reads no record), the file's size as its users grew
//          it, and the lock: a process-shared robust mutex, so a holder that
//          dies lets go of it
//   4096   the live state (DeviceState, byte for byte)
//   after  the variable part: identity, presence, faults, plug generation,
//          scan owner and IDs, setup message, encoded field by field
//
// The live state is changed in place in the mapping: whoever asks for it to
// change (State()) clears "complete" first, and Commit sets it again. The
// variable part is compared with the encoding of the caller's copy and
// rewritten only when it differs, also with "complete" cleared meanwhile.
// So a writer killed half-way leaves a record that reads as missing, and the
// device then starts again from device.ini. The generation goes up with every
// rewrite of the variable part, so a reader whose copy is current decodes
// nothing.
//
// A new file, or one overwritten by hand, is set up under flock. Its size is
// looked at before each lock (one fstat): a file that another process cut
// short, or deleted or replaced, is set up again before a missing page is
// touched, and a record it cut counts as missing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/core/DeviceSetup.h"

namespace audio77::sim {

// What every process sees. With a state file, setup.state is not used: the
// live state is the record's own (StateFile::State).
struct SharedDevice {
  DeviceSetup setup;
  std::uint64_t plug_generation = 0;  // goes up when the device goes away
  std::uint64_t scan_owner = 0;       // the device object scanning buttons; 0: none
  std::uint16_t scan_vendor_id = 0;
  std::uint16_t scan_product_id = 0;
  std::string setup_message;          // why device.ini was not used, or empty
};

class StateFile {
 public:
  // Opens (creating when missing) and maps the file at path.
  explicit StateFile(std::string path);
  ~StateFile();
  StateFile(const StateFile&) = delete;
  StateFile& operator=(const StateFile&) = delete;

  // False when the file cannot be opened or mapped: the device then keeps to
  // its process.
  bool Usable() const { return map_ != nullptr; }
  // Opens the file again when it is not usable (it may have become so).
  void Retry();
  // Why the file is not usable ("Is a directory"), or empty.
  const std::string& Problem() const { return problem_; }

  // Exclusive between processes and between device objects of one process,
  // with no system call unless the file is new or was overwritten.
  void Lock();
  void Unlock();
  // Brings everything of shared but setup.state up to date with the record
  // (decodes the variable part only when another object rewrote it). False
  // when the file holds no complete record.
  bool Refresh(SharedDevice& shared);
  // Writes a whole new record, shared.setup.state as the live state. False
  // when the file cannot hold it (no record then).
  bool Write(const SharedDevice& shared);

  // The live state; valid after Refresh or Write succeeded, until Unlock.
  // State() marks the record incomplete until Commit.
  const DeviceState& ReadState() const;
  DeviceState& State();
  // Ends a change: rewrites the variable part when shared's differs from the
  // record's, and marks the record complete again.
  void Commit(const SharedDevice& shared);

 private:
  struct Header;
  Header& Head() const;
  void Open();
  void Close();
  bool Intact() const;
  void SetUp(bool renew_lock);
  bool Fits(std::size_t variable_size);
  void SetComplete(std::uint64_t variable_size);

  std::string path_;
  int fd_ = -1;
  char* map_ = nullptr;
  bool set_up_ = false;           // the header holds a working lock
  bool locked_ = false;
  bool ready_ = false;            // the record is complete, or only this object changed it
  bool changing_ = false;         // "complete" cleared by State()
  std::uint64_t file_id_ = 0;     // of the record last read or written
  std::uint64_t generation_ = 0;
  std::uint64_t variable_size_ = 0;
  bool known_ = false;            // shared's variable part is the record's
  std::string encoded_;           // reused for each Commit
  std::string problem_;
};

// The variable part, exposed for tests of the layout.
std::string EncodeSharedDevice(const SharedDevice& shared);
// Everything but setup.state; shared is left as it was when bytes are malformed.
bool DecodeSharedDevice(std::string_view bytes, SharedDevice& shared);

}  // namespace audio77::sim
