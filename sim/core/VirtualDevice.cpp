#include "sim/core/VirtualDevice.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <utility>

#include "sim/core/ExtensionFirmware.h"
#include "sim/core/HexText.h"
#include "sim/core/StateFolder.h"

namespace audio77::sim {
namespace {

std::uint64_t NewObjectId() {
  std::random_device random;
  return (static_cast<std::uint64_t>(random()) << 32 | random()) | 1;
}

void Drain(int fd) {
  char buffer[4096];
  while (::read(fd, buffer, sizeof buffer) > 0) {
  }
}

}  // namespace

VirtualDevice& VirtualDevice::Instance() {
  static VirtualDevice device;
  static std::once_flag attached;
  std::call_once(attached, [] { device.UseStateFolder(DefaultStateFolder()); });
  return device;
}

VirtualDevice::VirtualDevice() : id_(NewObjectId()), wake_fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

VirtualDevice::~VirtualDevice() {
  {
    Lock lock = record_.Guard();
    stopping_ = true;
  }
  Wake();
  if (worker_.joinable()) worker_.join();
  if (wake_fd_ >= 0) ::close(wake_fd_);
}

void VirtualDevice::Load(const std::string& state_folder) {
  {
    Lock lock = record_.Guard();
    Attach(state_folder, lock);
  }
  Held held(record_);
  const std::uint64_t generation = held->plug_generation;
  held.Replace(record_.FromDeviceIni());
  held->plug_generation = generation + 1;
}

void VirtualDevice::UseStateFolder(const std::string& state_folder) {
  Lock lock = record_.Guard();
  if (record_.Folder() != state_folder || !record_.Attached()) Attach(state_folder, lock);
}

void VirtualDevice::Attach(const std::string& state_folder, Lock& lock) {
  record_.Attach(state_folder, lock);
  hid_.Forget();
  scan_callback_ = nullptr;
  reports_.clear();
  control_.Follow(record_.ControlPath());
  if (!worker_.joinable()) worker_ = std::thread([this] { Work(); });
}

std::string VirtualDevice::StateFolder() const {
  Lock lock = record_.Guard();
  return record_.Folder();
}

std::string VirtualDevice::SetupMessage() const {
  Held held(record_);
  return held->setup_message;
}

void VirtualDevice::Trace(std::string_view line) {
  Lock lock = record_.Guard();
  record_.Trace().Append(line);
}

DeviceIdentity VirtualDevice::Identity() const {
  Held held(record_);
  return held->setup.identity;
}

bool VirtualDevice::Present() const {
  Held held(record_);
  return held->setup.present;
}

DeviceState VirtualDevice::Snapshot() const {
  Held held(record_);
  return held.ReadState();
}

DeviceFaults VirtualDevice::Faults() const {
  Held held(record_);
  return held->setup.faults;
}

std::uint16_t VirtualDevice::InputReportLength() const {
  Held held(record_);
  const auto& setup = held->setup;
  return setup.faults.input_report_length.value_or(setup.identity.input_report_length);
}

std::uint16_t VirtualDevice::OutputReportLength() const {
  Held held(record_);
  const auto& setup = held->setup;
  return setup.faults.output_report_length.value_or(setup.identity.output_report_length);
}

// ---- changes, made here or by other device objects ----

void VirtualDevice::Plug() {
  Held held(record_);
  const bool changed = SetPresence(held, true);
  held.Release();
  if (changed) {
    Announce(true);
    Broadcast("present 1");
  }
}

void VirtualDevice::Unplug() {
  Held held(record_);
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
    Held held(record_);
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
  Held held(record_);
  return held->setup.ApplyFault(name, value);
}

void VirtualDevice::Reset() {
  Held held(record_);
  const bool was_present = held->setup.present;
  const std::uint64_t generation = held->plug_generation;
  held.Replace(record_.FromDeviceIni());
  held->plug_generation = generation + 1;
  const bool now_present = held->setup.present;
  std::ofstream(record_.TracePath(), std::ios::trunc);
  std::remove((record_.TracePath() + ".1").c_str());
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
    const auto loaded = record_.SetupFromDeviceIni();
    DeviceState state = loaded ? loaded->state : DeviceRecord::DefaultSetup().state;
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
    Held held(record_);
    notifications = InterfaceNotifications(held->setup.identity, present);
    // Traced where a program receives them: a process that only sends the
    // change (audio77ctl) has no listener and so adds no second set of lines.
    if (listeners_.empty()) return;
    for (const auto& n : notifications) {
      held.Trace(std::string("notify ") + (n.arrival ? "arrival " : "removal ") + n.class_id + " " +
                 n.device_name);
    }
  }
  Notify(notifications);
}

std::vector<DeviceNotification> VirtualDevice::InterfaceNotifications(const DeviceIdentity& identity,
                                                                      bool arrival) {
  const std::string ids = "VID_" + Hex4(identity.vendor_id) + "&PID_" + Hex4(identity.product_id);
  return {
      {arrival, kAudioClassId,
       "\\\\?\\USB#" + ids + "&MI_00#6&1a2b3c4d&0&0000#{6994ad04-93ef-11d0-a3cc-00a0c9223196}"},
      {arrival, kHidClassId,
       "\\\\?\\HID#" + ids + "&MI_03#7&2b3c4d5e&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}"},
  };
}

void VirtualDevice::Broadcast(const std::string& command) {
  std::string path;
  {
    Lock lock = record_.Guard();
    if (record_.Folder().empty()) return;
    path = record_.ControlPath();
  }
  ControlFile::Send(path, std::to_string(id_) + " " + command);
}

void VirtualDevice::Receive(const std::string& command, std::uintmax_t at) {
  std::istringstream words(command);
  std::string verb, argument;
  words >> verb >> argument;
  if (verb == "present" && (argument == "0" || argument == "1")) {
    {
      // Without the folder's record the sender's change is not seen here:
      // this object's own device follows it.
      Held held(record_);
      if (!held.Shared()) SetPresence(held, argument == "1");
    }
    Announce(argument == "1");
  } else if (verb == "button") {
    const auto lines = ParseNumber(argument);
    if (!lines || *lines < 0 || *lines > kAllGpioHigh) return;
    Held held(record_);
    if (at < scan_from_) return;
    QueueButtonReport(held, static_cast<std::uint16_t>(*lines));
  }
}

void VirtualDevice::Notify(const std::vector<DeviceNotification>& notifications) {
  std::lock_guard order(notify_mutex_);
  std::vector<std::function<void(const DeviceNotification&)>> listeners;
  {
    Lock lock = record_.Guard();
    for (const auto& [token, listener] : listeners_) listeners.push_back(listener);
  }
  for (const auto& notification : notifications) {
    for (const auto& listener : listeners) listener(notification);
  }
}

int VirtualDevice::Subscribe(std::function<void(const DeviceNotification&)> listener) {
  Lock lock = record_.Guard();
  const int token = next_listener_++;
  listeners_[token] = std::move(listener);
  return token;
}

void VirtualDevice::Unsubscribe(int token) {
  // Waits for a batch in progress, so a listener is never called after this returns.
  std::lock_guard order(notify_mutex_);
  Lock lock = record_.Guard();
  listeners_.erase(token);
}

// ---- library entries ----

std::int32_t VirtualDevice::RunEntry(std::string_view name, bool needs_device,
                                     const std::function<std::int32_t(DeviceState&, const DeviceSetup&)>& body,
                                     const std::function<std::string()>& arguments) {
  Held held(record_);
  auto& setup = held->setup;
  std::int32_t result = 0;
  const auto fault = setup.faults.entries.find(std::string(name));
  if (fault != setup.faults.entries.end() && TakeFaultCount(fault->second)) {
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
  held.Trace(line);
  return result;
}

void VirtualDevice::SetButtonScan(ButtonCallback callback, std::uint16_t vendor_id,
                                  std::uint16_t product_id, bool on) {
  {
    Held held(record_);
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
    scan_from_ = control_.End();
    QueueButtonReport(held, 0);
  }
  // Not on the caller's thread: it is inside a library call.
  Wake();
}

void VirtualDevice::QueueButtonReport(const Held& device, std::uint16_t held) {
  const SharedDevice& shared = *device;
  if (scan_callback_ == nullptr || shared.scan_owner != id_ || !shared.setup.present) return;
  const std::uint16_t gpio = device.ReadState().gpio;
  const auto lines = static_cast<std::uint16_t>(gpio & ~held & kAllGpioHigh);
  const Report pressed{scan_callback_, shared.scan_vendor_id, shared.scan_product_id,
                       HidFirmware::GpioReport(lines)};
  reports_.push_back(pressed);
  if (held != 0) {
    // The button goes up again: the lines return to their idle state.
    reports_.push_back({scan_callback_, shared.scan_vendor_id, shared.scan_product_id,
                        HidFirmware::GpioReport(gpio)});
  }
}

void VirtualDevice::DeliverReports() {
  std::lock_guard order(delivery_mutex_);
  Lock lock = record_.Guard();
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
  Held held(record_);
  return HidFirmware::Interfaces(*held);
}

std::optional<std::uint64_t> VirtualDevice::HidOpen(const std::string& path) {
  Held held(record_);
  return hid_.Open(held, path);
}

std::optional<DeviceIdentity> VirtualDevice::HidAttributes(std::uint64_t session) const {
  Held held(record_);
  return hid_.Attributes(held, session);
}

bool VirtualDevice::HidOutput(std::uint64_t session, std::span<const std::uint8_t> report) {
  Held held(record_);
  return hid_.Output(held, session, report);
}

bool VirtualDevice::HidInput(std::uint64_t session, std::span<std::uint8_t> report) {
  Held held(record_);
  return hid_.Input(held, session, report);
}

void VirtualDevice::HidClose(std::uint64_t session) {
  Lock lock = record_.Guard();
  hid_.Close(record_.Trace(), session);
}

// ---- driver extension ----

std::string VirtualDevice::ExtensionPath(std::uint16_t vendor_id, std::uint16_t product_id) {
  return ExtensionFirmware::Path(vendor_id, product_id);
}

bool VirtualDevice::ExtensionOpen(const std::string& path) {
  Held held(record_);
  return ExtensionFirmware::Open(held, path);
}

bool VirtualDevice::ExtensionControl(std::uint32_t code, std::span<const std::uint8_t> in,
                                     std::span<std::uint8_t> out, std::uint32_t& returned) {
  Held held(record_);
  return ExtensionFirmware::Control(held, code, in, out, returned);
}

// ---- enumeration ----

std::vector<std::vector<std::string>> VirtualDevice::PresentHardwareIds() const {
  Held held(record_);
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
  pollfd fds[2] = {{control_.WatchDescriptor(), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
  while (true) {
    if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
    control_.Drain();
    if (wake_fd_ >= 0) Drain(wake_fd_);
    {
      Lock lock = record_.Guard();
      if (stopping_) return;
    }
    DeliverReports();
    ReadControlFile();
    DeliverReports();
  }
}

void VirtualDevice::ReadControlFile() {
  const std::string own = std::to_string(id_) + " ";
  for (const auto& [at, line] : control_.ReadNew()) {
    if (line.rfind(own, 0) == 0) continue;  // acted on when it was sent
    const auto space = line.find(' ');
    if (space != std::string::npos) Receive(line.substr(space + 1), at);
  }
}

}  // namespace audio77::sim
