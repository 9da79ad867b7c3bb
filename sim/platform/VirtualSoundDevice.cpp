#include "sim/platform/VirtualSoundDevice.h"

namespace audio77::sim {

VirtualSoundDevice::VirtualSoundDevice(VirtualDevice& device, SoundCardHost& host) : device_(device), host_(host) {
  Want(device_.Present());
  worker_ = std::thread([this] { Run(); });
  // The device's sound interface comes and goes with the device.
  subscription_ = std::make_unique<DeviceSubscription>(device_, [this](const DeviceNotification& change) {
    if (change.class_id == kAudioClassId) Want(change.arrival);
  });
}

VirtualSoundDevice::~VirtualSoundDevice() {
  subscription_.reset();
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void VirtualSoundDevice::Want(bool present) {
  {
    std::lock_guard lock(mutex_);
    wanted_ = present;
    ++requests_;
  }
  changed_.notify_all();
}

bool VirtualSoundDevice::CardPresent() const {
  std::lock_guard lock(mutex_);
  return card_present_;
}

void VirtualSoundDevice::Settle() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return served_ == requests_ || stopping_; });
}

void VirtualSoundDevice::Run() {
  std::unique_ptr<SoundCard> card;
  std::unique_lock lock(mutex_);
  while (true) {
    changed_.wait(lock, [this] { return stopping_ || served_ != requests_; });
    if (stopping_) break;
    const bool wanted = wanted_;
    const std::uint64_t request = requests_;
    lock.unlock();
    if (wanted && card == nullptr) {
      const DeviceIdentity identity = device_.Identity();
      card = host_.Add(kCardName, kDescription, identity.vendor_id, identity.product_id);
    } else if (!wanted) {
      card.reset();
    }
    lock.lock();
    card_present_ = card != nullptr;
    served_ = request;
    changed_.notify_all();
  }
  lock.unlock();
  // Nothing is left behind in the server.
  card.reset();
  lock.lock();
  card_present_ = false;
}

}  // namespace audio77::sim
