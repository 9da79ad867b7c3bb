#pragma once
// The current skin of the main window: which set of skins fits the screen, the
// skin menu, the current skin's entries and geometry, and the change of skin
// from the menu.
//
// A skin is read into new tables and its pictures (and window shape) are all
// loaded before any control changes, so a skin that fails (a value that is no
// integer, a missing picture or region file) leaves the window, the tables,
// the name and the menu's check mark as they were, and the error goes on to
// the caller. The LED colours are set to the fixed palette by the first skin
// only: later skins keep the user's colours.

#include <cstdint>
#include <optional>
#include <string>

#include "settings/UserSettings.h"
#include "toolkit/Form.h"
#include "ui/LedColours.h"
#include "ui/RegionFile.h"
#include "ui/SkinHost.h"
#include "ui/SkinSettings.h"

namespace audio77::ui {

class SkinPlan;

class Skin {
 public:
  // skin_root: program folder + "SkinFolderName" + separator. old_layout:
  // "OldVersion" nonzero. user: where the choice is saved (may be null).
  Skin(toolkit::Form& form, SkinHost& host, std::string skin_root, bool old_layout,
       const UserSettings* user);

  // Where skins are and how they are read, once the configuration is known.
  void Configure(std::string skin_root, bool old_layout, const UserSettings* user) {
    skin_root_ = std::move(skin_root);
    old_layout_ = old_layout;
    user_ = user;
  }
  // The skin name read from the per-user file at start-up.
  void SetName(std::string name) {
    name_ = name;
    saved_name_ = std::move(name);
  }
  // The skin shown.
  const std::string& Name() const { return name_; }
  // The skin to save with a language choice: the user's last pick, which a
  // start-up fallback does not replace.
  const std::string& SavedName() const { return saved_name_; }
  void ChooseResolutionFolder(std::int32_t screen_width, std::int32_t screen_height);
  const std::string& ResolutionFolder() const { return resolution_folder_; }
  // skin root + resolution folder + name + separator.
  std::string Folder() const;

  int BuildSkinMenu(toolkit::DirectoryList& list, toolkit::MenuItem& skin_menu);
  int MenuCount() const { return menu_count_; }

  // The current skin's region file as the window's shape (start-up, before the
  // skin is loaded). Throws RegionFileError when the file cannot be opened.
  void ApplyWindowRegion();
  // Reads the skin's settings; throws EConvertError, keeping the current ones.
  void LoadSkinSettings(const std::string& name);
  // Shows every skinned control; throws PictureError or RegionFileError,
  // leaving the window as it was.
  void ApplySkin();
  // Start-up: reads and shows the skin named at start-up, or when it fails
  // the first skin of the menu that loads (the menu's check follows). Gives
  // the notice of such a fallback, empty when the named skin loaded; throws
  // the named skin's error when no skin loads.
  std::string StartSkin();
  // The skin menu's click: checks the item, loads and applies the skin, lets
  // the window follow, saves the choice. On failure the previous skin stays
  // and the error is thrown on. Gives why the choice could not be saved,
  // empty when it was (or is not remembered at all).
  std::string SkinMenuClick(toolkit::MenuItem& item);

  // Shows one entry of this skin on an image control (state changes).
  void ApplyEntry(const SkinEntry& entry, toolkit::Image& image) const;

  const SkinTable& Table() const { return settings_.table; }
  const SkinGeometry& Geometry() const { return settings_.geometry; }
  const SkinSettings& Settings() const { return settings_; }
  LedColours& Colours() { return colours_; }
  // Fills the swatch shapes with the LED colours again.
  void PaintSwatches();

 private:
  SkinSettings Read(const std::string& name) const;
  std::string FolderOf(const std::string& name) const;
  // Loads what a skin shows; throws before anything changed.
  struct Prepared;
  Prepared Prepare(const SkinSettings& settings, const std::string& folder) const;
  void Commit(Prepared& prepared);
  void CommitSettings(SkinSettings settings);
  // Reads, prepares and shows one skin; throws before anything changed.
  void LoadAndShow(const std::string& name);

  toolkit::Form& form_;
  SkinHost& host_;
  std::string skin_root_;
  bool old_layout_;
  const UserSettings* user_;
  std::string name_;
  std::string saved_name_;
  std::string resolution_folder_;
  toolkit::MenuItem* menu_ = nullptr;
  int menu_count_ = 0;
  SkinSettings settings_;
  LedColours colours_ = kFixedLedColours;
  bool palette_set_ = false;
};

}  // namespace audio77::ui
