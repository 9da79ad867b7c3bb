#pragma once
// Arrival and removal of device interfaces, shaped as the window system's
// device-change broadcasts: device type 5 (a device interface), the
// interface class identifier and the interface's device name, in which the
// vendor and product ID appear as upper-case "VID_%04X&PID_%04X".

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace audio77 {

enum class DeviceChange : std::uint32_t { kArrival = 0x8000, kRemoveComplete = 0x8004 };

inline constexpr std::uint32_t kDeviceTypeInterface = 5;
inline constexpr const char* kHidInterfaceClass = "{4D1E55B2-F16F-11CF-88CB-001111000030}";
inline constexpr const char* kAudioInterfaceClass = "{6994AD04-93EF-11D0-A3CC-00A0C9223196}";

struct DeviceInterfaceEvent {
  DeviceChange change = DeviceChange::kArrival;
  std::uint32_t device_type = kDeviceTypeInterface;
  std::string interface_class;  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
  std::string name;             // e.g. "\\?\HID#VID_2E8D&PID_771F&MI_03#7&1a2b3c&0&0000#{4d1e…}"
};

// Hands a task to the UI thread (the toolkit's EventLoop::Post). The notifier
// never calls a handler on its own thread.
using UiPoster = std::function<void(std::function<void()>)>;

// Delivery runs while this object lives; destroying it stops delivery (a
// task already handed to the UI thread then does nothing).
class DeviceNotification {
 public:
  virtual ~DeviceNotification() = default;
};

class DeviceNotifier {
 public:
  virtual ~DeviceNotifier() = default;
  // Every interface of every class is reported. Null when the platform cannot
  // watch devices at all.
  virtual std::unique_ptr<DeviceNotification> Subscribe(
      UiPoster post_to_ui, std::function<void(const DeviceInterfaceEvent&)> handler) = 0;
};

}  // namespace audio77
