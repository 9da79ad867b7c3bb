#pragma once
// The device library, bound at run time: the table of 249 entries in a fixed
// order, the binding with its results, and every call the program makes.
//
// Every call goes through this object. Calls are serialised (the UI thread,
// the two lighting workers and the library's own button thread all reach the
// library), and an entry that is not bound answers kNotBound without calling
// anything, so a failed binding never leads to a jump through a null slot.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "device/AudioCommand.h"
#include "device/DLLQK_UsbAudio77xx.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/MessageBox.h"

namespace audio77 {

// Rows of the table, in table order (row k, counted from 1, is entry k - 1).
enum class DeviceEntry : int {
#define AUDIO77_DEVICE_ENTRY(name) name,
  DLLQK_ENTRY_LIST(AUDIO77_DEVICE_ENTRY)
#undef AUDIO77_DEVICE_ENTRY
};

class DeviceLibrary {
 public:
  static constexpr int kEntryCount = 249;
  static constexpr std::int32_t kNotBound = -255;
  static constexpr char kProgramFileName[] = "DLLQK_UsbAudio77xx_x32.dll";
  using ButtonReport = std::array<std::uint8_t, DLLQK_BUTTON_REPORT_LENGTH>;
  // Receives each button report on the library's thread; it should only hand
  // the copy on to the UI thread.
  using ButtonSink = std::function<void(std::uint16_t vendor_id, std::uint16_t product_id, const ButtonReport&)>;

  DeviceLibrary(DynamicLibrary& loader, DebugOutput& debug, MessageBox& message_box);
  ~DeviceLibrary();
  DeviceLibrary(const DeviceLibrary&) = delete;
  DeviceLibrary& operator=(const DeviceLibrary&) = delete;

  // The file this platform loads for a library name of the program:
  // "DLLQK_UsbAudio77xx_x32.dll" is "libDLLQK_UsbAudio77xx.so"; other names stay.
  static std::string PlatformFileName(const std::string& program_file_name);
  static const std::array<const char*, kEntryCount>& EntryNames();

  // Loads the library and binds the table: 0 all bound, 1 the library does not
  // load (after the system error box), k + 1 when row k is missing. Binding
  // stops at the first missing row; rows after it stay unbound.
  int Open_DLLQK_UsbAudio77xx(const std::string& file_name);
  bool IsBound(DeviceEntry entry) const;

  // Any entry by its row, with the argument types of its prototype.
  template <typename Function, typename... Args>
  std::int32_t Call(DeviceEntry entry, Args... args) {
    std::lock_guard lock(call_mutex_);
    void* slot = slots_[static_cast<std::size_t>(entry)];
    if (slot == nullptr) return kNotBound;
    return reinterpret_cast<Function>(slot)(args...);
  }

  // The entries the program calls.
  std::int32_t SetActive_Device(std::uint16_t vendor_id, std::uint16_t product_id);
  std::int32_t SendAudioCommand(AudioCommand& command);
  std::int32_t SetVirtual7ch1_OnOff(std::int32_t on);
  std::int32_t SetVirtual7ch1_Scalar(float scale);
  std::int32_t SetVirtual7ch1(const DLLQK_Virtual7ch1Placement& placement);
  std::int32_t SetEnc_Parameters(const std::array<std::uint8_t, DLLQK_ENC_PARAMETERS_LENGTH>& parameters);
  std::int32_t ConfigEQ_ById(std::uint8_t index);
  std::int32_t Config3D_ById(std::uint8_t index);
  std::int32_t SetEQ_OnOff_ById(std::int32_t on, std::uint8_t index);
  std::int32_t Set3D_OnOff_ById(std::int32_t on, std::uint8_t index);
  std::int32_t IsEQ_Enable_ById(std::int32_t& on, std::uint8_t index);
  std::int32_t Is3D_Enable_ById(std::int32_t& on, std::uint8_t index);
  std::int32_t Read_Register_ById(std::uint16_t address, std::uint8_t& value, std::uint8_t index);
  std::int32_t Write_Register_ById(std::uint16_t address, std::uint8_t value, std::uint8_t index);
  std::int32_t Read_I2C_ById(std::uint8_t slave, std::uint8_t reg, std::uint8_t* buffer, std::int32_t length,
                             std::int32_t timeout, std::uint8_t index);
  std::int32_t SetGpioModeEx_ById(std::uint8_t gpio, std::uint8_t mode, std::uint8_t index);
  // Starts button scanning; each report is copied and given to sink.
  std::int32_t ScanButton_ById(std::uint16_t vendor_id, std::uint16_t product_id, ButtonSink sink,
                               std::int32_t on, std::uint8_t index);

  // Lighting of the master controller.
  std::int32_t SetRGB_Mode(std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t value,
                           std::int32_t timing);
  std::int32_t SetRGB_Color(std::uint8_t address, std::uint8_t led, std::uint8_t slot, std::uint8_t red,
                            std::uint8_t green, std::uint8_t blue, std::int32_t timing);
  std::int32_t SetRGB_SingleColor(std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t red,
                                  std::uint8_t green, std::uint8_t blue, std::int32_t timing);
  std::int32_t SetRGB_Step(std::uint8_t address, std::uint8_t steps, std::int32_t timing);
  std::int32_t SetRGB_Brightness(std::uint8_t address, std::uint8_t led, std::uint8_t level, std::int32_t timing);
  std::int32_t SetRGB_Mode_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t value,
                                std::int32_t timing, std::uint8_t index);
  std::int32_t SetRGB_Color_ById(std::uint8_t address, std::uint8_t led, std::uint8_t slot, std::uint8_t red,
                                 std::uint8_t green, std::uint8_t blue, std::int32_t timing, std::uint8_t index);
  std::int32_t SetRGB_SingleColor_ById(std::uint8_t address, std::uint8_t led, std::uint8_t mode, std::uint8_t red,
                                       std::uint8_t green, std::uint8_t blue, std::int32_t timing,
                                       std::uint8_t index);
  std::int32_t SetRGB_Step_ById(std::uint8_t address, std::uint8_t steps, std::int32_t timing, std::uint8_t index);
  // Lighting of the slave controller.
  std::int32_t UsbHidSlave_SetRGB_Mode_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t value,
                                          std::int32_t timing);
  std::int32_t UsbHidSlave_SetRGB_Color_Ex(std::uint8_t led, std::uint8_t slot, std::uint8_t red, std::uint8_t green,
                                           std::uint8_t blue, std::int32_t timing);
  std::int32_t UsbHidSlave_SetRGB_SingleColor_Ex(std::uint8_t led, std::uint8_t mode, std::uint8_t red,
                                                 std::uint8_t green, std::uint8_t blue, std::int32_t timing);
  std::int32_t UsbHidSlave_SetRGB_Step_Ex(std::uint8_t steps, std::int32_t timing);
  std::int32_t UsbHidSlave_SetRGB_Brightness_Ex(std::uint8_t led, std::uint8_t level, std::int32_t timing);

 private:
  // Under call_mutex_.
  int BindRows();
  void ShowLoadFailure(const LoadFailure& failure);
  static std::int32_t OnButtonReport(std::uint16_t vendor_id, std::uint16_t product_id, const std::uint8_t* report,
                                     std::int32_t, std::int32_t);

  DynamicLibrary& loader_;
  DebugOutput& debug_;
  MessageBox& message_box_;
  std::shared_ptr<LoadedModule> module_;
  std::array<void*, kEntryCount> slots_{};
  mutable std::mutex call_mutex_;
};

}  // namespace audio77
