#pragma once
// Arrival and removal notifications of the virtual device for as long as this
// object lives. The listener runs on the thread that plugged the device (the
// device's own thread for changes made by other processes): a receiver with
// an event loop posts what it gets there.

#include <functional>

#include "sim/core/VirtualDevice.h"

namespace audio77::sim {

class DeviceSubscription {
 public:
  DeviceSubscription(VirtualDevice& device, std::function<void(const DeviceNotification&)> listener)
      : device_(device), token_(device.Subscribe(std::move(listener))) {}
  ~DeviceSubscription() { device_.Unsubscribe(token_); }
  DeviceSubscription(const DeviceSubscription&) = delete;
  DeviceSubscription& operator=(const DeviceSubscription&) = delete;

 private:
  VirtualDevice& device_;
  int token_;
};

}  // namespace audio77::sim
