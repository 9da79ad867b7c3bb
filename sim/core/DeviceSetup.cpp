#include "sim/core/DeviceSetup.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "device/DLLQK_UsbAudio77xx.h"

namespace audio77::sim {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string LineError(const DeviceIni::Entry& entry, const std::string& what) {
  return "device.ini line " + std::to_string(entry.line) + ": " + what;
}

std::optional<long> InRange(const std::string& text, long low, long high) {
  const auto value = ParseNumber(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return value;
}

bool ApplyIdentity(DeviceSetup& setup, const DeviceIni::Entry& entry, std::string& error) {
  const std::string key = Lower(entry.key);
  static const char* const kKeys[] = {"vendorid", "productid", "revision", "inputreportlength",
                                      "outputreportlength", "present", "gpio"};
  if (std::find(std::begin(kKeys), std::end(kKeys), key) == std::end(kKeys)) {
    error = LineError(entry, "unknown key \"" + entry.key + "\" in [Device]");
    return false;
  }
  const auto value = InRange(entry.value, 0, 0xFFFF);
  if (!value) {
    error = LineError(entry, "\"" + entry.value + "\" is not a number from 0 to 0xFFFF");
    return false;
  }
  const auto number = static_cast<std::uint16_t>(*value);
  if (key == "vendorid") setup.identity.vendor_id = number;
  else if (key == "productid") setup.identity.product_id = number;
  else if (key == "revision") setup.identity.revision = number;
  else if (key == "inputreportlength") setup.identity.input_report_length = number;
  else if (key == "outputreportlength") setup.identity.output_report_length = number;
  else if (key == "present") setup.present = number != 0;
  else setup.state.gpio = static_cast<std::uint16_t>(number & kAllGpioHigh);
  return true;
}

// "addr=b0 b1 ..." into memory from addr on.
template <std::size_t N>
bool ApplyBytes(std::array<std::uint8_t, N>& memory, const DeviceIni::Entry& entry, std::string& error) {
  const auto address = InRange(entry.key, 0, static_cast<long>(N) - 1);
  if (!address) {
    error = LineError(entry, "\"" + entry.key + "\" is not an address below " + std::to_string(N));
    return false;
  }
  std::istringstream words(entry.value);
  auto at = static_cast<std::size_t>(*address);
  std::size_t count = 0;
  for (std::string word; words >> word; ++count, ++at) {
    const auto byte = InRange(word, 0, 0xFF);
    if (!byte || at >= N) {
      error = LineError(entry, byte ? "bytes run past the end" : "\"" + word + "\" is not a byte");
      return false;
    }
    memory[at] = static_cast<std::uint8_t>(*byte);
  }
  if (count == 0) {
    error = LineError(entry, "no bytes given");
    return false;
  }
  return true;
}

// A fault names an entry the library really has: a misspelt name would
// otherwise script a fault no call ever meets.
bool IsEntryName(const std::string& name) {
  static const char* const kNames[] = {
#define AUDIO77_VIRTUAL_ENTRY_NAME(entry) #entry,
      DLLQK_ENTRY_LIST(AUDIO77_VIRTUAL_ENTRY_NAME)
#undef AUDIO77_VIRTUAL_ENTRY_NAME
  };
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

}  // namespace

std::array<std::uint8_t, 16> DefaultEncParameters() {
  return {0x01, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 15, 0x00, 0x00, 0x00, 0x40, 0x1F, 0x00, 0x00};
}

bool DeviceSetup::ApplyFault(const std::string& name, const std::string& value) {
  const std::string key = Lower(name);
  if (key == "ext") {
    if (Lower(value) == "missing") faults.extension_missing = true;
    else if (Lower(value) == "present" || value == "0") faults.extension_missing = false;
    else return false;
    return true;
  }
  const auto number = InRange(value, 0, 1'000'000);
  if (!number) return false;
  const int count = static_cast<int>(*number);
  if (key == "hid.out") faults.hid_out = count;
  else if (key == "hid.in") faults.hid_in = count;
  else if (key == "present") present = count != 0;
  else if (key == "output_report_length" || key == "input_report_length") {
    if (count > 0xFFFF) return false;
    auto& slot = key == "output_report_length" ? faults.output_report_length : faults.input_report_length;
    slot = static_cast<std::uint16_t>(count);
  } else if (IsEntryName(name)) {
    faults.entries[name] = count;
  } else {
    return false;
  }
  return true;
}

std::optional<DeviceSetup> DeviceSetup::FromIni(const DeviceIni& ini, std::string& error) {
  DeviceSetup setup;
  setup.state.enc_parameters = DefaultEncParameters();
  for (const auto& entry : ini.Section("Device")) {
    if (!ApplyIdentity(setup, entry, error)) return std::nullopt;
  }
  for (const auto& entry : ini.Section("Registers")) {
    if (!ApplyBytes(setup.state.registers, entry, error)) return std::nullopt;
  }
  for (const auto& entry : ini.Section("I2C 0x50")) {
    if (!ApplyBytes(setup.state.slave50, entry, error)) return std::nullopt;
  }
  for (const auto& entry : ini.Section("I2C 0x51")) {
    if (!ApplyBytes(setup.state.slave51, entry, error)) return std::nullopt;
  }
  for (const auto& entry : ini.Section("Faults")) {
    if (!setup.ApplyFault(entry.key, entry.value)) {
      error = LineError(entry, "unknown fault \"" + entry.key + "=" + entry.value + "\"");
      return std::nullopt;
    }
  }
  return setup;
}

}  // namespace audio77::sim
