#pragma once
// The virtual 77xx device. Its whole state (identity, presence, registers,
// EEPROM, GPIO lines, the state behind every library entry, lighting, the
// button scan's owner, faults) lives in the record of its state folder
// (StateFile), so every process and every device object using the folder
// drives one device, and the device outlives the processes. Each call takes
// the record's lock, works on the live state in the record itself (it is
// mapped), brings the object's copy of the rest (identity, presence, faults,
// scan) up to date and writes back what it changed there.
//
// Events reach other device objects through the folder's control file: an
// unplug, plug or button press appends one line, and every other object
// watching the folder (inotify, no polling) acts on it on its own thread:
// removal and arrival notifications, button reports to the scan's callback.
// A change made by this object is acted on here at once, on the caller's
// thread.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "device/DLLQK_UsbAudio77xx.h"
#include "sim/core/ControlFile.h"
#include "sim/core/DeviceRecord.h"
#include "sim/core/DeviceSetup.h"
#include "sim/core/DeviceState.h"
#include "sim/core/HidFirmware.h"

namespace audio77::sim {

// The button report callback of the library: vendor ID, product ID, 5 report
// bytes, two values the receiver ignores.
using ButtonCallback = std::int32_t (*)(std::uint16_t, std::uint16_t, const std::uint8_t*,
                                        std::int32_t, std::int32_t);

struct DeviceNotification {
  bool arrival = true;
  std::string class_id;     // "{4D1E55B2-F16F-11CF-88CB-001111000030}" and the like
  std::string device_name;  // "\\?\HID#VID_2E8D&PID_771F&MI_03#...#{...}"
};

inline constexpr char kHidClassId[] = "{4D1E55B2-F16F-11CF-88CB-001111000030}";
inline constexpr char kAudioClassId[] = "{6994AD04-93EF-11D0-A3CC-00A0C9223196}";

class VirtualDevice {
 public:
  // The device object of this copy of the code (a program and the library
  // module may each carry one; their state folder makes them one device).
  // The first use attaches it to the default state folder.
  static VirtualDevice& Instance();

  VirtualDevice();
  ~VirtualDevice();
  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  // Starts the folder's device over from its device.ini (the default device
  // when it is missing or malformed), without notifications.
  void Load(const std::string& state_folder);
  // Uses the folder's device as it is (from device.ini when it has no record yet).
  void UseStateFolder(const std::string& state_folder);
  std::string StateFolder() const;
  // Why device.ini was not used ("device.ini line 3: ..."), or empty.
  std::string SetupMessage() const;
  void Trace(std::string_view line);

  DeviceIdentity Identity() const;
  bool Present() const;
  DeviceState Snapshot() const;
  DeviceFaults Faults() const;
  // Lengths the HID interface reports, faults applied.
  std::uint16_t InputReportLength() const;
  std::uint16_t OutputReportLength() const;

  void Plug();
  void Unplug();
  // lines: bit n set = the button on GPIO n is held down; it is released again
  // at once. The scan's callback gets both reports before this returns when
  // this object owns the scan.
  void PressButton(std::uint16_t lines);
  bool SetFault(const std::string& name, const std::string& value);
  // Everything from device.ini again, the trace cleared; seen by programs as
  // an unplug followed by a plug.
  void Reset();

  int Subscribe(std::function<void(const DeviceNotification&)> listener);
  void Unsubscribe(int token);

  // Runs one library entry under the device lock: a scripted fault or a missing
  // device fails it before body runs; then traces "lib <name> <arguments> = <result>".
  // arguments is called after body, so it can show what body returned. body
  // gets the live state and the rest of the device (identity, presence,
  // faults); the state inside that setup is not the live one.
  std::int32_t RunEntry(std::string_view name, bool needs_device,
                        const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                        const std::function<std::string()>& arguments);
  // Starts (on) or stops button scanning. A start makes this object the
  // scan's owner, replacing any other; its first report, the idle state of
  // the lines, comes on the device's own thread.
  void SetButtonScan(ButtonCallback callback, std::uint16_t vendor_id, std::uint16_t product_id, bool on);

  // HID interface of the device firmware.
  std::vector<std::string> HidInterfaces() const;
  // A session number, or none when the path is not the device's or it is absent.
  std::optional<std::uint64_t> HidOpen(const std::string& path);
  std::optional<DeviceIdentity> HidAttributes(std::uint64_t session) const;
  bool HidOutput(std::uint64_t session, std::span<const std::uint8_t> report);
  bool HidInput(std::uint64_t session, std::span<std::uint8_t> report);
  void HidClose(std::uint64_t session);

  // The audio driver's extension device.
  static std::string ExtensionPath(std::uint16_t vendor_id, std::uint16_t product_id);
  bool ExtensionOpen(const std::string& path);
  bool ExtensionControl(std::uint32_t code, std::span<const std::uint8_t> in,
                        std::span<std::uint8_t> out, std::uint32_t& returned);

  // Hardware IDs of every present interface, most specific first.
  std::vector<std::vector<std::string>> PresentHardwareIds() const;

 private:
  using Lock = DeviceRecord::Lock;
  using Held = DeviceRecord::Held;
  struct Report {
    ButtonCallback callback;
    std::uint16_t vendor_id;
    std::uint16_t product_id;
    std::array<std::uint8_t, 5> bytes;
  };

  void Attach(const std::string& state_folder, Lock& lock);
  bool SetPresence(Held& held, bool present);
  void Announce(bool present);
  void Broadcast(const std::string& command);
  // at: where the command's line starts in the control file.
  void Receive(const std::string& command, std::uintmax_t at);
  void Notify(const std::vector<DeviceNotification>& notifications);
  static std::vector<DeviceNotification> InterfaceNotifications(const DeviceIdentity& identity, bool arrival);
  void QueueButtonReport(const Held& device, std::uint16_t held);
  void DeliverReports();
  void Wake();
  void Work();
  void ReadControlFile();

  // Its lock guards everything of this object below.
  DeviceRecord record_;
  const std::uint64_t id_;       // names this object in the control file and as scan owner
  HidFirmware hid_;

  ButtonCallback scan_callback_ = nullptr;
  std::deque<Report> reports_;
  std::mutex delivery_mutex_;  // one delivery at a time, in order

  std::map<int, std::function<void(const DeviceNotification&)>> listeners_;
  int next_listener_ = 1;
  std::mutex notify_mutex_;  // one notification batch at a time, in order

  ControlFile control_;
  // Where the control file ended when this object's scan started: a press
  // sent before it, read late by the device's thread, is not the scan's.
  std::uintmax_t scan_from_ = 0;
  int wake_fd_ = -1;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace audio77::sim
