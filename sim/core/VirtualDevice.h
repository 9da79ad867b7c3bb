#pragma once
// The virtual 77xx device: one per process, shared by the device library
// module and the virtual platform. It keeps identity, presence, registers,
// EEPROM, GPIO lines and the state behind every library entry, answers the
// HID register exchange and the driver extension, and writes every event to
// trace.log in its state folder.
//
// Other processes drive it through the state folder: "audio77ctl virtual plug"
// appends a command to the folder's control file, and the device of every
// process using that folder acts on it within a few tens of milliseconds.

#include <condition_variable>
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
#include "sim/core/DeviceSetup.h"
#include "sim/core/DeviceState.h"
#include "sim/core/TraceLog.h"

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
inline constexpr char kVirtualHidPath[] = "virtual-hidraw0";

class VirtualDevice {
 public:
  // The process's device; the first use loads the default state folder.
  static VirtualDevice& Instance();

  VirtualDevice();
  ~VirtualDevice();
  VirtualDevice(const VirtualDevice&) = delete;
  VirtualDevice& operator=(const VirtualDevice&) = delete;

  // Starts over from a state folder: reads its device.ini (the default device
  // when it is missing or malformed) and traces to its trace.log.
  void Load(const std::string& state_folder);
  // Loads the folder unless it is the current one.
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

  // Changes made by this process: acted on here at once, written to device.ini
  // where they last, and passed to every other process using the state folder.
  void Plug();
  void Unplug();
  // lines: bit n set = the button on GPIO n is held down.
  void PressButton(std::uint16_t lines);
  bool SetFault(const std::string& name, const std::string& value);
  // Clears the trace and the faults, plugs the device and reloads device.ini everywhere.
  void Reset();
  // One command of the control file, acted on here only.
  bool Apply(const std::string& command);

  int Subscribe(std::function<void(const DeviceNotification&)> listener);
  void Unsubscribe(int token);

  // Runs one library entry under the device lock: a scripted fault or a missing
  // device fails it before body runs; then traces "lib <name> <arguments> = <result>".
  // arguments is called after body, so it can show what body returned.
  std::int32_t RunEntry(std::string_view name, bool needs_device,
                        const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                        const std::function<std::string()>& arguments);
  // Starts (on != 0) or stops button scanning; the first report after a start
  // is the idle state of the lines.
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
  using Lock = std::unique_lock<std::mutex>;
  struct Report {
    ButtonCallback callback;
    std::uint16_t vendor_id;
    std::uint16_t product_id;
    std::array<std::uint8_t, 5> bytes;
  };

  void LoadLocked(const std::string& state_folder, Lock& lock);
  void SetPresence(bool present, Lock& lock);
  void Broadcast(const std::string& command);
  void Notify(const std::vector<DeviceNotification>& notifications);
  std::vector<DeviceNotification> InterfaceNotifications(bool arrival) const;
  bool TakeCount(int& count);
  void QueueButtonReport(std::uint16_t lines);
  bool SessionValid(std::uint64_t session) const;
  void ApplyHidCommand(std::span<const std::uint8_t> report);
  bool ExtensionRequest(std::uint32_t code, std::span<const std::uint8_t> in,
                        std::span<std::uint8_t> out, std::uint32_t& returned);
  void Work();
  void ReadControlFile();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::string folder_;
  std::string setup_message_;
  std::unique_ptr<TraceLog> trace_;
  DeviceSetup setup_;   // identity, presence, faults as loaded and changed since
  DeviceState state_;
  std::uint64_t plug_generation_ = 0;
  std::uint64_t next_session_ = 1;
  std::map<std::uint64_t, std::uint64_t> sessions_;  // session -> plug generation

  ButtonCallback scan_callback_ = nullptr;
  std::uint16_t scan_vendor_id_ = 0;
  std::uint16_t scan_product_id_ = 0;
  std::deque<Report> reports_;

  std::map<int, std::function<void(const DeviceNotification&)>> listeners_;
  int next_listener_ = 1;
  std::mutex notify_mutex_;  // one notification batch at a time, in order

  std::uintmax_t control_offset_ = 0;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace audio77::sim
