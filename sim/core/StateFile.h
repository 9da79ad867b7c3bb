#pragma once
// The virtual device's record in its state folder ("state"): everything the
// device remembers, shared by every process that uses the folder and kept
// when they end. Callers hold the file's lock (flock) from reading the record
// to writing it back, so a change is never lost between two processes.
//
// Layout: a 32-byte header (magic, file id, generation, payload size) and the
// payload. The payload size is written last: a writer killed half-way leaves
// a record that reads as missing, and the device then starts again from
// device.ini. The generation goes up with every write, so a reader whose copy
// is current reads only the header.

#include <cstdint>
#include <string>

#include "sim/core/DeviceSetup.h"

namespace audio77::sim {

// What every process sees. setup.state is the live state of the device.
struct SharedDevice {
  DeviceSetup setup;
  std::uint64_t plug_generation = 0;  // goes up when the device goes away
  std::uint64_t scan_owner = 0;       // the device object scanning buttons; 0: none
  std::uint16_t scan_vendor_id = 0;
  std::uint16_t scan_product_id = 0;
  std::string setup_message;          // why device.ini was not used, or empty
  bool operator==(const SharedDevice&) const = default;
};

class StateFile {
 public:
  // Opens (creating when missing) the file at path.
  explicit StateFile(const std::string& path);
  ~StateFile();
  StateFile(const StateFile&) = delete;
  StateFile& operator=(const StateFile&) = delete;

  // Exclusive between processes and between device objects of one process.
  void Lock();
  void Unlock();
  // Brings shared up to date with the file (reads the payload only when the
  // file changed since this object last read or wrote it). False when the
  // file holds no complete record.
  bool Refresh(SharedDevice& shared);
  void Write(const SharedDevice& shared);

 private:
  int fd_ = -1;
  std::uint64_t file_id_ = 0;     // of the record last read or written
  std::uint64_t generation_ = 0;
  bool known_ = false;
};

// The payload, exposed for tests of the layout.
std::string EncodeSharedDevice(const SharedDevice& shared);
bool DecodeSharedDevice(const std::string& bytes, SharedDevice& shared);

}  // namespace audio77::sim
