#pragma once
// Services that have nothing behind them: no library loads, no device is
// present, no service manager answers, broadcasts go nowhere. A platform uses
// them where the real thing does not exist (no session bus, no driver).

#include "platform/Platform.h"

namespace audio77 {

class NullDynamicLibrary final : public DynamicLibrary {
 public:
  std::shared_ptr<LoadedModule> Load(const std::string&, LoadFailure& failure) override {
    failure = {2, "no loader on this platform"};
    return nullptr;
  }
};

class NullMessageBox final : public MessageBox {
 public:
  MessageBoxAnswer Show(const std::string&, const std::string&, MessageBoxButtons,
                        MessageBoxIcon) override {
    return MessageBoxAnswer::kOk;
  }
};

class NullHidBackend final : public HidBackend {
 public:
  std::optional<std::vector<std::string>> ListInterfaces() override { return std::vector<std::string>{}; }
  std::unique_ptr<HidHandle> Open(const std::string&) override { return nullptr; }
};

class NullDriverExtension final : public DriverExtension {
 public:
  std::unique_ptr<ExtensionHandle> Open(const std::string&) override { return nullptr; }
};

class NullDeviceEnumerator final : public DeviceEnumerator {
 public:
  std::optional<std::vector<PresentDevice>> ListPresentDevices() override {
    return std::vector<PresentDevice>{};
  }
};

class NullDeviceNotifier final : public DeviceNotifier {
 public:
  std::unique_ptr<DeviceNotification> Subscribe(
      UiPoster, std::function<void(const DeviceInterfaceEvent&)>) override {
    return nullptr;
  }
};

class NullServiceManager final : public ServiceManager {
 public:
  std::unique_ptr<ServiceConnection> OpenManager(std::uint32_t) override { return nullptr; }
};

class NullInstanceLink final : public InstanceLink {
 public:
  bool Publish(const std::string&, std::function<void()>) override { return false; }
  bool ActivateRunning(const std::string&) override { return false; }
};

class NullRegistry final : public Registry {
 public:
  bool OpenOrCreateKey(const std::string&, bool* created) override {
    if (created) *created = false;
    return false;
  }
  bool KeyExists(const std::string&) const override { return false; }
  std::optional<RegistryValue> QueryValue(const std::string&, const std::string&) const override {
    return std::nullopt;
  }
  bool SetDword(const std::string&, const std::string&, std::uint32_t) override { return false; }
  bool SetString(const std::string&, const std::string&, const std::string&) override { return false; }
  bool SetBinary(const std::string&, const std::string&, std::span<const std::uint8_t>) override {
    return false;
  }
  std::vector<std::string> EnumerateSubkeys(const std::string&) const override { return {}; }
};

// Every name is free: each caller gets the lock.
class NullInstanceLock final : public InstanceLock {
 public:
  InstanceLockResult Acquire(const std::string&) override { return InstanceLockResult::kAcquired; }
};

// Numbers are handed out by name; broadcasts reach only this program.
class LocalMessageBus final : public MessageBus {
 public:
  std::uint32_t Register(const std::string& name) override {
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] == name) return kFirst + static_cast<std::uint32_t>(i);
    }
    names_.push_back(name);
    return kFirst + static_cast<std::uint32_t>(names_.size() - 1);
  }
  void Broadcast(std::uint32_t message, std::uint32_t) override {
    if (handler_) handler_(message);
  }
  void SetHandler(std::function<void(std::uint32_t)> handler) override { handler_ = std::move(handler); }

 private:
  static constexpr std::uint32_t kFirst = 0xC000;  // where registered messages start
  std::vector<std::string> names_;
  std::function<void(std::uint32_t)> handler_;
};

}  // namespace audio77
