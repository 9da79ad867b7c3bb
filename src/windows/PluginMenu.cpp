#include "windows/PluginMenu.h"

#include <filesystem>
#include <utility>

#include "settings/IntegerText.h"
#include "ui/SkinMenu.h"

namespace audio77 {
namespace {

constexpr const char* kEffectExit = "WM_AUDIO_EFFECT_EXIT";
constexpr const char* kExitResume = "WM_APP_EXIT_RESUME";
constexpr int kRepeatedExitRequests = 2;

// The first kNameKeyChars characters of a UTF-8 name, never cutting one apart.
std::string KeyOf(const std::string& name) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if ((byte & 0xC0) == 0x80) continue;
    if (chars == PluginMenu::kNameKeyChars) return name.substr(0, i);
    ++chars;
  }
  return name;
}

}  // namespace

PluginMenu::PluginMenu(Services services, Places places, WindowHooks hooks)
    : services_(services), places_(std::move(places)), hooks_(std::move(hooks)) {}

std::string PluginMenu::ProgramPath(const std::string& plugins_root, const std::string& name) {
  return (std::filesystem::path(plugins_root) / name / name).string();
}

std::string PluginMenu::NameFromPath(const std::string& path, const std::string& folder_name) {
  const std::string marker = folder_name + std::string(1, std::filesystem::path::preferred_separator);
  // The last one: the program folder itself may lie under a folder of that name.
  const std::size_t at = path.rfind(marker);
  return at == std::string::npos ? std::string() : path.substr(at + marker.size());
}

bool PluginMenu::Listed(const std::string& name) {
  std::string value;
  ReadIniValue(services_.profiles, places_.config_path, "Application", KeyOf(name), value);
  return LeadingInt(value) != 0;
}

int PluginMenu::Build(toolkit::DirectoryList& list, toolkit::MenuItem& menu) {
  menu_ = &menu;
  count_ = 0;
  // Without a folder name every folder of the program would be a candidate.
  if (places_.folder_name.empty()) return 0;
  list.SetDirectory(places_.plugins_root);
  for (const std::string& path : list.Items()) {
    const std::string name = NameFromPath(path, places_.folder_name);
    if (name.empty() || !Listed(name)) continue;
    toolkit::MenuItem& entry = menu.Add("PluginMenuItem" + std::to_string(++count_), ui::SkinCaption(name));
    entry.SetAutoCheck(true);
    entry.SetRadioItem(true);
    entry.OnClick = [this](toolkit::MenuItem& item) { Click(item); };
  }
  return count_;
}

void PluginMenu::ClearMarks() {
  if (menu_ == nullptr) return;
  for (const auto& item : menu_->Items()) item->SetChecked(false);
}

void PluginMenu::AskRunningToEnd() {
  MessageBus& bus = services_.bus;
  const std::uint32_t effect_exit = bus.Register(kEffectExit);
  const auto pause = [this] {
    services_.clock.Sleep(kPauseMs);
    // A plug-in's farewell sent meanwhile is handled before the new mark.
    if (hooks_.pump) hooks_.pump();
  };
  bus.Broadcast(effect_exit);
  services_.debug.Write(kExitResume);
  bus.Broadcast(bus.Register(kExitResume));
  pause();
  for (int i = 0; i < kRepeatedExitRequests; ++i) {
    services_.debug.Write("WM_APP_EXIT_EFFECT");
    bus.Broadcast(effect_exit);
    pause();
  }
}

void PluginMenu::Click(toolkit::MenuItem& entry) {
  AskRunningToEnd();
  const std::string name = ui::SkinNameFromCaption(entry.Caption());
  const std::string program = ProgramPath(places_.plugins_root, name);
  services_.debug.Write(program);
  ClearMarks();
  const std::uint64_t run = ++current_run_;
  // The end of a plug-in may be reported after this menu is gone (the window
  // closing while it runs): then nobody is told.
  const std::weak_ptr<PluginMenu*> self = self_;
  const auto ended = [self, run] {
    if (const auto menu = self.lock()) (*menu)->PluginEnded(run);
  };
  if (!services_.shell.StartProgram(program, {program}, ended)) {
    // Nothing runs, so nothing may look as if it did; the window stays up.
    services_.debug.Write("plug-in did not start: " + program);
    services_.boxes.Show("The plug-in \"" + name + "\" cannot be started: " + program +
                             " is not an executable program.",
                         places_.box_caption, MessageButtons::kOk, MessageIcon::kError);
    return;
  }
  entry.SetChecked(true);
  if (hooks_.hide) hooks_.hide();
}

void PluginMenu::PluginEnded(std::uint64_t run) {
  if (run == current_run_) ClearMarks();
}

}  // namespace audio77
