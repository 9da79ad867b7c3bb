#pragma once
// Device-interface arrival and removal on Linux: a udev monitor on the
// hidraw, usb and sound subsystems, read on a thread of its own. Each event
// becomes the interface event the original platform broadcasts (names from
// DeviceInterfaceNames) and is handed to the UI thread:
//   hidraw node        HID interface class
//   sound card         audio interface class, for the USB interface it belongs to
//   USB device         USB device interface class
// A removal is named as its arrival was: sysfs is gone by then.

#include "platform/DeviceNotifier.h"

namespace audio77 {

class UdevDeviceNotifier final : public DeviceNotifier {
 public:
  std::unique_ptr<DeviceNotification> Subscribe(
      UiPoster post_to_ui, std::function<void(const DeviceInterfaceEvent&)> handler) override;
};

}  // namespace audio77
