#include "sim/core/HidFirmware.h"

#include <algorithm>

#include "sim/core/HexText.h"

namespace audio77::sim {
namespace {

// Report IDs and command bytes of the vendor HID protocol.
constexpr std::uint8_t kVendorCommand = 0x60;
constexpr std::uint8_t kSetAddress = 0x10;
constexpr std::uint8_t kWriteData = 0x20;
constexpr std::uint8_t kGpioRead = 0x30;
constexpr std::uint8_t kGpioWrite = 0x3C;

}  // namespace

bool TakeFaultCount(int& count) {
  if (count <= 0) return false;
  --count;
  return true;
}

std::vector<std::string> HidFirmware::Interfaces(const SharedDevice& shared) {
  if (!shared.setup.present) return {};
  return {kVirtualHidPath};
}

std::optional<std::uint64_t> HidFirmware::Open(DeviceRecord::Held& held, const std::string& path) {
  const auto& setup = held->setup;
  const std::string ids = Hex4(setup.identity.vendor_id) + ":" + Hex4(setup.identity.product_id);
  if (path != kVirtualHidPath || !setup.present) {
    held.Trace("hid open " + ids + " = none");
    return std::nullopt;
  }
  const std::uint64_t session = next_session_++;
  sessions_[session] = held->plug_generation;
  held.Trace("hid open " + ids + " = 0");
  return session;
}

bool HidFirmware::Valid(const SharedDevice& shared, std::uint64_t session) const {
  const auto found = sessions_.find(session);
  return shared.setup.present && found != sessions_.end() && found->second == shared.plug_generation;
}

std::optional<DeviceIdentity> HidFirmware::Attributes(DeviceRecord::Held& held, std::uint64_t session) const {
  if (!Valid(*held, session)) return std::nullopt;
  return held->setup.identity;
}

bool HidFirmware::Output(DeviceRecord::Held& held, std::uint64_t session, std::span<const std::uint8_t> report) {
  auto& setup = held->setup;
  const std::uint16_t length = setup.faults.output_report_length.value_or(setup.identity.output_report_length);
  const bool ok = Valid(*held, session) && report.size() == length && !TakeFaultCount(setup.faults.hid_out);
  if (ok) ApplyCommand(held.State(), report);
  held.Trace("hid out " + HexBytes(report) + (ok ? " = 0" : " = fail"));
  return ok;
}

void HidFirmware::ApplyCommand(DeviceState& state, std::span<const std::uint8_t> report) {
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

bool HidFirmware::Input(DeviceRecord::Held& held, std::uint64_t session, std::span<std::uint8_t> report) {
  auto& setup = held->setup;
  const std::uint16_t length = setup.faults.input_report_length.value_or(setup.identity.input_report_length);
  const bool ok = Valid(*held, session) && !report.empty() && report.size() == length &&
                  !TakeFaultCount(setup.faults.hid_in);
  if (!ok) {
    held.Trace("hid in " + std::to_string(report.size()) + " = fail");
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
  held.Trace("hid in " + std::to_string(report.size()) + " = " + HexBytes(report));
  return true;
}

std::array<std::uint8_t, 5> HidFirmware::GpioReport(std::uint16_t lines) {
  return {0x00, kVendorCommand, static_cast<std::uint8_t>(lines & 0xFF), static_cast<std::uint8_t>(lines >> 8),
          kGpioRead};
}

void HidFirmware::Close(TraceLog& trace, std::uint64_t session) {
  if (sessions_.erase(session) > 0) trace.Append("hid close");
}

}  // namespace audio77::sim
