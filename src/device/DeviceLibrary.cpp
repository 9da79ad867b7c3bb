#include "device/DeviceLibrary.h"

#include <algorithm>
#include <cctype>

namespace audio77 {
namespace {

// The library calls the button callback without a context pointer, so the
// receiver of the reports is process-wide. Guarded: the library's thread
// reads it while the program may replace it.
std::mutex button_sink_mutex;
DeviceLibrary::ButtonSink button_sink;
const DeviceLibrary* button_sink_owner = nullptr;

bool EndsWithIgnoringCase(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), text.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

DeviceLibrary::DeviceLibrary(DynamicLibrary& loader, DebugOutput& debug, MessageBox& message_box)
    : loader_(loader), debug_(debug), message_box_(message_box) {}

DeviceLibrary::~DeviceLibrary() {
  std::lock_guard lock(button_sink_mutex);
  if (button_sink_owner == this) {
    button_sink = nullptr;
    button_sink_owner = nullptr;
  }
}

const std::array<const char*, DeviceLibrary::kEntryCount>& DeviceLibrary::EntryNames() {
  static const std::array<const char*, kEntryCount> names = {
#define AUDIO77_DEVICE_ENTRY_NAME(name) #name,
      DLLQK_ENTRY_LIST(AUDIO77_DEVICE_ENTRY_NAME)
#undef AUDIO77_DEVICE_ENTRY_NAME
  };
  return names;
}

std::string DeviceLibrary::PlatformFileName(const std::string& program_file_name) {
  const auto separator = program_file_name.find_last_of('/');
  const std::string folder = separator == std::string::npos ? "" : program_file_name.substr(0, separator + 1);
  std::string name = program_file_name.substr(folder.size());
  if (!EndsWithIgnoringCase(name, ".dll")) return program_file_name;
  name.resize(name.size() - 4);
  // The 32- and 64-bit builds of the maker's library are one library here.
  for (const char* bitness : {"_x32", "_x64"}) {
    if (EndsWithIgnoringCase(name, bitness)) name.resize(name.size() - 4);
  }
  return folder + "lib" + name + ".so";
}

int DeviceLibrary::Open_DLLQK_UsbAudio77xx(const std::string& file_name) {
  LoadFailure failure;
  {
    std::lock_guard lock(call_mutex_);
    slots_.fill(nullptr);
    module_ = loader_.Load(PlatformFileName(file_name), failure);
    if (module_) return BindRows();
  }
  // Without the call lock: the box runs a modal loop, and work that runs
  // meanwhile (timers, the button thread) may call into the library.
  ShowLoadFailure(failure);
  return 1;
}

int DeviceLibrary::BindRows() {
  const auto& names = EntryNames();
  for (std::size_t row = 0; row < names.size(); ++row) {
    slots_[row] = module_->Symbol(names[row]);
    if (slots_[row] != nullptr) continue;
    // The first two rows fail silently; every later one names itself.
    if (row >= 2) debug_.Write(std::string("***** ") + names[row] + " *****\n");
    return static_cast<int>(row) + 2;
  }
  return 0;
}

bool DeviceLibrary::IsBound(DeviceEntry entry) const {
  std::lock_guard lock(call_mutex_);
  return slots_[static_cast<std::size_t>(entry)] != nullptr;
}

void DeviceLibrary::ShowLoadFailure(const LoadFailure& failure) {
  message_box_.Show("error " + std::to_string(failure.code) + ": " + failure.text, "Error", MessageButtons::kOk,
                    MessageIcon::kNone);
}

std::int32_t DeviceLibrary::OnButtonReport(std::uint16_t vendor_id, std::uint16_t product_id,
                                           const std::uint8_t* report, std::int32_t, std::int32_t) {
  if (report == nullptr) return 0;
  ButtonReport copy{};
  std::copy_n(report, copy.size(), copy.begin());
  std::lock_guard lock(button_sink_mutex);
  if (button_sink) button_sink(vendor_id, product_id, copy);
  return 0;
}

// ---- the called entries ----

#define AUDIO77_CALL(name, ...) Call<name##_Fn>(DeviceEntry::name, __VA_ARGS__)

std::int32_t DeviceLibrary::SetActive_Device(std::uint16_t vendor_id, std::uint16_t product_id) {
  return AUDIO77_CALL(DLLQK_SetActive_Device, vendor_id, product_id);
}

std::int32_t DeviceLibrary::SendAudioCommand(AudioCommand& command) {
  return AUDIO77_CALL(DLLQK_AudioCommand, command.Block(), command.Length());
}

std::int32_t DeviceLibrary::SetVirtual7ch1_OnOff(std::int32_t on) {
  return AUDIO77_CALL(DLLQK_SetVirtual7ch1_OnOff, on);
}

std::int32_t DeviceLibrary::SetVirtual7ch1_Scalar(float scale) {
  return AUDIO77_CALL(DLLQK_SetVirtual7ch1_Scalar, scale);
}

std::int32_t DeviceLibrary::SetVirtual7ch1(const DLLQK_Virtual7ch1Placement& placement) {
  return AUDIO77_CALL(DLLQK_SetVirtual7ch1, &placement);
}

std::int32_t DeviceLibrary::SetEnc_Parameters(const std::array<std::uint8_t, DLLQK_ENC_PARAMETERS_LENGTH>& parameters) {
  return AUDIO77_CALL(DLLQK_SetEnc_Parameters, parameters.data());
}

std::int32_t DeviceLibrary::ConfigEQ_ById(std::uint8_t index) { return AUDIO77_CALL(DLLQK_ConfigEQ_ById, index); }

std::int32_t DeviceLibrary::Config3D_ById(std::uint8_t index) { return AUDIO77_CALL(DLLQK_Config3D_ById, index); }

std::int32_t DeviceLibrary::SetEQ_OnOff_ById(std::int32_t on, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetEQ_OnOff_ById, on, index);
}

std::int32_t DeviceLibrary::Set3D_OnOff_ById(std::int32_t on, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_Set3D_OnOff_ById, on, index);
}

std::int32_t DeviceLibrary::IsEQ_Enable_ById(std::int32_t& on, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_IsEQ_Enable_ById, &on, index);
}

std::int32_t DeviceLibrary::Is3D_Enable_ById(std::int32_t& on, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_Is3D_Enable_ById, &on, index);
}

std::int32_t DeviceLibrary::Read_Register_ById(std::uint16_t address, std::uint8_t& value, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_Read_Register_ById, address, &value, index);
}

std::int32_t DeviceLibrary::Write_Register_ById(std::uint16_t address, std::uint8_t value, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_Write_Register_ById, address, value, index);
}

std::int32_t DeviceLibrary::Read_I2C_ById(std::uint8_t slave, std::uint8_t reg, std::uint8_t* buffer,
                                          std::int32_t length, std::int32_t timeout, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_Read_I2C_ById, slave, reg, buffer, length, timeout, index);
}

std::int32_t DeviceLibrary::SetGpioModeEx_ById(std::uint8_t gpio, std::uint8_t mode, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetGpioModeEx_ById, gpio, mode, index);
}

std::int32_t DeviceLibrary::ScanButton_ById(std::uint16_t vendor_id, std::uint16_t product_id, ButtonSink sink,
                                            std::int32_t on, std::uint8_t index) {
  {
    std::lock_guard lock(button_sink_mutex);
    button_sink = std::move(sink);
    button_sink_owner = this;
  }
  const DLLQK_ButtonCallback callback = &DeviceLibrary::OnButtonReport;
  return AUDIO77_CALL(DLLQK_ScanButton_ById, vendor_id, product_id, callback, on, index);
}

std::int32_t DeviceLibrary::SetRGB_Mode(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                        std::uint8_t value, std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_SetRGB_Mode, address, led, mode, value, timing);
}

std::int32_t DeviceLibrary::SetRGB_Color(std::uint8_t address, std::uint8_t led, std::uint8_t slot,
                                         std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                         std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_SetRGB_Color, address, led, slot, red, green, blue, timing);
}

std::int32_t DeviceLibrary::SetRGB_SingleColor(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                               std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                               std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_SetRGB_SingleColor, address, led, mode, red, green, blue, timing);
}

std::int32_t DeviceLibrary::SetRGB_Step(std::uint8_t address, std::uint8_t steps, std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_SetRGB_Step, address, steps, timing);
}

std::int32_t DeviceLibrary::SetRGB_Brightness(std::uint8_t address, std::uint8_t led, std::uint8_t level,
                                              std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_SetRGB_Brightness, address, led, level, timing);
}

std::int32_t DeviceLibrary::SetRGB_Mode_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                             std::uint8_t value, std::int32_t timing, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetRGB_Mode_ById, address, led, mode, value, timing, index);
}

std::int32_t DeviceLibrary::SetRGB_Color_ById(std::uint8_t address, std::uint8_t led, std::uint8_t slot,
                                              std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                              std::int32_t timing, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetRGB_Color_ById, address, led, slot, red, green, blue, timing, index);
}

std::int32_t DeviceLibrary::SetRGB_SingleColor_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode,
                                                    std::uint8_t red, std::uint8_t green, std::uint8_t blue,
                                                    std::int32_t timing, std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetRGB_SingleColor_ById, address, led, mode, red, green, blue, timing, index);
}

std::int32_t DeviceLibrary::SetRGB_Step_ById(std::uint8_t address, std::uint8_t steps, std::int32_t timing,
                                             std::uint8_t index) {
  return AUDIO77_CALL(DLLQK_SetRGB_Step_ById, address, steps, timing, index);
}

std::int32_t DeviceLibrary::UsbHidSlave_SetRGB_Mode_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t value,
                                                       std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_UsbHidSlave_SetRGB_Mode_Ex, led, mode, value, timing);
}

std::int32_t DeviceLibrary::UsbHidSlave_SetRGB_Color_Ex(std::uint8_t led, std::uint8_t slot, std::uint8_t red,
                                                        std::uint8_t green, std::uint8_t blue, std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_UsbHidSlave_SetRGB_Color_Ex, led, slot, red, green, blue, timing);
}

std::int32_t DeviceLibrary::UsbHidSlave_SetRGB_SingleColor_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t red,
                                                              std::uint8_t green, std::uint8_t blue,
                                                              std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_UsbHidSlave_SetRGB_SingleColor_Ex, led, mode, red, green, blue, timing);
}

std::int32_t DeviceLibrary::UsbHidSlave_SetRGB_Step_Ex(std::uint8_t steps, std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_UsbHidSlave_SetRGB_Step_Ex, steps, timing);
}

std::int32_t DeviceLibrary::UsbHidSlave_SetRGB_Brightness_Ex(std::uint8_t led, std::uint8_t level,
                                                             std::int32_t timing) {
  return AUDIO77_CALL(DLLQK_UsbHidSlave_SetRGB_Brightness_Ex, led, level, timing);
}

#undef AUDIO77_CALL

}  // namespace audio77
