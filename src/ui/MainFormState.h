#pragma once
// The main window's fields that several parts of the program read and write,
// with the values they have before any configuration is read. The device's
// own state (IDs, device-active, the held HID interface, the activation
// counter) lives in DeviceSession.

#include <cstdint>
#include <string>

namespace audio77 {

// The pages of the main window.
enum class Page : int {
  kEqualizer = 1,
  kEffect = 2,
  kMicrophone = 3,
  kVirtual71 = 4,
  kSound3D = 5,
  kLed = 6,
  kNoiseCancellation = 7,
  kVoiceEffect = 8,
};

// On Linux the program always takes the paths of the newest platform class.
inline constexpr int kLinuxOsClass = 6;

struct MainFormState {
  // Microphone (level meter and endpoint).
  bool mic_endpoint_held = false;
  bool wave_in_open = false;
  bool endpoint_found = false;
  // The lighting effect worker was started.
  bool lighting_thread_started = false;

  Page current_page = Page::kEqualizer;
  int current_eq_preset = 1;
  int current_effect = 1;
  int led_button_state = 1;
  int os_class = kLinuxOsClass;

  // Run-time switches of the configuration file.
  int old_version = 0;
  int default_ini = 0;
  int mic_monitor = 1;
  float v71_scale = 2.0F;
  int enc_button_mode = 0;
  int enc_gpio = 0;
  int exclusive_3d_v71 = 0;

  // Sizes of the three tray submenus.
  int language_count = 0;
  int skin_count = 0;
  int plugin_count = 0;

  std::string user_folder_name;
  std::string current_language;
  std::string current_skin;
  std::string resolution_folder;

  // Feature switches that start-up, activation and shutdown read.
  int eq_enable = 0;
  int enable_3d = 0;
  int v71_enable = 0;
  int v71_enable_remembered = 0;
  int eq_from_eeprom = 0;
  int d3_from_eeprom = 0;
  // Enables of the default profile, applied when a device becomes active.
  int default_eq_enable = 0;
  int default_3d_enable = 0;
  int default_v71_enable = 0;

  // Switch states that the device lifecycle also sets.
  int mic_mute = 0;
  int mic_boost = 0;
  // The animation switches of the Virtual 7.1 page; at most one is on.
  int clockwise = 0;
  int counter_clockwise = 0;
  int narrow = 0;
  int enlarge = 0;
  int mic_monitor_state = 0;
  int noise_button_flag = 0;
  int noise_available = 0;
};

}  // namespace audio77
