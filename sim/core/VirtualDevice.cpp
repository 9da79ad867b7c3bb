#include "sim/core/VirtualDevice.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "sim/core/HexText.h"
#include "sim/core/StateFolder.h"

namespace audio77::sim {
namespace {

// How often the device looks at its control file for commands of other processes.
constexpr auto kControlPollInterval = std::chrono::milliseconds(20);

// Report IDs and command bytes of the vendor HID protocol.
constexpr std::uint8_t kVendorCommand = 0x60;
constexpr std::uint8_t kSetAddress = 0x10;
constexpr std::uint8_t kWriteData = 0x20;
constexpr std::uint8_t kGpioRead = 0x30;
constexpr std::uint8_t kGpioWrite = 0x3C;

// Driver extension requests.
constexpr std::uint32_t kExtensionQuery = 0x00223028;
constexpr std::uint32_t kExtensionStatus = 0x00223190;
constexpr std::uint32_t kSelectEffect = 0x08232008;
constexpr std::uint32_t kApplyEffect = 0x08232000;
constexpr std::int32_t kLastEffectIndex = 4;

std::string ReadWholeFile(const std::string& path, bool& exists) {
  std::ifstream in(path, std::ios::binary);
  exists = static_cast<bool>(in);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Hex4(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

std::int32_t ReadInt32(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[at + i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

void WriteInt32(std::span<std::uint8_t> bytes, std::size_t at, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(raw >> (8 * i));
}

std::string ControlPath(const std::string& folder) { return folder + "/control"; }
std::string SetupPath(const std::string& folder) { return folder + "/device.ini"; }

}  // namespace

VirtualDevice& VirtualDevice::Instance() {
  static VirtualDevice device;
  static std::once_flag loaded;
  std::call_once(loaded, [] { device.UseStateFolder(DefaultStateFolder()); });
  return device;
}

VirtualDevice::VirtualDevice() : trace_(std::make_unique<TraceLog>("")) {
  setup_.state.enc_parameters = DefaultEncParameters();
  state_ = setup_.state;
}

VirtualDevice::~VirtualDevice() {
  {
    Lock lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void VirtualDevice::Load(const std::string& state_folder) {
  Lock lock(mutex_);
  LoadLocked(state_folder, lock);
}

void VirtualDevice::UseStateFolder(const std::string& state_folder) {
  Lock lock(mutex_);
  if (folder_ != state_folder || !worker_.joinable()) LoadLocked(state_folder, lock);
}

void VirtualDevice::LoadLocked(const std::string& state_folder, Lock&) {
  folder_ = state_folder;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  trace_ = std::make_unique<TraceLog>(folder_ + "/trace.log");
  setup_message_.clear();
  bool exists = false;
  const std::string text = ReadWholeFile(SetupPath(folder_), exists);
  std::optional<DeviceSetup> loaded;
  if (exists) {
    std::string error;
    if (auto ini = DeviceIni::Parse(text, error)) loaded = DeviceSetup::FromIni(*ini, error);
    if (!loaded) {
      setup_message_ = error + "; using the default device";
      std::cerr << "audio77-virtual: " << SetupPath(folder_) << ": " << setup_message_ << '\n';
    }
  }
  setup_ = loaded ? std::move(*loaded) : DeviceSetup{};
  if (!loaded) setup_.state.enc_parameters = DefaultEncParameters();
  state_ = setup_.state;
  ++plug_generation_;
  sessions_.clear();
  scan_callback_ = nullptr;
  reports_.clear();
  control_offset_ = std::filesystem::file_size(ControlPath(folder_), ignored);
  if (ignored) control_offset_ = 0;
  if (!worker_.joinable()) {
    stopping_ = false;
    worker_ = std::thread([this] { Work(); });
  }
}

std::string VirtualDevice::StateFolder() const {
  Lock lock(mutex_);
  return folder_;
}

std::string VirtualDevice::SetupMessage() const {
  Lock lock(mutex_);
  return setup_message_;
}

void VirtualDevice::Trace(std::string_view line) {
  Lock lock(mutex_);
  trace_->Append(line);
}

DeviceIdentity VirtualDevice::Identity() const {
  Lock lock(mutex_);
  return setup_.identity;
}

bool VirtualDevice::Present() const {
  Lock lock(mutex_);
  return setup_.present;
}

DeviceState VirtualDevice::Snapshot() const {
  Lock lock(mutex_);
  return state_;
}

DeviceFaults VirtualDevice::Faults() const {
  Lock lock(mutex_);
  return setup_.faults;
}

std::uint16_t VirtualDevice::InputReportLength() const {
  Lock lock(mutex_);
  return setup_.faults.input_report_length.value_or(setup_.identity.input_report_length);
}

std::uint16_t VirtualDevice::OutputReportLength() const {
  Lock lock(mutex_);
  return setup_.faults.output_report_length.value_or(setup_.identity.output_report_length);
}

// ---- changes, local and from other processes ----

void VirtualDevice::Plug() {
  DeviceIni::Update(SetupPath(StateFolder()), "Device", "Present", "1");
  Apply("present 1");
  Broadcast("present 1");
}

void VirtualDevice::Unplug() {
  DeviceIni::Update(SetupPath(StateFolder()), "Device", "Present", "0");
  Apply("present 0");
  Broadcast("present 0");
}

void VirtualDevice::PressButton(std::uint16_t lines) {
  const std::string command = "button " + std::to_string(lines & kAllGpioHigh);
  Apply(command);
  Broadcast(command);
}

bool VirtualDevice::SetFault(const std::string& name, const std::string& value) {
  const std::string command = "fault " + name + " " + value;
  if (!Apply(command)) return false;
  // "present" is the device's presence, which lives under [Device].
  if (name == "present") {
    DeviceIni::Update(SetupPath(StateFolder()), "Device", "Present", value);
  } else {
    DeviceIni::Update(SetupPath(StateFolder()), "Faults", name, value);
  }
  Broadcast(command);
  return true;
}

void VirtualDevice::Reset() {
  const std::string folder = StateFolder();
  DeviceIni::RemoveSection(SetupPath(folder), "Faults");
  if (std::filesystem::exists(SetupPath(folder))) DeviceIni::Update(SetupPath(folder), "Device", "Present", "1");
  std::ofstream(folder + "/trace.log", std::ios::trunc);
  Apply("reset");
  Broadcast("reset");
}

bool VirtualDevice::Apply(const std::string& command) {
  std::istringstream words(command);
  std::string verb, first, second;
  words >> verb >> first >> second;
  Lock lock(mutex_);
  if (verb == "present" && (first == "0" || first == "1")) {
    SetPresence(first == "1", lock);
    return true;
  }
  if (verb == "fault" && !first.empty() && !second.empty()) {
    if (first == "present") {
      if (second != "0" && second != "1") return false;
      SetPresence(second == "1", lock);
      return true;
    }
    return setup_.ApplyFault(first, second);
  }
  if (verb == "button") {
    const auto lines = ParseNumber(first);
    if (!lines || *lines < 0 || *lines > kAllGpioHigh) return false;
    QueueButtonReport(static_cast<std::uint16_t>(*lines));
    return true;
  }
  if (verb == "reset") {
    const bool was_present = setup_.present;
    LoadLocked(folder_, lock);
    const bool now_present = setup_.present;
    if (was_present != now_present) {
      setup_.present = was_present;
      SetPresence(now_present, lock);
    }
    return true;
  }
  return false;
}

void VirtualDevice::SetPresence(bool present, Lock& lock) {
  if (setup_.present == present) return;
  setup_.present = present;
  if (present) {
    // A device that comes back has been powered off: everything but its
    // EEPROM starts again from device.ini.
    auto eeprom50 = state_.slave50;
    auto eeprom51 = state_.slave51;
    const bool selected = state_.device_selected;
    state_ = setup_.state;
    state_.slave50 = eeprom50;
    state_.slave51 = eeprom51;
    state_.device_selected = selected;
  } else {
    ++plug_generation_;
    scan_callback_ = nullptr;
    reports_.clear();
    state_.hid_reply = DeviceState::HidReply::kNone;
  }
  const auto notifications = InterfaceNotifications(present);
  // Traced where a program receives them: a process that only sends the
  // change (audio77ctl) has no listener and so adds no second set of lines.
  if (listeners_.empty()) return;
  for (const auto& n : notifications) {
    trace_->Append(std::string("notify ") + (n.arrival ? "arrival " : "removal ") + n.class_id + " " +
                   n.device_name);
  }
  lock.unlock();
  Notify(notifications);
  lock.lock();
}

std::vector<DeviceNotification> VirtualDevice::InterfaceNotifications(bool arrival) const {
  const std::string ids = "VID_" + Hex4(setup_.identity.vendor_id) + "&PID_" + Hex4(setup_.identity.product_id);
  return {
      {arrival, kAudioClassId,
       "\\\\?\\USB#" + ids + "&MI_00#6&1a2b3c4d&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}"},
      {arrival, kHidClassId,
       "\\\\?\\HID#" + ids + "&MI_03#7&2b3c4d5e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"},
  };
}

void VirtualDevice::Broadcast(const std::string& command) {
  const std::string folder = StateFolder();
  if (folder.empty()) return;
  // One append per command, like a trace line, so commands of several senders never mix.
  TraceLog(ControlPath(folder)).Append(std::to_string(::getpid()) + " " + command);
}

void VirtualDevice::Notify(const std::vector<DeviceNotification>& notifications) {
  std::lock_guard order(notify_mutex_);
  std::vector<std::function<void(const DeviceNotification&)>> listeners;
  {
    Lock lock(mutex_);
    for (const auto& [token, listener] : listeners_) listeners.push_back(listener);
  }
  for (const auto& notification : notifications) {
    for (const auto& listener : listeners) listener(notification);
  }
}

int VirtualDevice::Subscribe(std::function<void(const DeviceNotification&)> listener) {
  Lock lock(mutex_);
  const int token = next_listener_++;
  listeners_[token] = std::move(listener);
  return token;
}

void VirtualDevice::Unsubscribe(int token) {
  // Waits for a batch in progress, so a listener is never called after this returns.
  std::lock_guard order(notify_mutex_);
  Lock lock(mutex_);
  listeners_.erase(token);
}

// ---- library entries ----

bool VirtualDevice::TakeCount(int& count) {
  if (count <= 0) return false;
  --count;
  return true;
}

std::int32_t VirtualDevice::RunEntry(std::string_view name, bool needs_device,
                                     const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                                     const std::function<std::string()>& arguments) {
  Lock lock(mutex_);
  std::int32_t result = 0;
  const auto fault = setup_.faults.entries.find(std::string(name));
  if (fault != setup_.faults.entries.end() && TakeCount(fault->second)) {
    result = DLLQK_DEVICE_FAILURE;
  } else if (needs_device && (!setup_.present || !state_.device_selected)) {
    result = DLLQK_NO_DEVICE;
  } else {
    result = body(state_, setup_);
  }
  std::string line = "lib ";
  line += name;
  const std::string described = arguments ? arguments() : std::string();
  if (!described.empty()) line += " " + described;
  line += " = " + std::to_string(result);
  trace_->Append(line);
  return result;
}

void VirtualDevice::SetButtonScan(ButtonCallback callback, std::uint16_t vendor_id,
                                  std::uint16_t product_id, bool on) {
  Lock lock(mutex_);
  if (!on || callback == nullptr) {
    scan_callback_ = nullptr;
    return;
  }
  const bool starting = scan_callback_ == nullptr;
  scan_callback_ = callback;
  scan_vendor_id_ = vendor_id;
  scan_product_id_ = product_id;
  if (starting) QueueButtonReport(0);
}

void VirtualDevice::QueueButtonReport(std::uint16_t held) {
  if (scan_callback_ == nullptr || !setup_.present) return;
  const auto lines = static_cast<std::uint16_t>(state_.gpio & ~held & kAllGpioHigh);
  const Report pressed{scan_callback_, scan_vendor_id_, scan_product_id_,
                       {0x00, kVendorCommand, static_cast<std::uint8_t>(lines & 0xFF),
                        static_cast<std::uint8_t>(lines >> 8), kGpioRead}};
  reports_.push_back(pressed);
  if (held != 0) {
    // The button goes up again: the lines return to their idle state.
    Report released = pressed;
    released.bytes[2] = static_cast<std::uint8_t>(state_.gpio & 0xFF);
    released.bytes[3] = static_cast<std::uint8_t>(state_.gpio >> 8);
    reports_.push_back(released);
  }
  wake_.notify_all();
}

// ---- HID firmware ----

std::vector<std::string> VirtualDevice::HidInterfaces() const {
  Lock lock(mutex_);
  if (!setup_.present) return {};
  return {kVirtualHidPath};
}

std::optional<std::uint64_t> VirtualDevice::HidOpen(const std::string& path) {
  Lock lock(mutex_);
  const std::string ids = Hex4(setup_.identity.vendor_id) + ":" + Hex4(setup_.identity.product_id);
  if (path != kVirtualHidPath || !setup_.present) {
    trace_->Append("hid open " + ids + " = none");
    return std::nullopt;
  }
  const std::uint64_t session = next_session_++;
  sessions_[session] = plug_generation_;
  trace_->Append("hid open " + ids + " = 0");
  return session;
}

bool VirtualDevice::SessionValid(std::uint64_t session) const {
  const auto found = sessions_.find(session);
  return setup_.present && found != sessions_.end() && found->second == plug_generation_;
}

std::optional<DeviceIdentity> VirtualDevice::HidAttributes(std::uint64_t session) const {
  Lock lock(mutex_);
  if (!SessionValid(session)) return std::nullopt;
  return setup_.identity;
}

bool VirtualDevice::HidOutput(std::uint64_t session, std::span<const std::uint8_t> report) {
  Lock lock(mutex_);
  const std::uint16_t length = setup_.faults.output_report_length.value_or(setup_.identity.output_report_length);
  bool ok = SessionValid(session) && report.size() == length && !TakeCount(setup_.faults.hid_out);
  if (ok) ApplyHidCommand(report);
  trace_->Append("hid out " + HexBytes(report) + (ok ? " = 0" : " = fail"));
  return ok;
}

void VirtualDevice::ApplyHidCommand(std::span<const std::uint8_t> report) {
  // A report too short to hold a command is taken and does nothing.
  if (report.size() < 5) return;
  if (report[1] == 0 && report[2] == 0 && report[3] == 0 && report[4] == 0) {
    state_.hid_reply = DeviceState::HidReply::kNone;  // closing report
    return;
  }
  if (report[1] != kVendorCommand) return;
  const std::uint8_t command = report[4];
  if (command == kSetAddress) {
    state_.hid_address = static_cast<std::uint16_t>(report[2] | report[3] << 8);
    state_.hid_reply = DeviceState::HidReply::kRegister;
  } else if (command == kWriteData && report[3] == 1) {
    state_.registers[state_.hid_address] = report[2];
  } else if (command == kGpioRead) {
    state_.hid_reply = DeviceState::HidReply::kGpio;
  } else if ((command & 0xFC) == kGpioWrite && report[3] == 0xFF) {
    state_.gpio = static_cast<std::uint16_t>(report[2] | (command & 0x03) << 8);
  }
}

bool VirtualDevice::HidInput(std::uint64_t session, std::span<std::uint8_t> report) {
  Lock lock(mutex_);
  const std::uint16_t length = setup_.faults.input_report_length.value_or(setup_.identity.input_report_length);
  const bool ok = SessionValid(session) && !report.empty() && report.size() == length &&
                  !TakeCount(setup_.faults.hid_in);
  if (!ok) {
    trace_->Append("hid in " + std::to_string(report.size()) + " = fail");
    return false;
  }
  std::fill(report.begin() + 1, report.end(), std::uint8_t{0});
  if (report.size() >= 4 && state_.hid_reply == DeviceState::HidReply::kRegister) {
    report[1] = kVendorCommand;
    report[2] = state_.registers[state_.hid_address];
  } else if (report.size() >= 4 && state_.hid_reply == DeviceState::HidReply::kGpio) {
    report[1] = kVendorCommand;
    report[2] = static_cast<std::uint8_t>(state_.gpio & 0xFF);
    report[3] = static_cast<std::uint8_t>(state_.gpio >> 8);
  }
  trace_->Append("hid in " + std::to_string(report.size()) + " = " + HexBytes(report));
  return true;
}

void VirtualDevice::HidClose(std::uint64_t session) {
  Lock lock(mutex_);
  if (sessions_.erase(session) > 0) trace_->Append("hid close");
}

// ---- driver extension ----

std::string VirtualDevice::ExtensionPath(std::uint16_t vendor_id, std::uint16_t product_id) {
  return "\\\\.\\Class#UsbAudioExtension&" + Hex4(vendor_id) + "&" + Hex4(product_id);
}

bool VirtualDevice::ExtensionOpen(const std::string& path) {
  Lock lock(mutex_);
  const bool ok = setup_.present && !setup_.faults.extension_missing &&
                  path == ExtensionPath(setup_.identity.vendor_id, setup_.identity.product_id);
  trace_->Append("ext open " + path + (ok ? " = ok" : " = fail"));
  return ok;
}

bool VirtualDevice::ExtensionControl(std::uint32_t code, std::span<const std::uint8_t> in,
                                     std::span<std::uint8_t> out, std::uint32_t& returned) {
  Lock lock(mutex_);
  returned = 0;
  const bool ok = setup_.present && !setup_.faults.extension_missing && ExtensionRequest(code, in, out, returned);
  char code_text[16];
  std::snprintf(code_text, sizeof code_text, "0x%08X", code);
  trace_->Append(std::string("ext ioctl ") + code_text + " in=" + HexBytes(in) + (ok ? " = ok" : " = fail") +
                 " out=" + HexBytes(out.first(ok ? returned : 0)));
  return ok;
}

bool VirtualDevice::ExtensionRequest(std::uint32_t code, std::span<const std::uint8_t> in,
                                     std::span<std::uint8_t> out, std::uint32_t& returned) {
  switch (code) {
    case kExtensionQuery: {
      if (in.size() != 8 || out.size() < 8) return false;
      const auto selector = static_cast<std::uint16_t>(in[2] | in[3] << 8);
      const auto known = state_.extension_values.find(selector);
      // Selector 0 answers the firmware revision unless a value was stored.
      const std::int32_t value = known != state_.extension_values.end() ? known->second
                                 : selector == 0 ? setup_.identity.revision : 0;
      std::copy(in.begin(), in.end(), out.begin());
      WriteInt32(out, 4, value);
      returned = 8;
      return true;
    }
    case kExtensionStatus:
      if (in.size() != 8 || out.size() < 8) return false;
      WriteInt32(out, 0, 1);
      WriteInt32(out, 4, 1);  // driver ready
      returned = 8;
      return true;
    case kSelectEffect: {
      if (in.size() != 4) return false;
      const std::int32_t index = ReadInt32(in, 0);
      if (index < 0 || index > kLastEffectIndex) return false;
      state_.effect_selected = index;
      return true;
    }
    case kApplyEffect:
      if (in.size() != 4 || ReadInt32(in, 0) != 1) return false;
      state_.effect_applied = state_.effect_selected;
      return true;
    default:
      return false;
  }
}

// ---- enumeration ----

std::vector<std::vector<std::string>> VirtualDevice::PresentHardwareIds() const {
  Lock lock(mutex_);
  if (!setup_.present) return {};
  const auto& id = setup_.identity;
  const std::string base = "USB\\VID_" + Hex4(id.vendor_id) + "&PID_" + Hex4(id.product_id);
  std::vector<std::vector<std::string>> devices;
  for (const char* interface : {"&MI_00", "&MI_03"}) {
    devices.push_back({base + "&REV_" + Hex4(id.revision) + interface, base + interface});
  }
  return devices;
}

// ---- the device's own thread: button reports and the control file ----

void VirtualDevice::Work() {
  Lock lock(mutex_);
  while (!stopping_) {
    wake_.wait_for(lock, kControlPollInterval, [this] { return stopping_ || !reports_.empty(); });
    if (stopping_) break;
    while (!reports_.empty()) {
      const Report report = reports_.front();
      reports_.pop_front();
      // The callback runs without the lock: it may call the library again.
      lock.unlock();
      report.callback(report.vendor_id, report.product_id, report.bytes.data(), 0, 0);
      lock.lock();
    }
    lock.unlock();
    ReadControlFile();
    lock.lock();
  }
}

void VirtualDevice::ReadControlFile() {
  std::string path;
  std::uintmax_t offset = 0;
  {
    Lock lock(mutex_);
    path = ControlPath(folder_);
    offset = control_offset_;
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size <= offset) return;
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::vector<std::string> commands;
  std::uintmax_t consumed = offset;
  for (std::string line; std::getline(in, line);) {
    if (in.eof()) break;  // a line still being written
    consumed += line.size() + 1;
    commands.push_back(line);
  }
  {
    Lock lock(mutex_);
    if (path != ControlPath(folder_)) return;  // the folder changed meanwhile
    control_offset_ = consumed;
  }
  const std::string own = std::to_string(::getpid()) + " ";
  for (const auto& line : commands) {
    if (line.rfind(own, 0) == 0) continue;  // acted on when it was sent
    const auto space = line.find(' ');
    if (space != std::string::npos) Apply(line.substr(space + 1));
  }
}

}  // namespace audio77::sim
