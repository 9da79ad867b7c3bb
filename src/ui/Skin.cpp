#include "ui/Skin.h"

#include "toolkit/Application.h"
#include "ui/ChoiceSaver.h"
#include "ui/ResolutionFolder.h"
#include "ui/SkinEntryView.h"
#include "ui/SkinMenu.h"
#include "ui/SkinPlan.h"
#include "ui/SkinSettingsReader.h"
#include "ui/StartupFallback.h"

namespace audio77::ui {

struct Skin::Prepared {
  SkinPlan plan;
  // Set when the window takes the skin's shape: the shape, or none when the
  // region data was unusable.
  std::optional<std::optional<RegionShape>> region;
};

Skin::Skin(toolkit::Form& form, SkinHost& host, std::string skin_root, bool old_layout,
           const UserSettings* user)
    : form_(form),
      host_(host),
      skin_root_(std::move(skin_root)),
      old_layout_(old_layout),
      user_(user) {}

void Skin::ChooseResolutionFolder(std::int32_t screen_width, std::int32_t screen_height) {
  resolution_folder_ = ui::ChooseResolutionFolder(screen_width, screen_height, skin_root_, name_);
}

std::string Skin::Folder() const { return FolderOf(name_); }

std::string Skin::FolderOf(const std::string& name) const {
  return skin_root_ + resolution_folder_ + name + "/";
}

int Skin::BuildSkinMenu(toolkit::DirectoryList& list, toolkit::MenuItem& skin_menu) {
  menu_ = &skin_menu;
  menu_count_ = ui::BuildSkinMenu(list, skin_root_ + resolution_folder_, skin_menu, name_,
                                  [this](toolkit::MenuItem& item) { SkinMenuClick(item); });
  return menu_count_;
}

void Skin::ApplyWindowRegion() {
  const auto shape = ReadRegionFile(Folder() + kRegionFileName);
  if (shape) {
    form_.SetRegion(shape->region);
    if (shape->bound_right > 0 && shape->bound_bottom > 0) {
      form_.SetClientSize({shape->bound_right, shape->bound_bottom});
    }
  } else {
    form_.ClearRegion();
  }
  if (auto* background = form_.Find<toolkit::Image>("MainFormImage");
      background != nullptr && background->HasPicture()) {
    form_.SetClientSize(background->GetPicture()->GetSize());
  }
}

SkinSettings Skin::Read(const std::string& name) const {
  return ReadSkinSettings(
      {FolderOf(name) + kSkinSettingsFileName, old_layout_, settings_.geometry.radius});
}

void Skin::LoadSkinSettings(const std::string& name) {
  SkinSettings settings = Read(name);
  name_ = name;
  CommitSettings(std::move(settings));
}

void Skin::CommitSettings(SkinSettings settings) {
  settings_ = std::move(settings);
  if (!palette_set_) {
    colours_ = kFixedLedColours;
    palette_set_ = true;
  }
  for (std::size_t i = 0; i < kSwatchCount; ++i) {
    auto* shape = form_.Find<toolkit::Shape>(SwatchName(i));
    if (shape == nullptr) continue;
    const SkinSwatch& swatch = settings_.swatches[i];
    if (swatch.given) {
      shape->SetBounds(swatch.bounds);
      shape->SetType(ShapeForCode(swatch.shape_code));
    }
  }
  PaintSwatches();
  for (const char* name : {"Bevel2", "Bevel3", "Bevel4"}) {
    if (auto* bevel = form_.FindControl(name)) bevel->SetVisible(settings_.bevel_line);
  }
  for (const char* name : {"Bevel5", "Bevel6", "Bevel7"}) {
    if (auto* bevel = form_.FindControl(name)) bevel->SetVisible(settings_.bevel_line2);
  }
}

void Skin::PaintSwatches() {
  for (std::size_t i = 0; i < kSwatchCount; ++i) {
    if (auto* shape = form_.Find<toolkit::Shape>(SwatchName(i))) {
      shape->SetBrushColor(colours_[i]);
      shape->SetPenColor(toolkit::kBlack);
    }
  }
}

Skin::Prepared Skin::Prepare(const SkinSettings& settings, const std::string& folder) const {
  Prepared prepared{SkinPlan(form_, settings.table, host_.ViewState()), std::nullopt};
  prepared.plan.Resolve(form_.App().Pictures(), folder);
  if (host_.RegionCut() != 0) prepared.region = ReadRegionFile(folder + kRegionFileName);
  return prepared;
}

void Skin::Commit(Prepared& prepared) {
  prepared.plan.Commit();
  if (prepared.region) {
    if (const auto& shape = *prepared.region) {
      form_.SetRegion(shape->region);
    } else {
      form_.ClearRegion();
    }
  }
  // The window's client area is the background picture; a region only cuts it.
  if (auto* background = form_.Find<toolkit::Image>("MainFormImage");
      background != nullptr && background->HasPicture()) {
    form_.SetClientSize(background->GetPicture()->GetSize());
  }
}

void Skin::ApplySkin() {
  Prepared prepared = Prepare(settings_, Folder());
  Commit(prepared);
}

void Skin::LoadAndShow(const std::string& name) {
  SkinSettings settings = Read(name);
  Prepared prepared = Prepare(settings, FolderOf(name));
  name_ = name;
  CommitSettings(std::move(settings));
  Commit(prepared);
}

std::string Skin::StartSkin() {
  std::vector<std::string> installed;
  if (menu_ != nullptr) {
    for (const auto& item : menu_->Items()) installed.push_back(SkinNameFromCaption(item->Caption()));
  }
  const auto outcome = StartupFallback::Choose(
      {"skin", [this](const std::string& name) { LoadAndShow(name); },
       [this](const std::string& name) { return FolderOf(name) + kSkinSettingsFileName; }},
      saved_name_, installed);
  if (menu_ != nullptr && !outcome.notice.empty()) {
    for (const auto& item : menu_->Items()) {
      if (SkinNameFromCaption(item->Caption()) == outcome.chosen) CheckOnly(*menu_, item.get());
    }
  }
  return outcome.notice;
}

std::string Skin::SkinMenuClick(toolkit::MenuItem& item) {
  toolkit::MenuItem& menu = item.Parent() != nullptr ? *item.Parent() : item;
  toolkit::MenuItem* previous = CheckedItem(menu);
  CheckOnly(menu, &item);
  const std::string name = SkinNameFromCaption(item.Caption());
  std::optional<Prepared> prepared;
  SkinSettings settings;
  try {
    settings = Read(name);
    prepared.emplace(Prepare(settings, FolderOf(name)));
  } catch (...) {
    CheckOnly(menu, previous);
    throw;
  }
  name_ = name;
  saved_name_ = name;
  CommitSettings(std::move(settings));
  Commit(*prepared);
  host_.SkinChanged();
  host_.ReplaceSpeakers(settings_.geometry.RadiusRatio());
  return user_ != nullptr ? ChoiceSaver::Save(*user_, host_.CurrentLanguage(), name_) : std::string();
}

void Skin::ApplyEntry(const SkinEntry& entry, toolkit::Image& image) const {
  ApplySkinEntry(entry, image, Folder());
}

}  // namespace audio77::ui
