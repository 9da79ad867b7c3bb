#pragma once
// The current language of the main window: the language menu, the label
// records of the current language file and the change of language from the
// menu.
//
// A language file is read into a new table before anything changes, so a
// file that fails (a numeric field that is no integer) leaves the labels, the
// table, the name and the menu's check mark as they were, and the error goes
// on to the caller. So does a file that cannot serve at all (a folder, closed
// to us, empty, none of the language's keys): taking it would blank every
// label and save that choice.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/UserSettings.h"
#include "toolkit/Form.h"
#include "ui/LanguageHost.h"
#include "ui/LanguageMenu.h"
#include "ui/LanguageTable.h"

namespace audio77::ui {

class Language {
 public:
  struct Options {
    // program folder + "LanguageFolderName" + separator.
    std::string languages_root;
    // "LanguageFolderName".
    std::string folder_name;
    // "OldVersion" nonzero.
    bool old_layout = false;
    // The screen's logical pixels per inch.
    int dpi = 96;
    // The tray menu whose entries take the menu captions (may be null).
    toolkit::PopupMenu* popup = nullptr;
  };

  // user: where the choice is saved (none: it is not remembered).
  Language(toolkit::Form& form, LanguageHost& host, Options options,
           std::optional<UserSettings> user);

  // The language read from the per-user file at start-up.
  void SetName(std::string name) {
    name_ = name;
    saved_name_ = std::move(name);
  }
  // The language shown.
  const std::string& Name() const { return name_; }
  // The language to save with a skin choice: the user's last pick, which a
  // start-up fallback does not replace.
  const std::string& SavedName() const { return saved_name_; }
  void SetResolutionFolder(std::string folder) { resolution_folder_ = std::move(folder); }
  // languages root + resolution folder.
  std::string Folder() const { return options_.languages_root + resolution_folder_; }

  int BuildLanguageMenu(toolkit::DirectoryList& list, toolkit::MenuItem& language_menu,
                        const std::function<std::string(const std::string&)>& display_name);
  int MenuCount() const { return static_cast<int>(folders_.size()); }
  // The folder names, in menu order.
  const std::vector<std::string>& FolderNames() const { return folders_; }

  // Reads the language file of folder; throws EConvertError or
  // LanguageFileError, keeping the current records.
  void LoadLanguage(const std::string& folder);
  // Start-up: reads the language named at start-up, or when it fails the
  // first language of the menu that loads (the menu's check follows). Gives
  // the notice of such a fallback, empty when the named language loaded;
  // throws the named language's error when none loads.
  std::string StartLanguage();
  // Dresses every label and menu entry of the main window for the view.
  void ApplyLabels();
  // Dresses DeviceActiveLabel with one of "LabelActive", "LabelUnDriver",
  // "LabelUnactive".
  void ApplyDeviceState(std::string_view key);
  // Gives a label of the main window the font colour of its up or down state
  // (a switch, tab or preset that changed); nothing for a label no key dresses.
  void ShowLabelState(std::string_view control, bool down);
  // Dresses a label of another window (the about window) from key's record.
  void ApplyTo(std::string_view key, toolkit::Label& label) const;
  // The language menu's click: checks the entry, loads and applies the
  // language, lets the window follow, saves the choice. On failure the
  // previous language stays and the error is thrown on. Gives why the choice
  // could not be saved, empty when it was (or is not remembered at all).
  std::string LanguageMenuClick(toolkit::MenuItem& item);

  const LanguageTable& Table() const { return table_; }
  const LabelRecord& Record(std::string_view key) const { return table_.Of(key); }
  // The record that dresses a label of the main window, or nullptr when the
  // language file does not dress it (page visibility asks this).
  const LabelRecord* RecordOfLabel(std::string_view control) const;
  // Whether a language file has been read.
  bool Loaded() const { return loaded_; }

 private:
  void ApplyControl(const LanguageKey& key, const LabelRecord& record, const LabelViewState& state);
  void ApplyMenu(const LanguageKey& key, const LabelRecord& record);
  void ApplyValues(const LabelViewState& state);
  // Check boxes have no record: their captions take the labels' up colour.
  void ApplyCheckBoxes();
  void Apply(const LabelRecord& record, toolkit::Label& label, bool up) const;

  toolkit::Form& form_;
  LanguageHost& host_;
  Options options_;
  std::optional<UserSettings> user_;
  std::string name_;
  std::string saved_name_;
  std::string resolution_folder_;
  toolkit::MenuItem* menu_ = nullptr;
  std::vector<std::string> folders_;
  LanguageTable table_;
  bool loaded_ = false;
};

}  // namespace audio77::ui
