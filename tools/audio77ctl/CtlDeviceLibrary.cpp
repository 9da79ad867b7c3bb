// audio77ctl nouns of the device library: "bind" and "virtual".
#include <chrono>
#include <cstring>
#include <iomanip>
#include <condition_variable>
#include <fstream>
#include <iostream>
#include <mutex>
#include <sstream>

#include "CtlContext.h"
#include "LightingStatus.h"
#include "LinuxDeviceNodes.h"
#include "device/AudioCommand.h"
#include "device/DeviceLibrary.h"
#include "settings/HexText.h"
#include "platform/RecordingDebugOutput.h"
#include "sim/core/DeviceIni.h"
#include "sim/core/DeviceSubscription.h"
#include "sim/core/VirtualDevice.h"

namespace audio77::ctl {
namespace {

// Boxes of the binding go to standard output, so that a script sees them.
class PrintingMessageBox final : public MessageBox {
 public:
  explicit PrintingMessageBox(std::ostream& out) : out_(out) {}
  MessageAnswer Show(const std::string& text, const std::string& caption, MessageButtons buttons,
                     MessageIcon) override {
    out_ << "message box \"" << caption << "\": " << text << '\n';
    return DismissAnswer(buttons);
  }

 private:
  std::ostream& out_;
};

// What the bound library answers to the program's own calls for its default
// device, with harmless values: on a machine without the device, or where an
// entry is not supported, none of them may claim success.
void PrintFeatureCalls(std::ostream& out, DeviceLibrary& library) {
  auto line = [&out](const std::string& call, std::int32_t result) { out << call << " = " << result << '\n'; };
  line("DLLQK_SetActive_Device(0x2E8D, 0x771F)", library.SetActive_Device(0x2E8D, 0x771F));
  AudioCommand probe(AudioCommand::kNoiseCancellationGroup, AudioCommand::kSwitchSub);
  line("DLLQK_AudioCommand(4, 0, 0)", library.SendAudioCommand(probe));
  std::uint8_t value = 0;
  line("DLLQK_Read_Register_ById(0x100)", library.Read_Register_ById(0x100, value, 0));
  std::int32_t on = 0;
  line("DLLQK_IsEQ_Enable_ById", library.IsEQ_Enable_ById(on, 0));
  line("DLLQK_Is3D_Enable_ById", library.Is3D_Enable_ById(on, 0));
  line("DLLQK_SetVirtual7ch1_OnOff(0)", library.SetVirtual7ch1_OnOff(0));
  line("DLLQK_SetVirtual7ch1_Scalar(2.0)", library.SetVirtual7ch1_Scalar(2.0F));
  line("DLLQK_SetRGB_Mode(0, 0, 1, 0, 0)", library.SetRGB_Mode(0, 0, 1, 0, 0));
}

int Bind(CtlContext& context, CtlArgs args) {
  const bool calls = !args.empty() && args[0] == "--calls";
  if (calls) args = args.subspan(1);
  if (args.size() > 1) return context.UsageError("bind takes at most one library");
  const std::string file = args.empty() ? DeviceLibrary::kProgramFileName : args[0];
  RecordingDebugOutput debug;
  PrintingMessageBox boxes(context.out);
  DeviceLibrary library(context.platform().loader, debug, boxes);
  const int result = library.Open_DLLQK_UsbAudio77xx(file);
  context.out << debug.Text();
  context.out << "Open_DLLQK_UsbAudio77xx(" << file << ") = " << result << '\n';
  if (result != 0) return context.Fail("binding " + file + " gave " + std::to_string(result));
  if (calls) PrintFeatureCalls(context.out, library);
  return kExitOk;
}

std::string Hex4(unsigned value) { return HexDigits(value & 0xFFFF, 4); }

// The speakers of the placement block, in its order.
constexpr const char* kSpeakers[] = {"L", "R", "C", "SUB", "LS", "RS", "LB", "RB"};

// The virtual 7.1 switch, the scale and the last placement block the device
// was given, decoded: the enable, then a distance and an angle per speaker.
Json Virtual71Document(const sim::DeviceState& state) {
  DLLQK_Virtual7ch1Placement block{};
  std::memcpy(&block, state.placement.data(), sizeof block);
  Json speakers = Json::array();
  for (std::size_t i = 0; i < std::size(kSpeakers); ++i) {
    speakers.push_back({{"speaker", kSpeakers[i]}, {"distance", block.distance[i]}, {"angle", block.angle[i]}});
  }
  return {{"on", state.virtual71_on},
          {"scale", state.virtual71_scale},
          {"placement", {{"enable", block.enable}, {"speakers", speakers}}}};
}

void PrintVirtual71(std::ostream& out, const Json& virtual71) {
  out << "virtual 7.1: " << (virtual71["on"].get<bool>() ? "on" : "off") << ", scale "
      << virtual71["scale"].get<float>() << '\n'
      << "placement: enable " << virtual71["placement"]["enable"].get<int>() << '\n';
  for (const auto& speaker : virtual71["placement"]["speakers"]) {
    out << "  " << std::left << std::setw(4) << speaker["speaker"].get<std::string>() << std::right << std::fixed
        << std::setprecision(4) << "distance " << speaker["distance"].get<float>() << "  angle "
        << speaker["angle"].get<float>() << '\n'
        << std::defaultfloat;
  }
}

int Status(CtlContext& context, sim::VirtualDevice& device) {
  const auto identity = device.Identity();
  const auto faults = device.Faults();
  Json fault_counts = Json::object();
  for (const auto& [name, count] : faults.entries) {
    if (count > 0) fault_counts[name] = count;
  }
  if (faults.hid_out > 0) fault_counts["hid.out"] = faults.hid_out;
  if (faults.hid_in > 0) fault_counts["hid.in"] = faults.hid_in;
  if (faults.extension_missing) fault_counts["ext"] = "missing";
  if (faults.output_report_length) fault_counts["output_report_length"] = *faults.output_report_length;
  if (faults.input_report_length) fault_counts["input_report_length"] = *faults.input_report_length;
  const std::string setup_message = device.SetupMessage();
  const sim::DeviceState state = device.Snapshot();
  const Json virtual71 = Virtual71Document(state);
  if (context.json) {
    context.Emit({{"state_folder", device.StateFolder()},
                  {"vendor_id", Hex4(identity.vendor_id)},
                  {"product_id", Hex4(identity.product_id)},
                  {"revision", Hex4(identity.revision)},
                  {"usb_id", LinuxDeviceNodes::UsbId(identity.vendor_id, identity.product_id)},
                  {"present", device.Present()},
                  {"input_report_length", device.InputReportLength()},
                  {"output_report_length", device.OutputReportLength()},
                  {"faults", fault_counts},
                  {"device_ini", setup_message.empty() ? Json(nullptr) : Json(setup_message)},
                  {"lighting",
                   {{"master", LightingStatus::ToJson(state.master)},
                    {"slave", LightingStatus::ToJson(state.slave)}}},
                  {"virtual71", virtual71}});
    return kExitOk;
  }
  context.out << "state folder: " << device.StateFolder() << '\n'
              << "device: " << Hex4(identity.vendor_id) << ':' << Hex4(identity.product_id) << " revision "
              << Hex4(identity.revision) << '\n'
              << "present: " << (device.Present() ? "yes" : "no") << '\n'
              << "report lengths: input " << device.InputReportLength() << ", output "
              << device.OutputReportLength() << '\n'
              << "usb id: " << LinuxDeviceNodes::UsbId(identity.vendor_id, identity.product_id) << '\n';
  std::ostringstream listed;
  for (const auto& [name, count] : fault_counts.items()) {
    listed << ' ' << name << '=' << (count.is_string() ? count.get<std::string>() : count.dump());
  }
  context.out << "faults:" << (listed.str().empty() ? " none" : listed.str()) << '\n';
  if (!setup_message.empty()) context.out << "device.ini: " << setup_message << '\n';
  context.out << LightingStatus::Text("lighting", state.master) << LightingStatus::Text("slave lighting", state.slave);
  PrintVirtual71(context.out, virtual71);
  return kExitOk;
}

int Trace(CtlContext& context, sim::VirtualDevice& device) {
  std::ifstream in(device.StateFolder() + "/trace.log", std::ios::binary);
  if (!in) return kExitOk;  // nothing traced yet
  context.out << in.rdbuf();
  return kExitOk;
}

// Prints arrivals and removals as a program on the virtual device receives
// them, until count have been seen; gives up after a minute without one.
int Watch(CtlContext& context, sim::VirtualDevice& device, long count) {
  constexpr auto kPatience = std::chrono::minutes(1);
  std::mutex mutex;
  std::condition_variable seen_one;
  std::vector<std::string> lines;
  sim::DeviceSubscription subscription(device, [&](const sim::DeviceNotification& n) {
    std::lock_guard lock(mutex);
    lines.push_back(std::string(n.arrival ? "arrival " : "removal ") + n.class_id + " " + n.device_name);
    seen_one.notify_all();
  });
  std::size_t printed = 0;
  std::unique_lock lock(mutex);
  while (printed < static_cast<std::size_t>(count)) {
    if (!seen_one.wait_for(lock, kPatience, [&] { return lines.size() > printed; })) {
      return context.Fail("no device notification within a minute");
    }
    for (; printed < lines.size() && printed < static_cast<std::size_t>(count); ++printed) {
      context.out << lines[printed] << std::endl;
    }
  }
  return kExitOk;
}

int Virtual(CtlContext& context, CtlArgs args) {
  if (args.empty()) return context.UsageError("virtual needs a verb");
  const std::string& verb = args[0];
  const auto arguments = args.subspan(1);
  auto& device = sim::VirtualDevice::Instance();
  const auto expect = [&](std::size_t count) { return arguments.size() == count; };
  if (verb == "status" && expect(0)) return Status(context, device);
  if (verb == "trace" && expect(0)) return Trace(context, device);
  if (verb == "plug" && expect(0)) {
    device.Plug();
    return kExitOk;
  }
  if (verb == "unplug" && expect(0)) {
    device.Unplug();
    return kExitOk;
  }
  if (verb == "reset" && expect(0)) {
    device.Reset();
    return kExitOk;
  }
  if (verb == "press-button" && expect(1)) {
    const auto bits = sim::ParseNumber(arguments[0]);
    if (!bits || *bits <= 0 || *bits > sim::kAllGpioHigh) {
      return context.UsageError("press-button takes GPIO bits from 1 to 0x3FF, not '" + arguments[0] + "'");
    }
    device.PressButton(static_cast<std::uint16_t>(*bits));
    return kExitOk;
  }
  if (verb == "watch" && expect(1)) {
    const auto count = sim::ParseNumber(arguments[0]);
    if (!count || *count <= 0) return context.UsageError("watch takes a count above 0, not '" + arguments[0] + "'");
    return Watch(context, device, *count);
  }
  if (verb == "fault" && expect(2)) {
    if (!device.SetFault(arguments[0], arguments[1])) {
      return context.UsageError("unknown fault '" + arguments[0] + " " + arguments[1] + "'");
    }
    return kExitOk;
  }
  return context.UsageError("unknown or incomplete command 'virtual " + verb + "'");
}

}  // namespace

std::vector<CtlNoun> DeviceLibraryNouns() {
  return {
      {"bind",
       "bind [--calls] [LIBRARY]  bind the device library (default DLLQK_UsbAudio77xx_x32.dll, the\n"
       "bind            file libDLLQK_UsbAudio77xx.so) and print its debug lines and result;\n"
       "bind            --calls: also what it answers to the program's own calls\n",
       Bind},
      {"virtual",
       "virtual status  identity, presence, faults and lighting of the virtual device; virtual 7.1's\n"
       "                switch, scale and last placement (eight distances and angles)\n"
       "virtual plug | unplug  plug the virtual device in or out; running programs see it\n"
       "virtual press-button BITS  press and release the buttons on GPIO lines BITS (bit n is GPIO n)\n"
       "virtual fault NAME N  script a fault: an entry name (its next N calls fail), hid.out, hid.in,\n"
       "virtual fault NAME N  ext (missing), output_report_length, input_report_length, present\n"
       "virtual trace  print trace.log\n"
       "virtual watch COUNT  print the next COUNT arrival and removal notifications as they come\n"
       "virtual reset  start the device again from device.ini and clear the trace\n",
       Virtual},
  };
}

}  // namespace audio77::ctl
