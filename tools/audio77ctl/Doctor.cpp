#include "Doctor.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "ChosenDevice.h"
#include "LinuxDeviceNodes.h"
#include "device/ExtensionPath.h"
#include "device/HidTransport.h"

namespace audio77::ctl {
namespace fs = std::filesystem;
namespace {

constexpr std::uint16_t kVendor77xx = 0x2E8D;
constexpr const char* kRuleFile = "70-audio77.rules";
constexpr const char* kServiceName = "AudioDeviceService";
// SC_MANAGER_CONNECT; SERVICE_QUERY_STATUS.
constexpr std::uint32_t kConnectAccess = 1;
constexpr std::uint32_t kQueryAccess = 4;

const char* kInstallRule = "sudo apt install audio77 (from a source tree: sudo packaging/install.sh), then replug the device";
const char* kApplyRule =
    "sudo udevadm control --reload-rules && sudo udevadm trigger --action=change --subsystem-match=hidraw";

std::string Join(const std::vector<std::string>& words, const char* separator) {
  std::string text;
  for (const auto& word : words) text += (text.empty() ? "" : separator) + word;
  return text;
}

const char* StateName(ServiceState state) {
  switch (state) {
    case ServiceState::kStopped: return "stopped";
    case ServiceState::kStartPending: return "starting";
    case ServiceState::kStopPending: return "stopping";
    case ServiceState::kRunning: return "running";
    case ServiceState::kContinuePending: return "continuing";
    case ServiceState::kPausePending: return "pausing";
    case ServiceState::kPaused: return "paused";
  }
  return "in an unknown state";
}

}  // namespace

Doctor::Doctor(Platform& platform, DoctorEnvironment environment)
    : platform_(platform), environment_(std::move(environment)) {}

const char* Doctor::StatusWord(DoctorStatus status) {
  switch (status) {
    case DoctorStatus::kOk: return "ok";
    case DoctorStatus::kWarn: return "warn";
    case DoctorStatus::kFail: return "FAIL";
    case DoctorStatus::kSkip: return "skip";
    case DoctorStatus::kInfo: return "info";
  }
  return "info";
}

bool Doctor::Healthy(const std::vector<DoctorCheck>& checks) {
  for (const auto& check : checks) {
    if (check.status == DoctorStatus::kFail) return false;
  }
  return true;
}

std::string Doctor::EndpointOfCard(const std::string& pactl_json, const std::string& card) {
  const auto list = nlohmann::json::parse(pactl_json, nullptr, false);
  if (!list.is_array()) return {};
  for (const auto& endpoint : list) {
    if (!endpoint.is_object() || !endpoint.contains("properties") || !endpoint["properties"].is_object()) continue;
    const auto& properties = endpoint["properties"];
    const auto alsa_card = properties.find("alsa.card");
    if (alsa_card == properties.end() || !alsa_card->is_string() || alsa_card->get<std::string>() != card) continue;
    // A monitor source only echoes a sink; it is no microphone.
    const auto monitor = endpoint.find("monitor_of_sink");
    if (monitor != endpoint.end() && monitor->is_string() && monitor->get<std::string>() != "n/a") continue;
    const auto name = endpoint.find("name");
    if (name != endpoint.end() && name->is_string()) return name->get<std::string>();
  }
  return {};
}

void Doctor::Add(std::string check, DoctorStatus status, std::string finding, std::string fix) {
  checks_.push_back({std::move(check), status, std::move(finding), std::move(fix)});
}

void Doctor::Skip(const std::string& check, const std::string& why) { Add(check, DoctorStatus::kSkip, why); }

std::vector<DoctorCheck> Doctor::Run() {
  checks_.clear();
  CheckLibrary();
  if (CheckDevice()) {
    const auto node = CheckHidNode();
    CheckAccess(node);
    CheckSoundServer(CheckSoundCard());
  } else {
    for (const char* check : {"hid", "access", "sound card", "sound server"}) Skip(check, "no device to check");
  }
  CheckSession();
  CheckService();
  return checks_;
}

std::string Doctor::ProgramFolder() const {
  return environment_.program_folder.empty() ? platform_.folders.ProgramFolder() : environment_.program_folder;
}

void Doctor::CheckLibrary() {
  const std::string folder = ProgramFolder();
  const std::string library = folder + (Linux() ? "" : "virtual/") + "libDLLQK_UsbAudio77xx.so";
  std::error_code error;
  if (fs::is_regular_file(library, error)) {
    Add("library", DoctorStatus::kOk, "device library " + library);
  } else if (Linux()) {
    Add("library", DoctorStatus::kFail, "the device library " + library + " is missing",
        "sudo apt install --reinstall audio77");
  } else {
    Add("library", DoctorStatus::kFail, "the virtual device's library " + library + " is missing",
        "sudo apt install audio77-virtual (from a source tree: cmake --build --preset default)");
  }
}

bool Doctor::CheckDevice() {
  const std::string config = ProgramFolder() + "AudioConfig.cfg";
  const ChosenDevice chosen = ChosenDevice::Search(platform_, config);
  hardware_id_ = chosen.hardware_id;
  vendor_id_ = chosen.vendor_id;
  product_id_ = chosen.product_id;
  const std::string usb_id = LinuxDeviceNodes::UsbId(vendor_id_, product_id_);
  if (!hardware_id_.empty()) {
    std::string where;
    if (Linux()) {
      const auto device = LinuxDeviceNodes(environment_.sys_root, environment_.dev_root).UsbDevice(vendor_id_, product_id_);
      if (device) where = " at " + *device;
    }
    Add("device", DoctorStatus::kOk, usb_id + " " + hardware_id_ + where);
    return true;
  }
  if (!Linux()) {
    Add("device", DoctorStatus::kFail, "the virtual device is unplugged (or not listed in " + config + ")",
        "audio77ctl virtual plug");
    return false;
  }
  const auto present = LinuxDeviceNodes(environment_.sys_root, environment_.dev_root).UsbIdsOfVendor(kVendor77xx);
  if (present.empty()) {
    Add("device", DoctorStatus::kFail, "no 77xx device is plugged in (no USB device 2e8d:* in sysfs)",
        "plug the headset in; 'lsusb -d 2e8d:' lists it when the system sees it");
  } else {
    Add("device", DoctorStatus::kFail,
        "USB device " + Join(present, ", ") + " is plugged in, but " + config + " lists no signed entry for it",
        "add its entry to [USB_VID_PID]: audio77ctl ids sign 'USB\\VID_2E8D&PID_XXXX' (XXXX its product ID)");
  }
  return false;
}

std::optional<std::string> Doctor::CheckHidNode() {
  if (!Linux()) {
    // The program's own search over the platform's HID interfaces.
    if (HidTransport(platform_.hid).Open(vendor_id_, product_id_)) {
      Add("hid", DoctorStatus::kOk, "the virtual device's HID interface opens");
      return std::string("virtual");
    }
    Add("hid", DoctorStatus::kFail, "the virtual device's HID interface does not open",
        "audio77ctl virtual status shows its faults; audio77ctl virtual reset starts it again");
    return std::nullopt;
  }
  const auto nodes = LinuxDeviceNodes(environment_.sys_root, environment_.dev_root).HidrawNodes(vendor_id_, product_id_);
  const std::string usb_id = LinuxDeviceNodes::UsbId(vendor_id_, product_id_);
  if (nodes.empty()) {
    Add("hid", DoctorStatus::kFail, usb_id + " has no hidraw node: the kernel's HID driver did not take it",
        "sudo modprobe usbhid hidraw, then replug the device");
    return std::nullopt;
  }
  for (const auto& node : nodes) {
    if (node.vendor_interface) {
      Add("hid", DoctorStatus::kOk, node.node + " is the vendor interface of " + usb_id + " (" + node.sysfs + ")");
      return node.node;
    }
  }
  Add("hid", DoctorStatus::kFail,
      usb_id + " has hidraw nodes, but none declares the vendor reports the register exchange needs",
      "the device's firmware offers no register interface; Audio77 cannot set it");
  return std::nullopt;
}

bool Doctor::CheckAccess(const std::optional<std::string>& node) {
  if (!node) {
    Skip("access", "no HID node to open");
    return false;
  }
  if (!Linux()) {
    Add("access", DoctorStatus::kOk, "the virtual device needs no permission");
    return true;
  }
  const int error = environment_.open_error(*node);
  const std::string user = environment_.user_name + " (uid " + std::to_string(environment_.user_id) + ")";
  if (error == 0) {
    Add("access", DoctorStatus::kOk, user + " can open " + *node + " for reading and writing");
    return true;
  }
  if (error != EACCES && error != EPERM) {
    Add("access", DoctorStatus::kFail, *node + " cannot be opened: " + std::strerror(error),
        "replug the device; if it stays, see: sudo dmesg | tail");
    return false;
  }
  std::string rule;
  for (const auto& folder : environment_.rule_folders) {
    std::error_code exists_error;
    if (fs::exists(fs::path(folder) / kRuleFile, exists_error)) {
      rule = (fs::path(folder) / kRuleFile).string();
      break;
    }
  }
  if (rule.empty()) {
    Add("access", DoctorStatus::kFail,
        user + " may not open " + *node + ": no udev rule " + kRuleFile + " gives the seat's user the device",
        kInstallRule);
  } else if (!environment_.acl_grants_user(*node)) {
    Add("access", DoctorStatus::kFail,
        user + " may not open " + *node + ": " + rule +
            " is installed, but the node's ACL does not name this user (the rule was not applied yet, "
            "or this login is not the seat's active local session)",
        std::string(kApplyRule) + "; for a remote login: sudo setfacl -m u:" + environment_.user_name + ":rw " +
            *node);
  } else {
    Add("access", DoctorStatus::kFail, user + " may not open " + *node + " although its ACL names this user",
        "see who holds the node: getfacl " + *node + "; ls -l " + *node);
  }
  return false;
}

std::optional<std::string> Doctor::CheckSoundCard() {
  if (!Linux()) {
    if (platform_.extension.Open(ExtensionPath::Format(vendor_id_, product_id_))) {
      Add("sound card", DoctorStatus::kOk, "the virtual device's driver extension is present");
    } else {
      Add("sound card", DoctorStatus::kFail, "the virtual device's driver extension is missing",
          "audio77ctl virtual reset (a fault ext=missing in device.ini keeps it away)");
    }
    return std::nullopt;
  }
  const auto card = LinuxDeviceNodes(environment_.sys_root, environment_.dev_root).SoundCard(vendor_id_, product_id_);
  const std::string usb_id = LinuxDeviceNodes::UsbId(vendor_id_, product_id_);
  if (!card) {
    Add("sound card", DoctorStatus::kFail, "the kernel bound no ALSA sound card to " + usb_id,
        "sudo modprobe snd-usb-audio, then replug the device");
    return std::nullopt;
  }
  Add("sound card", DoctorStatus::kOk, "ALSA " + *card + " belongs to " + usb_id);
  return card;
}

void Doctor::CheckSoundServer(const std::optional<std::string>& card) {
  if (!Linux()) {
    Add("sound server", DoctorStatus::kInfo, "the virtual device has no sound server endpoints");
    return;
  }
  if (!card) {
    Skip("sound server", "no sound card to look for");
    return;
  }
  const std::string number = card->substr(4);
  const auto sinks = environment_.sound_server_list("sinks");
  const auto sources = environment_.sound_server_list("sources");
  if (sinks && sinks->empty()) {
    Add("sound server", DoctorStatus::kWarn, "pactl is not installed: the sound server cannot be asked",
        "sudo apt install pulseaudio-utils");
    return;
  }
  if (!sinks || !sources) {
    Add("sound server", DoctorStatus::kWarn, "no sound server answers in this session",
        "systemctl --user start pipewire-pulse (or pulseaudio)");
    return;
  }
  const std::string sink = EndpointOfCard(*sinks, number);
  const std::string source = EndpointOfCard(*sources, number);
  if (!sink.empty() && !source.empty()) {
    Add("sound server", DoctorStatus::kOk, "sink " + sink + ", source " + source);
    return;
  }
  std::vector<std::string> missing;
  if (sink.empty()) missing.push_back("sink (headphones)");
  if (source.empty()) missing.push_back("source (microphone)");
  Add("sound server", DoctorStatus::kWarn, "the sound server shows no " + Join(missing, " and ") + " of " + *card,
      "choose a card profile with output and input: pactl list cards, then pactl set-card-profile CARD PROFILE");
}

void Doctor::CheckSession() {
  if (!environment_.session_bus()) {
    Add("session bus", DoctorStatus::kFail, "no session bus: DBUS_SESSION_BUS_ADDRESS leads nowhere",
        "start Audio77 inside a desktop session (or: dbus-run-session -- audio77 -servicestart)");
    Skip("notification area", "no session bus to ask");
    Skip("window", "no session bus to ask");
    return;
  }
  Add("session bus", DoctorStatus::kOk, "the session bus answers");
  if (environment_.notification_area()) {
    Add("notification area", DoctorStatus::kOk, "a StatusNotifierWatcher serves the notification area");
  } else {
    Add("notification area", DoctorStatus::kWarn,
        "no StatusNotifierWatcher on the session bus: the tray icon shows only where an XEmbed tray runs",
        "GNOME: sudo apt install gnome-shell-extension-appindicator, then log in again");
  }
  if (environment_.window_running()) {
    Add("window", DoctorStatus::kInfo, "an Audio77 window runs in this session");
  } else {
    Add("window", DoctorStatus::kInfo, "no Audio77 window runs in this session", "audio77 -servicestart");
  }
}

void Doctor::CheckService() {
  const auto manager = platform_.services.OpenManager(kConnectAccess);
  if (!manager) {
    Add("service", DoctorStatus::kWarn, "the service manager cannot be reached: " + std::string(kServiceName) +
                                            " gets no start-up requests (the control panel works without it)",
        "check the system bus: busctl --system status");
    return;
  }
  const auto service = manager->OpenService(kServiceName, kQueryAccess);
  const auto state = service ? service->QueryState() : std::nullopt;
  if (!state) {
    Add("service", DoctorStatus::kWarn,
        std::string("the companion service unit ") + kServiceName +
            ".service is not installed: audio77 -boot and a start without a switch reach nothing "
            "(the control panel works without it)",
        "install the companion service, or ignore this if you start Audio77 with -servicestart");
    return;
  }
  Add("service", DoctorStatus::kOk, std::string(kServiceName) + " is " + StateName(*state));
}

}  // namespace audio77::ctl
