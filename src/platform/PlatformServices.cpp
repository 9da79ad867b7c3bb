#include "platform/PlatformServices.h"

#include <stdexcept>

namespace audio77 {
namespace {

template <typename T>
T& Required(const std::unique_ptr<T>& service) {
  if (!service) throw std::invalid_argument("platform service missing");
  return *service;
}

}  // namespace

OwningPlatformHost::OwningPlatformHost(PlatformServices services)
    : services_(std::move(services)),
      platform_{Required(services_.debug),         Required(services_.clock),
                Required(services_.folders),       Required(services_.files),
                Required(services_.registry),
                Required(services_.loader),        Required(services_.hid),
                Required(services_.extension),
                Required(services_.devices),       Required(services_.notifier),
                Required(services_.services),
                Required(services_.instance_lock), Required(services_.instance_link),
                Required(services_.bus),           Required(services_.automation),
                Required(services_.shell)} {}

}  // namespace audio77
