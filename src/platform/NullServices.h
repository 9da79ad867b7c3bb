#pragma once
// Services that have nothing behind them, for a platform where the real thing
// does not exist yet: no driver extension answers, no device notifications
// arrive.

#include "platform/Platform.h"

namespace audio77 {

class NullDriverExtension final : public DriverExtension {
 public:
  std::unique_ptr<ExtensionHandle> Open(const std::string&) override { return nullptr; }
};

class NullDeviceNotifier final : public DeviceNotifier {
 public:
  std::unique_ptr<DeviceNotification> Subscribe(
      UiPoster, std::function<void(const DeviceInterfaceEvent&)>) override {
    return nullptr;
  }
};

}  // namespace audio77
