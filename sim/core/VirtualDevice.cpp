#include "sim/core/VirtualDevice.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <utility>

#include "sim/core/HexText.h"
#include "sim/core/StateFolder.h"

namespace audio77::sim {
namespace {

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
std::string RecordPath(const std::string& folder) { return folder + "/state"; }
std::string TracePath(const std::string& folder) { return folder + "/trace.log"; }

std::uint64_t NewObjectId() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32 | random()) | 1;
}

void Drain(int fd) {
  char buffer[4096];
  while (::read(fd, buffer, sizeof buffer) > 0) {
  }
}

// device.ini of the folder: the setup, or why it cannot be used.
std::optional<DeviceSetup> ReadDeviceIni(const std::string& folder, std::string& message) {
  message.clear();
  bool exists = false;
  const std::string text = ReadWholeFile(SetupPath(folder), exists);
  if (!exists) return std::nullopt;
  std::string error;
  std::optional<DeviceSetup> loaded;
  if (auto ini = DeviceIni::Parse(text, error)) loaded = DeviceSetup::FromIni(*ini, error);
  if (!loaded) message = error + "; using the default device";
  return loaded;
}

DeviceSetup DefaultSetup() {
  DeviceSetup setup;
  setup.state.enc_parameters = DefaultEncParameters();
  return setup;
}

}  // namespace

// The device's lock and the record's lock, with shared_ brought up to date
// and the live state at hand: the record's own, changed in place, or without
// a usable state folder the object's (it then keeps its device to itself).
// What the holder changed in shared_ is written back when it goes.
class VirtualDevice::Held {
 public:
  explicit Held(const VirtualDevice& device) : device_(const_cast<VirtualDevice&>(device)), lock_(device_.mutex_) {
    if (device_.file_ == nullptr || !device_.file_->Usable()) return;
    file_ = device_.file_.get();
    file_->Lock();
    if (file_->Refresh(device_.shared_)) return;
    // No record yet, or one a killed writer left incomplete.
    device_.shared_ = device_.FromDeviceIni();
    if (!file_->Write(device_.shared_)) {
      // The folder cannot hold it: this call works on the object's copy.
      file_->Unlock();
      file_ = nullptr;
    }
  }
  ~Held() { Release(); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

  // Everything but the live state (shared_.setup.state is not it).
  SharedDevice& operator*() { return device_.shared_; }
  SharedDevice* operator->() { return &device_.shared_; }
  const DeviceState& ReadState() const { return file_ != nullptr ? file_->ReadState() : device_.shared_.setup.state; }
  DeviceState& State() { return file_ != nullptr ? file_->State() : device_.shared_.setup.state; }
  // The whole device, live state included.
  void Replace(SharedDevice fresh) {
    device_.shared_ = std::move(fresh);
    if (file_ != nullptr) file_->State() = device_.shared_.setup.state;
  }
  void Release() {
    if (!lock_.owns_lock()) return;
    if (file_ != nullptr) {
      file_->Commit(device_.shared_);
      file_->Unlock();
    }
    lock_.unlock();
  }

 private:
  VirtualDevice& device_;
  Lock lock_;
  StateFile* file_ = nullptr;
};

VirtualDevice& VirtualDevice::Instance() {
  static VirtualDevice device;
  static std::once_flag attached;
  std::call_once(attached, [] { device.UseStateFolder(DefaultStateFolder()); });
  return device;
}

VirtualDevice::VirtualDevice()
    : trace_(std::make_unique<TraceLog>("")),
      id_(NewObjectId()),
      inotify_fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
      wake_fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  shared_.setup = DefaultSetup();
}

VirtualDevice::~VirtualDevice() {
  {
    Lock lock(mutex_);
    stopping_ = true;
  }
  Wake();
  if (worker_.joinable()) worker_.join();
  if (inotify_fd_ >= 0) ::close(inotify_fd_);
  if (wake_fd_ >= 0) ::close(wake_fd_);
}

void VirtualDevice::Load(const std::string& state_folder) {
  {
    Lock lock(mutex_);
    Attach(state_folder, lock);
  }
  Held held(*this);
  const std::uint64_t generation = held->plug_generation;
  held.Replace(FromDeviceIni());
  held->plug_generation = generation + 1;
}

void VirtualDevice::UseStateFolder(const std::string& state_folder) {
  Lock lock(mutex_);
  if (folder_ != state_folder || file_ == nullptr) Attach(state_folder, lock);
}

void VirtualDevice::Attach(const std::string& state_folder, Lock&) {
  folder_ = state_folder;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  trace_ = std::make_unique<TraceLog>(TracePath(folder_));
  file_ = std::make_unique<StateFile>(RecordPath(folder_));
  sessions_.clear();
  scan_callback_ = nullptr;
  reports_.clear();
  // Events written before this object arrived are not its business.
  std::ofstream(ControlPath(folder_), std::ios::app);
  control_offset_ = std::filesystem::file_size(ControlPath(folder_), ignored);
  if (ignored) control_offset_ = 0;
  if (inotify_fd_ >= 0) {
    if (watch_ >= 0) ::inotify_rm_watch(inotify_fd_, watch_);
    watch_ = ::inotify_add_watch(inotify_fd_, ControlPath(folder_).c_str(), IN_MODIFY);
  }
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
}

SharedDevice VirtualDevice::FromDeviceIni() const {
  SharedDevice shared;
  auto loaded = ReadDeviceIni(folder_, shared.setup_message);
  if (!shared.setup_message.empty()) {
    std::cerr << "audio77-virtual: " << SetupPath(folder_) << ": " << shared.setup_message << '\n';
  }
  shared.setup = loaded ? std::move(*loaded) : DefaultSetup();
  return shared;
}

std::string VirtualDevice::StateFolder() const {
  Lock lock(mutex_);
  return folder_;
}

std::string VirtualDevice::SetupMessage() const {
  Held held(*this);
  return held->setup_message;
}

void VirtualDevice::Trace(std::string_view line) {
  Lock lock(mutex_);
  trace_->Append(line);
}

DeviceIdentity VirtualDevice::Identity() const {
  Held held(*this);
  return held->setup.identity;
}

bool VirtualDevice::Present() const {
  Held held(*this);
  return held->setup.present;
}

DeviceState VirtualDevice::Snapshot() const {
  Held held(*this);
  return held.ReadState();
}

DeviceFaults VirtualDevice::Faults() const {
  Held held(*this);
  return held->setup.faults;
}

std::uint16_t VirtualDevice::InputReportLength() const {
  Held held(*this);
  const auto& setup = held->setup;
  return setup.faults.input_report_length.value_or(setup.identity.input_report_length);
}

std::uint16_t VirtualDevice::OutputReportLength() const {
  Held held(*this);
  const auto& setup = held->setup;
  return setup.faults.output_report_length.value_or(setup.identity.output_report_length);
}

// ---- changes, made here or by other device objects ----

void VirtualDevice::Plug() {
  Held held(*this);
  const bool changed = SetPresence(held, true);
  held.Release();
  if (changed) {
    Announce(true);
    Broadcast("present 1");
  }
}

void VirtualDevice::Unplug() {
  Held held(*this);
  const bool changed = SetPresence(held, false);
  held.Release();
  if (changed) {
    Announce(false);
    Broadcast("present 0");
  }
}

void VirtualDevice::PressButton(std::uint16_t lines) {
  lines &= kAllGpioHigh;
  {
    Held held(*this);
    QueueButtonReport(held, lines);
  }
  Broadcast("button " + std::to_string(lines));
  DeliverReports();
}

bool VirtualDevice::SetFault(const std::string& name, const std::string& value) {
  if (name == "present") {
    if (value != "0" && value != "1") return false;
    if (value == "1") Plug();
    else Unplug();
    return true;
  }
  Held held(*this);
  return held->setup.ApplyFault(name, value);
}

void VirtualDevice::Reset() {
  Held held(*this);
  const bool was_present = held->setup.present;
  const std::uint64_t generation = held->plug_generation;
  held.Replace(FromDeviceIni());
  held->plug_generation = generation + 1;
  const bool now_present = held->setup.present;
  std::ofstream(TracePath(folder_), std::ios::trunc);
  reports_.clear();
  held.Release();
  if (was_present) {
    Announce(false);
    Broadcast("present 0");
  }
  if (now_present) {
    Announce(true);
    Broadcast("present 1");
  }
}

bool VirtualDevice::SetPresence(Held& held, bool present) {
  auto& setup = held->setup;
  if (setup.present == present) return false;
  setup.present = present;
  auto& live = held.State();
  if (present) {
    // A device that comes back has been powered off: everything but its
    // EEPROM starts again from device.ini.
    std::string ignored;
    const auto loaded = ReadDeviceIni(folder_, ignored);
    DeviceState state = loaded ? loaded->state : DefaultSetup().state;
    state.slave50 = live.slave50;
    state.slave51 = live.slave51;
    state.device_selected = live.device_selected;
    live = state;
  } else {
    ++held->plug_generation;
    held->scan_owner = 0;
    reports_.clear();
    live.hid_reply = DeviceState::HidReply::kNone;
  }
  return true;
}

// Notifies this object's listeners of the device's interfaces coming or going.
void VirtualDevice::Announce(bool present) {
  std::vector<DeviceNotification> notifications;
  {
    Held held(*this);
    notifications = InterfaceNotifications(present);
    // Traced where a program receives them: a process that only sends the
    // change (audio77ctl) has no listener and so adds no second set of lines.
    if (listeners_.empty()) return;
    for (const auto& n : notifications) {
      trace_->Append(std::string("notify ") + (n.arrival ? "arrival " : "removal ") + n.class_id + " " +
                     n.device_name);
    }
  }
  Notify(notifications);
}

std::vector<DeviceNotification> VirtualDevice::InterfaceNotifications(bool arrival) const {
  const auto& identity = shared_.setup.identity;
  const std::string ids = "VID_" + Hex4(identity.vendor_id) + "&PID_" + Hex4(identity.product_id);
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
  // One append per event, like a trace line, so events of several senders never mix.
  TraceLog(ControlPath(folder)).Append(std::to_string(id_) + " " + command);
}

void VirtualDevice::Receive(const std::string& command, std::uintmax_t at) {
  std::istringstream words(command);
  std::string verb, argument;
  words >> verb >> argument;
  if (verb == "present" && (argument == "0" || argument == "1")) {
    Announce(argument == "1");
  } else if (verb == "button") {
    const auto lines = ParseNumber(argument);
    if (!lines || *lines < 0 || *lines > kAllGpioHigh) return;
    Held held(*this);
    if (at < scan_from_) return;
    QueueButtonReport(held, static_cast<std::uint16_t>(*lines));
  }
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
  Held held(*this);
  auto& setup = held->setup;
  std::int32_t result = 0;
  const auto fault = setup.faults.entries.find(std::string(name));
  if (fault != setup.faults.entries.end() && TakeCount(fault->second)) {
    result = DLLQK_DEVICE_FAILURE;
  } else if (needs_device && (!setup.present || !held.ReadState().device_selected)) {
    result = DLLQK_NO_DEVICE;
  } else {
    result = body(held.State(), setup);
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
  {
    Held held(*this);
    if (!on || callback == nullptr) {
      if (held->scan_owner == id_) held->scan_owner = 0;
      scan_callback_ = nullptr;
      reports_.clear();
      return;
    }
    const bool starting = scan_callback_ == nullptr || held->scan_owner != id_;
    scan_callback_ = callback;
    held->scan_owner = id_;
    held->scan_vendor_id = vendor_id;
    held->scan_product_id = product_id;
    if (!starting) return;
    std::error_code unknown;
    scan_from_ = std::filesystem::file_size(ControlPath(folder_), unknown);
    if (unknown) scan_from_ = 0;
    QueueButtonReport(held, 0);
  }
  // Not on the caller's thread: it is inside a library call.
  Wake();
}

void VirtualDevice::QueueButtonReport(const Held& device, std::uint16_t held) {
  const SharedDevice& shared = shared_;
  if (scan_callback_ == nullptr || shared.scan_owner != id_ || !shared.setup.present) return;
  const std::uint16_t gpio = device.ReadState().gpio;
  const auto lines = static_cast<std::uint16_t>(gpio & ~held & kAllGpioHigh);
  const Report pressed{scan_callback_, shared.scan_vendor_id, shared.scan_product_id,
                       {0x00, kVendorCommand, static_cast<std::uint8_t>(lines & 0xFF),
                        static_cast<std::uint8_t>(lines >> 8), kGpioRead}};
  reports_.push_back(pressed);
  if (held != 0) {
    // The button goes up again: the lines return to their idle state.
    Report released = pressed;
    released.bytes[2] = static_cast<std::uint8_t>(gpio & 0xFF);
    released.bytes[3] = static_cast<std::uint8_t>(gpio >> 8);
    reports_.push_back(released);
  }
}

void VirtualDevice::DeliverReports() {
  std::lock_guard order(delivery_mutex_);
  Lock lock(mutex_);
  while (!reports_.empty()) {
    const Report report = reports_.front();
    reports_.pop_front();
    // The callback runs without the lock: it may call the library again.
    lock.unlock();
    report.callback(report.vendor_id, report.product_id, report.bytes.data(), 0, 0);
    lock.lock();
  }
}

// ---- HID firmware ----

std::vector<std::string> VirtualDevice::HidInterfaces() const {
  Held held(*this);
  if (!held->setup.present) return {};
  return {kVirtualHidPath};
}

std::optional<std::uint64_t> VirtualDevice::HidOpen(const std::string& path) {
  Held held(*this);
  const auto& setup = held->setup;
  const std::string ids = Hex4(setup.identity.vendor_id) + ":" + Hex4(setup.identity.product_id);
  if (path != kVirtualHidPath || !setup.present) {
    trace_->Append("hid open " + ids + " = none");
    return std::nullopt;
  }
  const std::uint64_t session = next_session_++;
  sessions_[session] = held->plug_generation;
  trace_->Append("hid open " + ids + " = 0");
  return session;
}

bool VirtualDevice::SessionValid(const SharedDevice& shared, std::uint64_t session) const {
  const auto found = sessions_.find(session);
  return shared.setup.present && found != sessions_.end() && found->second == shared.plug_generation;
}

std::optional<DeviceIdentity> VirtualDevice::HidAttributes(std::uint64_t session) const {
  Held held(*this);
  if (!SessionValid(*held, session)) return std::nullopt;
  return held->setup.identity;
}

bool VirtualDevice::HidOutput(std::uint64_t session, std::span<const std::uint8_t> report) {
  Held held(*this);
  auto& setup = held->setup;
  const std::uint16_t length = setup.faults.output_report_length.value_or(setup.identity.output_report_length);
  bool ok = SessionValid(*held, session) && report.size() == length && !TakeCount(setup.faults.hid_out);
  if (ok) ApplyHidCommand(held.State(), report);
  trace_->Append("hid out " + HexBytes(report) + (ok ? " = 0" : " = fail"));
  return ok;
}

void VirtualDevice::ApplyHidCommand(DeviceState& state, std::span<const std::uint8_t> report) {
  // A report too short to hold a command is taken and does nothing.
  if (report.size() < 5) return;
  if (report[1] == 0 && report[2] == 0 && report[3] == 0 && report[4] == 0) {
    state.hid_reply = DeviceState::HidReply::kNone;  // closing report
    return;
  }
  if (report[1] != kVendorCommand) return;
  const std::uint8_t command = report[4];
  if (command == kSetAddress) {
    state.hid_address = static_cast<std::uint16_t>(report[2] | report[3] << 8);
    state.hid_reply = DeviceState::HidReply::kRegister;
  } else if (command == kWriteData && report[3] == 1) {
    state.registers[state.hid_address] = report[2];
  } else if (command == kGpioRead) {
    state.hid_reply = DeviceState::HidReply::kGpio;
  } else if ((command & 0xFC) == kGpioWrite && report[3] == 0xFF) {
    state.gpio = static_cast<std::uint16_t>(report[2] | (command & 0x03) << 8);
  }
}

bool VirtualDevice::HidInput(std::uint64_t session, std::span<std::uint8_t> report) {
  Held held(*this);
  auto& setup = held->setup;
  const std::uint16_t length = setup.faults.input_report_length.value_or(setup.identity.input_report_length);
  const bool ok = SessionValid(*held, session) && !report.empty() && report.size() == length &&
                  !TakeCount(setup.faults.hid_in);
  if (!ok) {
    trace_->Append("hid in " + std::to_string(report.size()) + " = fail");
    return false;
  }
  const auto& state = held.ReadState();
  std::fill(report.begin() + 1, report.end(), std::uint8_t{0});
  // A register answer needs three bytes (report ID, command, value); the
  // lines of the GPIO answer need four.
  if (report.size() >= 3 && state.hid_reply == DeviceState::HidReply::kRegister) {
    report[1] = kVendorCommand;
    report[2] = state.registers[state.hid_address];
  } else if (report.size() >= 4 && state.hid_reply == DeviceState::HidReply::kGpio) {
    report[1] = kVendorCommand;
    report[2] = static_cast<std::uint8_t>(state.gpio & 0xFF);
    report[3] = static_cast<std::uint8_t>(state.gpio >> 8);
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
  Held held(*this);
  const auto& setup = held->setup;
  const bool ok = setup.present && !setup.faults.extension_missing &&
                  path == ExtensionPath(setup.identity.vendor_id, setup.identity.product_id);
  trace_->Append("ext open " + path + (ok ? " = ok" : " = fail"));
  return ok;
}

bool VirtualDevice::ExtensionControl(std::uint32_t code, std::span<const std::uint8_t> in,
                                     std::span<std::uint8_t> out, std::uint32_t& returned) {
  Held held(*this);
  returned = 0;
  const auto& setup = held->setup;
  const bool ok =
      setup.present && !setup.faults.extension_missing && ExtensionRequest(held, code, in, out, returned);
  char code_text[16];
  std::snprintf(code_text, sizeof code_text, "0x%08X", code);
  trace_->Append(std::string("ext ioctl ") + code_text + " in=" + HexBytes(in) + (ok ? " = ok" : " = fail") +
                 " out=" + HexBytes(out.first(ok ? returned : 0)));
  return ok;
}

bool VirtualDevice::ExtensionRequest(Held& held, std::uint32_t code, std::span<const std::uint8_t> in,
                                     std::span<std::uint8_t> out, std::uint32_t& returned) {
  const SharedDevice& shared = *held;
  switch (code) {
    case kExtensionQuery: {
      if (in.size() != 8 || out.size() < 8) return false;
      const auto selector = static_cast<std::uint16_t>(in[2] | in[3] << 8);
      // Selector 0 answers the firmware revision; the driver knows no others.
      const std::int32_t value = selector == 0 ? shared.setup.identity.revision : 0;
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
      held.State().effect_selected = index;
      return true;
    }
    case kApplyEffect:
      if (in.size() != 4 || ReadInt32(in, 0) != 1) return false;
      held.State().effect_applied = held.ReadState().effect_selected;
      return true;
    default:
      return false;
  }
}

// ---- enumeration ----

std::vector<std::vector<std::string>> VirtualDevice::PresentHardwareIds() const {
  Held held(*this);
  if (!held->setup.present) return {};
  const auto& id = held->setup.identity;
  const std::string base = "USB\\VID_" + Hex4(id.vendor_id) + "&PID_" + Hex4(id.product_id);
  std::vector<std::vector<std::string>> devices;
  for (const char* interface : {"&MI_00", "&MI_03"}) {
    devices.push_back({base + "&REV_" + Hex4(id.revision) + interface, base + interface});
  }
  return devices;
}

// ---- the device's own thread: events of other objects, queued reports ----

void VirtualDevice::Wake() {
  if (wake_fd_ < 0) return;
  const std::uint64_t one = 1;
  [[maybe_unused]] const auto written = ::write(wake_fd_, &one, sizeof one);
}

void VirtualDevice::Work() {
  // Sleeps until the control file changes or this object has work: no time-out.
  pollfd fds[2] = {{inotify_fd_, POLLIN, 0}, {wake_fd_, POLLIN, 0}};
  while (true) {
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
    if (inotify_fd_ >= 0) Drain(inotify_fd_);
    if (wake_fd_ >= 0) Drain(wake_fd_);
    {
      Lock lock(mutex_);
      if (stopping_) return;
    }
    DeliverReports();
    ReadControlFile();
    DeliverReports();
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
  std::vector<std::pair<std::uintmax_t, std::string>> commands;  // where each line starts, the line
  std::uintmax_t consumed = offset;
  for (std::string line; std::getline(in, line);) {
    if (in.eof()) break;  // a line still being written
    commands.emplace_back(consumed, line);
    consumed += line.size() + 1;
  }
  {
    Lock lock(mutex_);
    if (path != ControlPath(folder_)) return;  // the folder changed meanwhile
    control_offset_ = consumed;
  }
  const std::string own = std::to_string(id_) + " ";
  for (const auto& [at, line] : commands) {
    if (line.rfind(own, 0) == 0) continue;  // acted on when it was sent
    const auto space = line.find(' ');
    if (space != std::string::npos) Receive(line.substr(space + 1), at);
  }
}

}  // namespace audio77::sim
