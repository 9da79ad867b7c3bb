#include "platform/linux/UdevDeviceNotifier.h"

#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <map>
#include <optional>
#include <thread>

#include "platform/linux/DeviceInterfaceNames.h"

namespace audio77 {
namespace {

using Handler = std::function<void(const DeviceInterfaceEvent&)>;

struct NamedInterface {
  std::string interface_class;
  std::string name;
};

std::string Text(const char* text) { return text ? text : ""; }

std::optional<UsbIds> IdsFromAttributes(udev_device* device) {
  if (device == nullptr) return std::nullopt;
  const std::string vendor = Text(udev_device_get_sysattr_value(device, "idVendor"));
  const std::string product = Text(udev_device_get_sysattr_value(device, "idProduct"));
  if (vendor.empty() || product.empty()) return std::nullopt;
  return DeviceInterfaceNames::ProductIds(vendor + "/" + product + "/0");
}

bool IsSoundCard(const std::string& sysname) {
  if (sysname.size() <= 4 || sysname.compare(0, 4, "card") != 0) return false;
  return sysname.find_first_not_of("0123456789", 4) == std::string::npos;
}

// The interface a device stands for; empty for devices that are no interface.
std::optional<NamedInterface> NameOf(udev_device* device) {
  const std::string subsystem = Text(udev_device_get_subsystem(device));
  const std::string devpath = Text(udev_device_get_devpath(device));
  if (subsystem == "hidraw") {
    const auto ids = DeviceInterfaceNames::HidIds(devpath);
    if (!ids) return std::nullopt;
    return NamedInterface{
        kHidInterfaceClass,
        DeviceInterfaceNames::Hid(*ids, DeviceInterfaceNames::InterfaceNumber(devpath), devpath)};
  }
  if (subsystem == "sound") {
    if (!IsSoundCard(Text(udev_device_get_sysname(device)))) return std::nullopt;
    const auto ids = IdsFromAttributes(
        udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device"));
    if (!ids) return std::nullopt;
    return NamedInterface{
        kAudioInterfaceClass,
        DeviceInterfaceNames::Audio(*ids, DeviceInterfaceNames::InterfaceNumber(devpath), devpath)};
  }
  if (subsystem == "usb" && Text(udev_device_get_devtype(device)) == "usb_device") {
    auto ids =
        DeviceInterfaceNames::ProductIds(Text(udev_device_get_property_value(device, "PRODUCT")));
    if (!ids) ids = IdsFromAttributes(device);
    if (!ids) return std::nullopt;
    return NamedInterface{kUsbDeviceInterfaceClass, DeviceInterfaceNames::UsbDevice(*ids, devpath)};
  }
  return std::nullopt;
}

constexpr const char* kSubsystems[] = {"hidraw", "usb", "sound"};

class UdevSubscription final : public DeviceNotification {
 public:
  UdevSubscription(udev* context, udev_monitor* monitor, int stop_fd, UiPoster post,
                   Handler handler)
      : context_(context),
        monitor_(monitor),
        stop_fd_(stop_fd),
        post_(std::move(post)),
        handler_(std::make_shared<Handler>(std::move(handler))) {
    RememberPresent();
    thread_ = std::thread([this] { Run(); });
  }

  ~UdevSubscription() override {
    *alive_ = false;
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_fd_, &one, sizeof one);
    thread_.join();
    ::close(stop_fd_);
    udev_monitor_unref(monitor_);
    udev_unref(context_);
  }

  UdevSubscription(const UdevSubscription&) = delete;
  UdevSubscription& operator=(const UdevSubscription&) = delete;

 private:
  // The names of interfaces present now, so that their removal can be named.
  void RememberPresent() {
    udev_enumerate* present = udev_enumerate_new(context_);
    if (present == nullptr) return;
    for (const char* subsystem : kSubsystems)
      udev_enumerate_add_match_subsystem(present, subsystem);
    udev_enumerate_scan_devices(present);
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(present)) {
      udev_device* device = udev_device_new_from_syspath(context_, udev_list_entry_get_name(entry));
      if (device == nullptr) continue;
      if (auto named = NameOf(device)) known_[Text(udev_device_get_devpath(device))] = *named;
      udev_device_unref(device);
    }
    udev_enumerate_unref(present);
  }

  void Run() {
    const int monitor_fd = udev_monitor_get_fd(monitor_);
    while (true) {
      pollfd waits[2] = {{stop_fd_, POLLIN, 0}, {monitor_fd, POLLIN, 0}};
      if (::poll(waits, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return;
      }
      if (waits[0].revents != 0) return;
      if ((waits[1].revents & POLLIN) == 0) continue;
      udev_device* device = udev_monitor_receive_device(monitor_);
      if (device == nullptr) continue;
      Handle(device);
      udev_device_unref(device);
    }
  }

  void Handle(udev_device* device) {
    const std::string action = Text(udev_device_get_action(device));
    const std::string devpath = Text(udev_device_get_devpath(device));
    std::optional<NamedInterface> named;
    DeviceInterfaceEvent event;
    if (action == "add") {
      named = NameOf(device);
      if (named) known_[devpath] = *named;
      event.change = DeviceChange::kArrival;
    } else if (action == "remove") {
      const auto found = known_.find(devpath);
      if (found != known_.end()) {
        named = found->second;
        known_.erase(found);
      } else {
        named = NameOf(device);
      }
      event.change = DeviceChange::kRemoveComplete;
    }
    if (!named) return;
    event.interface_class = named->interface_class;
    event.name = named->name;
    post_([alive = alive_, handler = handler_, event] {
      if (*alive) (*handler)(event);
    });
  }

  udev* context_;
  udev_monitor* monitor_;
  int stop_fd_;
  UiPoster post_;
  std::shared_ptr<Handler> handler_;
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
  std::map<std::string, NamedInterface>
      known_;  // devpath to name; only the thread touches it after start
  std::thread thread_;
};

}  // namespace

std::unique_ptr<DeviceNotification> UdevDeviceNotifier::Subscribe(UiPoster post_to_ui,
                                                                  Handler handler) {
  udev* context = udev_new();
  if (context == nullptr) return nullptr;
  udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
  bool ready = monitor != nullptr;
  for (const char* subsystem : kSubsystems) {
    ready =
        ready && udev_monitor_filter_add_match_subsystem_devtype(monitor, subsystem, nullptr) >= 0;
  }
  ready = ready && udev_monitor_enable_receiving(monitor) >= 0;
  const int stop_fd = ready ? ::eventfd(0, EFD_CLOEXEC) : -1;
  if (stop_fd < 0) {
    if (monitor != nullptr) udev_monitor_unref(monitor);
    udev_unref(context);
    return nullptr;
  }
  return std::make_unique<UdevSubscription>(context, monitor, stop_fd, std::move(post_to_ui),
                                            std::move(handler));
}

}  // namespace audio77
