#pragma once
// The main window's own fields, with the values they have before any
// configuration is read: the page, the platform class, the configuration
// switches of the window, the menus and the names of language, skin and
// resolution. The device's state lives in DeviceSession, each feature's in
// the feature.

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
  Page current_page = Page::kEqualizer;
  int os_class = kLinuxOsClass;

  // Run-time switches of the configuration file that the window itself
  // follows (the features keep theirs).
  int old_version = 0;
  int default_ini = 0;

  // Sizes of the three tray submenus.
  int language_count = 0;
  int skin_count = 0;
  int plugin_count = 0;

  std::string user_folder_name;
  std::string current_language;
  std::string current_skin;
  std::string resolution_folder;
};

}  // namespace audio77
