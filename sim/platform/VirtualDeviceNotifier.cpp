#include "sim/platform/VirtualDeviceNotifier.h"

#include <atomic>

#include "sim/core/DeviceSubscription.h"

namespace audio77::sim {
namespace {

class VirtualNotification final : public audio77::DeviceNotification {
 public:
  VirtualNotification(VirtualDevice& device, UiPoster post_to_ui,
                      std::function<void(const DeviceInterfaceEvent&)> handler)
      : subscription_(device, [this, post = std::move(post_to_ui), handler = std::move(handler)](
                                  const sim::DeviceNotification& change) {
          DeviceInterfaceEvent event;
          event.change = change.arrival ? DeviceChange::kArrival : DeviceChange::kRemoveComplete;
          event.interface_class = change.class_id;
          event.name = change.device_name;
          // The task may run after this object is gone: it checks the flag first.
          post([alive = alive_, handler, event] {
            if (alive->load()) handler(event);
          });
        }) {}
  ~VirtualNotification() override { alive_->store(false); }

 private:
  std::shared_ptr<std::atomic<bool>> alive_ = std::make_shared<std::atomic<bool>>(true);
  DeviceSubscription subscription_;  // last: ends before alive_, waiting for a delivery in progress
};

}  // namespace

std::unique_ptr<audio77::DeviceNotification> VirtualDeviceNotifier::Subscribe(
    UiPoster post_to_ui, std::function<void(const DeviceInterfaceEvent&)> handler) {
  if (!post_to_ui || !handler) return nullptr;
  return std::make_unique<VirtualNotification>(device_, std::move(post_to_ui), std::move(handler));
}

}  // namespace audio77::sim
