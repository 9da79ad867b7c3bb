#include "platform/linux/InstanceEndpoint.h"

namespace audio77 {

InstanceEndpoint::InstanceEndpoint(std::function<void()> on_activate)
    : on_activate_(std::move(on_activate)) {}

void InstanceEndpoint::Activate() {
  if (on_activate_) on_activate_();
}

}  // namespace audio77
