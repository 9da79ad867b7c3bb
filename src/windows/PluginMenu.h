#pragma once
// The "Plugin" submenu of the tray menu: the effect programs installed in the
// plug-ins folder, one entry each, and the start of the one the user picks
// after any running one was asked to end.
//
// A plug-in is a sub-folder of the plug-ins folder, listed when the program
// configuration's "Application" / its name holds a nonzero integer. Its
// program is `<plug-ins folder>/<name>/<name>`. Programs start without a
// command interpreter, their end is reported, and a plug-in that ends without
// saying so (a crash, a kill) clears its mark as its own farewell would.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/Shell.h"
#include "settings/PrivateProfile.h"
#include "toolkit/DirectoryList.h"
#include "toolkit/MenuItem.h"

namespace audio77 {

class PluginMenu {
 public:
  struct Services {
    MessageBus& bus;
    Clock& clock;
    DebugOutput& debug;
    Shell& shell;
    MessageBox& boxes;
    PrivateProfile& profiles;
  };
  struct Places {
    // program folder + "PluginFolderName" + separator.
    std::string plugins_root;
    // "PluginFolderName".
    std::string folder_name;
    // The program folder's configuration file ("Application" keys).
    std::string config_path;
    // The caption of error boxes (the application title).
    std::string box_caption;
  };
  // What the window does around a start: let messages that arrived during a
  // pause run, and hide itself once the plug-in runs.
  struct WindowHooks {
    std::function<void()> pump;
    std::function<void()> hide;
  };

  // Longest configuration key a plug-in's name gives.
  static constexpr std::size_t kNameKeyChars = 31;
  static constexpr std::uint32_t kPauseMs = 300;

  PluginMenu(Services services, Places places, WindowHooks hooks);
  PluginMenu(const PluginMenu&) = delete;
  PluginMenu& operator=(const PluginMenu&) = delete;

  // Fills menu with one entry per listed plug-in; returns their number.
  int Build(toolkit::DirectoryList& list, toolkit::MenuItem& menu);
  int Count() const { return count_; }
  // A plug-in entry was clicked (its check mark already set by the menu).
  void Click(toolkit::MenuItem& entry);
  // "WM_APP_EXIT_RESUME": every plug-in entry loses its mark.
  void ClearMarks();

  // The program of a plug-in.
  static std::string ProgramPath(const std::string& plugins_root, const std::string& name);
  // The plug-in's name from a listed folder path: what follows the last
  // "<folder name><separator>"; empty when the path holds none.
  static std::string NameFromPath(const std::string& path, const std::string& folder_name);

 private:
  bool Listed(const std::string& name);
  void AskRunningToEnd();
  void PluginEnded(std::uint64_t run);

  Services services_;
  Places places_;
  WindowHooks hooks_;
  toolkit::MenuItem* menu_ = nullptr;
  int count_ = 0;
  // Which start the current mark belongs to: a plug-in replaced by another
  // that ends later must not clear the newer one's mark.
  std::uint64_t current_run_ = 0;
  // What the end reports of started plug-ins hold on to this menu by.
  std::shared_ptr<PluginMenu*> self_ = std::make_shared<PluginMenu*>(this);
};

}  // namespace audio77
