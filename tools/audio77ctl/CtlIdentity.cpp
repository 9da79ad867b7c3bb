// audio77ctl nouns of the device identity and the vendor HID transport:
// signing and checking device-ID entries, listing present devices, and
// register and GPIO access on the device the program would pick.
#include <cstdio>
#include <ostream>
#include <string>

#include "ChosenDevice.h"
#include "CtlContext.h"
#include "LinuxDeviceNodes.h"
#include "device/DeviceIdMgr.h"
#include "device/DeviceSearch.h"
#include "device/HidTransport.h"
#include "device/SignedText.h"
#include "device/VidPid.h"
#include "settings/HexText.h"
#include "settings/TextCodec.h"
#include "wiring/ChoosePlatform.h"

namespace audio77::ctl {
namespace {

const std::u16string kSection = u"USB_VID_PID";

std::string Hex(unsigned value, int digits) { return "0x" + HexDigits(value, digits); }

// Decimal, or hexadecimal after "0x"; nothing when malformed or above max.
std::optional<unsigned> ParseNumber(const std::string& text, unsigned max) {
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const std::string digits = hex ? text.substr(2) : text;
  if (digits.empty() || digits.size() > 8) return std::nullopt;
  unsigned long value = 0;
  for (char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned long>(digit);
  }
  if (value > max) return std::nullopt;
  return static_cast<unsigned>(value);
}

const char* OutcomeName(CDeviceIdMgr::EntryOutcome outcome) {
  switch (outcome) {
    case CDeviceIdMgr::EntryOutcome::kAccepted: return "accepted";
    case CDeviceIdMgr::EntryOutcome::kDropped: return "dropped";
    case CDeviceIdMgr::EntryOutcome::kSkipped: return "skipped";
  }
  return "skipped";
}

std::string LoadFailure(int result, const std::string& file) {
  switch (result) {
    case 1: return "cannot load " + file;
    case 2: return file + " has no [USB_VID_PID] section";
    case 3: return "the [USB_VID_PID] section of " + file + " holds no values";
    default: return "decoding of " + file + " stopped at an entry with an empty pattern or signature";
  }
}

int SignPattern(CtlContext& context, const std::string& pattern) {
  for (unsigned char c : pattern) {
    if (c < 0x20 || c > 0x7E) return context.UsageError("PATTERN must be printable ASCII");
  }
  if (pattern.empty() || pattern.front() == ' ' || pattern.back() == ' ') {
    return context.UsageError("PATTERN must not be empty or begin or end with a space");
  }
  if (pattern.find(',') != std::string::npos) return context.UsageError("PATTERN must not contain a comma");
  const std::string entry = pattern + ',' + SignedText::Sign(pattern);
  if (context.json) {
    context.Emit({{"entry", entry}});
  } else {
    context.out << entry << '\n';
  }
  return kExitOk;
}

int CheckFile(CtlContext& context, const std::string& file) {
  CDeviceIdMgr manager;
  const int result = manager.LoadFromConfigFile(kSection, file);
  Json entries = Json::array();
  for (std::size_t i = 0; i < manager.Entries().size(); ++i) {
    const char* outcome = OutcomeName(manager.Outcomes()[i]);
    const std::string entry = TextCodec::Utf16ToUtf8(manager.Entries()[i]);
    if (context.json) {
      entries.push_back({{"outcome", outcome}, {"entry", entry}});
    } else {
      context.out << outcome << ' ' << entry << '\n';
    }
  }
  if (context.json) {
    context.Emit({{"file", file}, {"entries", entries}, {"load_result", result}});
  } else {
    context.out << "load result " << result << '\n';
  }
  return result == 0 ? kExitOk : context.Fail(LoadFailure(result, file));
}

int RunIds(CtlContext& context, CtlArgs args) {
  if (args.size() == 2 && args[0] == "sign") return SignPattern(context, args[1]);
  if (args.size() == 2 && args[0] == "check") {
    if (const auto rejected = context.RejectUnreadableFile(args[1])) return *rejected;
    return CheckFile(context, args[1]);
  }
  return context.UsageError("usage: ids sign PATTERN | ids check FILE");
}

// Where the chosen device shows up on Linux; nothing of it on the virtual platform.
Json LinuxIdentity(const ChosenDevice& chosen) {
  Json identity = {{"usb_id", LinuxDeviceNodes::UsbId(chosen.vendor_id, chosen.product_id)},
                   {"sysfs", nullptr},
                   {"hidraw", nullptr}};
  if (PlatformKindFromEnvironment() != PlatformKind::kLinux) return identity;
  const LinuxDeviceNodes nodes("/sys", "/dev");
  if (const auto device = nodes.UsbDevice(chosen.vendor_id, chosen.product_id)) identity["sysfs"] = *device;
  const auto hidraw = nodes.HidrawNodes(chosen.vendor_id, chosen.product_id);
  for (const auto& node : hidraw) {
    if (node.vendor_interface) {
      identity["hidraw"] = node.node;
      break;
    }
  }
  return identity;
}

std::string TextOf(const Json& value) { return value.is_string() ? value.get<std::string>() : "-"; }

int RunDevices(CtlContext& context, CtlArgs args) {
  std::string config;
  if (args.size() == 2 && args[0] == "--config") config = args[1];
  else if (!args.empty()) return context.UsageError("usage: devices [--config FILE]");
  if (config.empty()) config = ChosenDevice::DefaultConfig(context.platform());
  if (const auto rejected = context.RejectUnreadableFile(config)) return *rejected;
  const auto present = context.platform().devices.ListPresentDevices();
  if (!present) return context.Fail("the list of present devices cannot be obtained");
  const ChosenDevice chosen = ChosenDevice::Search(context.platform(), config);
  Json listed = Json::array();
  bool marked = false;
  for (const auto& device : *present) {
    const std::string id = device.hardware_ids.empty() ? "(no hardware ID)" : device.hardware_ids.front();
    const bool picked = !marked && !chosen.hardware_id.empty() && id == chosen.hardware_id;
    marked = marked || picked;
    if (context.json) {
      listed.push_back({{"hardware_id", id}, {"chosen", picked}});
    } else {
      context.out << (picked ? "* " : "  ") << id << '\n';
    }
  }
  Json choice = nullptr;
  if (!chosen.hardware_id.empty()) {
    const Json identity = LinuxIdentity(chosen);
    choice = {{"hardware_id", chosen.hardware_id},
              {"vendor_id", Hex(chosen.vendor_id, 4)},
              {"product_id", Hex(chosen.product_id, 4)}};
    choice.update(identity);
    if (!context.json) {
      context.out << "vendor " << Hex(chosen.vendor_id, 4) << " product " << Hex(chosen.product_id, 4) << '\n'
                  << "usb " << TextOf(identity["usb_id"]) << " sysfs " << TextOf(identity["sysfs"]) << " hidraw "
                  << TextOf(identity["hidraw"]) << '\n';
    }
  }
  if (context.json) context.Emit({{"config", config}, {"devices", listed}, {"chosen", choice}});
  if (chosen.hardware_id.empty()) return context.Fail("no listed device present (list from " + config + ")");
  return kExitOk;
}

// One HID transaction on the chosen device: open, the operation, the closing
// report, close. operation gives the operation's result.
template <typename Operation>
int HidTransaction(CtlContext& context, const char* what, Operation operation) {
  const ChosenDevice chosen = ChosenDevice::Search(context.platform(), ChosenDevice::DefaultConfig(context.platform()));
  if (chosen.hardware_id.empty()) return context.Fail("no listed device present");
  auto handle = HidTransport(context.platform().hid).Open(chosen.vendor_id, chosen.product_id);
  if (!handle) {
    return context.Fail("no HID interface for " + Hex(chosen.vendor_id, 4) + ":" + Hex(chosen.product_id, 4));
  }
  if (const int result = operation(handle.get())) {
    return context.Fail(std::string(what) + " failed with result " + std::to_string(result));
  }
  if (const int result = HidTransport::SendClosingReport(handle.get())) {
    return context.Fail("closing report failed with result " + std::to_string(result));
  }
  return kExitOk;
}

int RunReg(CtlContext& context, CtlArgs args) {
  if (args.size() == 2 && args[0] == "read") {
    const auto address = ParseNumber(args[1], 0xFFFF);
    if (!address) return context.UsageError("ADDRESS must be a number from 0 to 0xFFFF");
    std::uint8_t value = 0;
    const int code = HidTransaction(context, "register read", [&](HidHandle* handle) {
      return HidTransport::RegisterRead(handle, static_cast<std::uint16_t>(*address), value);
    });
    if (code != kExitOk) return code;
    if (context.json) {
      context.Emit({{"address", Hex(*address, 4)}, {"value", Hex(value, 2)}});
    } else {
      context.out << Hex(value, 2) << '\n';
    }
    return code;
  }
  if (args.size() == 3 && args[0] == "write") {
    const auto address = ParseNumber(args[1], 0xFFFF);
    const auto value = ParseNumber(args[2], 0xFF);
    if (!address) return context.UsageError("ADDRESS must be a number from 0 to 0xFFFF");
    if (!value) return context.UsageError("VALUE must be a number from 0 to 0xFF");
    return HidTransaction(context, "register write", [&](HidHandle* handle) {
      return HidTransport::RegisterWrite(handle, static_cast<std::uint16_t>(*address),
                                         static_cast<std::uint8_t>(*value));
    });
  }
  return context.UsageError("usage: reg read ADDRESS | reg write ADDRESS VALUE");
}

int RunGpio(CtlContext& context, CtlArgs args) {
  if (args.size() == 1 && args[0] == "read") {
    GpioLines lines{};
    const int code = HidTransaction(context, "GPIO read",
                                    [&](HidHandle* handle) { return HidTransport::GpioRead(handle, lines); });
    if (code != kExitOk) return code;
    if (context.json) {
      Json values = Json::array();
      for (const auto line : lines) values.push_back(int{line});
      context.Emit({{"gpio", values}});
      return kExitOk;
    }
    for (std::size_t n = 0; n < lines.size(); ++n) context.out << (n ? " " : "") << int{lines[n]};
    context.out << '\n';
    return kExitOk;
  }
  if (args.size() == 11 && args[0] == "write") {
    GpioLines lines{};
    for (std::size_t n = 0; n < lines.size(); ++n) {
      const auto value = ParseNumber(args[n + 1], 1);
      if (!value) return context.UsageError("each GPIO value must be 0 or 1");
      lines[n] = static_cast<std::uint8_t>(*value);
    }
    return HidTransaction(context, "GPIO write",
                          [&](HidHandle* handle) { return HidTransport::GpioWrite(handle, lines); });
  }
  return context.UsageError("usage: gpio read | gpio write G0 G1 G2 G3 G4 G5 G6 G7 G8 G9");
}

}  // namespace

std::vector<CtlNoun> IdentityNouns() {
  return {
      {"ids",
       "ids sign PATTERN          print PATTERN,SIGNATURE: a signed device-ID entry\n"
       "ids check FILE            verify every entry of FILE's [USB_VID_PID] section\n",
       RunIds},
      {"devices",
       "devices [--config FILE]   list present hardware IDs, mark the one the device search picks\n",
       RunDevices},
      {"reg",
       "reg read ADDRESS          read a chip register over the device's HID interface\n"
       "reg write ADDRESS VALUE   write a chip register (numbers accept 0x)\n",
       RunReg},
      {"gpio",
       "gpio read                 read GPIO 0 to 9\n"
       "gpio write G0 ... G9      set GPIO 0 to 9, each 0 or 1\n",
       RunGpio},
  };
}

}  // namespace audio77::ctl
