#pragma once
// The device the window controls: its vendor and product ID, whether it is
// active, whether chip-register writes are allowed, the HID interface held
// from start-up until removal, and the activation counter. The searches and
// activation probes of start-up, arrival and the search timer are built here
// from the device library, the HID transport and the driver extension.

#include <cstdint>
#include <memory>
#include <string>

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "device/RegisterSession.h"
#include "device/ExtensionPath.h"
#include "device/ExtensionTransport.h"
#include "device/HidTransport.h"
#include "platform/Platform.h"

namespace audio77 {

inline constexpr std::uint16_t kDefaultVendorId = 0x2E8D;
inline constexpr std::uint16_t kDefaultProductId = 0x771F;

// How a search repeats its steps; the three callers differ only here.
enum class SearchKind {
  kStartup,  // the search runs twice when needed, the IDs are always overwritten,
             // a failed selection is repeated after 10 ms
  kArrival,  // a failed selection is logged only
  kTimer,    // a failed selection is repeated at once
};

class DeviceSession final : public DeviceStatus, public RegisterPort {
 public:
  DeviceSession(Platform& platform, DeviceLibrary& library);

  std::uint16_t VendorId() const override { return vendor_id_; }
  std::uint16_t ProductId() const override { return product_id_; }
  void SetIds(std::uint16_t vendor_id, std::uint16_t product_id);
  bool Active() const override { return active_; }
  bool RegisterSync() const override { return register_sync_; }
  // Device-active and register synchronisation always change together.
  void SetActive(bool active);
  int ActivationCount() const { return activation_count_; }
  // Counts one activation; true when it is the first since the counter was cleared.
  bool CountActivation();
  void ClearActivationCount() { activation_count_ = 0; }

  // The device search: a fresh list of signed IDs from config_path, the first
  // listed device present, its IDs, its selection in the device library. True
  // when a listed device was found. Every successful search points the driver
  // extension at the new IDs, so no request goes to a device that left.
  bool Search(const std::string& config_path, SearchKind kind);

  // The HID interface for the current IDs, opened for one operation.
  std::unique_ptr<HidHandle> OpenHid();
  bool HidPresent();
  // One register transaction on the current device's interface.
  RegisterSession BeginRegisters() override { return RegisterSession(OpenHid()); }
  // The interface held from start-up until removal or shutdown.
  bool HoldsHid() const { return held_hid_ != nullptr; }
  HidHandle* HeldHid() const { return held_hid_.get(); }
  void HoldHid(std::unique_ptr<HidHandle> handle) { held_hid_ = std::move(handle); }
  void ReleaseHeldHid() { held_hid_.reset(); }

  // The activation probe (audio command group 4, sub-command 0), up to
  // attempts times with no pause; true at the first answer.
  bool ProbeAudioCommand(int attempts);
  // Whether the driver extension opens for the current IDs.
  bool ExtensionPresent();
  // The extension's status query and its query with selector 0, which
  // activation sends to wake the driver; their answers are not used.
  void QueryExtensionStatus();
  void QueryExtension();

  HidTransport& Hid() { return hid_; }
  ExtensionTransport& Extension() { return extension_; }
  DeviceLibrary& Library() { return library_; }

 private:
  int SelectDevice(SearchKind kind);

  Platform& platform_;
  DeviceLibrary& library_;
  HidTransport hid_;
  ExtensionPath extension_path_;
  ExtensionTransport extension_;
  std::uint16_t vendor_id_ = kDefaultVendorId;
  std::uint16_t product_id_ = kDefaultProductId;
  bool active_ = false;
  bool register_sync_ = false;
  int activation_count_ = 0;
  std::unique_ptr<HidHandle> held_hid_;
};

}  // namespace audio77
