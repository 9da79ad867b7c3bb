#pragma once
// The virtual device in the user's sound server: while it is plugged in, a
// sink and a microphone source carrying its USB IDs are there (so the Mic
// page and the desktop's mixers see it); they go when it is unplugged and
// when this object ends. The server is talked to from a thread of its own,
// never from the thread that plugs the device.

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/SoundCardHost.h"
#include "sim/core/DeviceSubscription.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class VirtualSoundDevice {
 public:
  static constexpr const char* kCardName = "audio77_virtual";
  static constexpr const char* kDescription = "Audio77-Virtual-Device";

  VirtualSoundDevice(VirtualDevice& device, SoundCardHost& host);
  ~VirtualSoundDevice();
  VirtualSoundDevice(const VirtualSoundDevice&) = delete;
  VirtualSoundDevice& operator=(const VirtualSoundDevice&) = delete;

  // The card is in the server now (what the worker has done so far).
  bool CardPresent() const;
  // Waits until the worker has caught up with every plug and unplug so far.
  void Settle();

 private:
  void Want(bool present);
  void Run();

  VirtualDevice& device_;
  SoundCardHost& host_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool wanted_ = false;
  bool stopping_ = false;
  std::uint64_t requests_ = 0;
  std::uint64_t served_ = 0;
  bool card_present_ = false;
  std::thread worker_;
  std::unique_ptr<DeviceSubscription> subscription_;
};

}  // namespace audio77::sim
