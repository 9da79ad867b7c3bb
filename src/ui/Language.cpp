#include "ui/Language.h"

#include <array>
#include <optional>
#include <utility>

#include "platform/DebugFormat.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Label.h"
#include "ui/ChoiceSaver.h"
#include "ui/LanguageLabel.h"
#include "ui/LanguageReader.h"
#include "ui/SkinMenu.h"
#include "ui/StartupFallback.h"

namespace audio77::ui {
namespace {

constexpr auto kPageLabels = std::to_array<std::pair<std::string_view, std::int32_t>>({
    {"PageEQLabel", 1},
    {"PageEffectLabel", 2},
    {"PageMicLabel", 3},
    {"PageVirtual7p1Label", 4},
    {"Page3DLabel", 5},
    {"PageLEDLabel", 6},
    {"PageENCLabel", 7},
    {"PageVMEffectLabel", 8},
});

constexpr auto kPresetLabels =
    std::to_array<std::string_view>({"EQS1Label", "EQS2Label", "EQS3Label", "EQS4Label"});
constexpr auto kPresetKeys =
    std::to_array<std::string_view>({"LabelEQS1", "LabelEQS2", "LabelEQS3", "LabelEQS4"});
constexpr auto kEffectLabels = std::to_array<std::string_view>(
    {"EffectNonLabel", "EffectTheaterLabel", "EffectBathroomLabel", "EffectLivingroomLabel",
     "EffectStoneGalleryLabel"});

// Whether a label shows its down state: the current page's tab, the current
// preset and environment, and the switches that are on.
bool Down(std::string_view control, const LabelViewState& state) {
  const SkinViewState& v = state.view;
  for (const auto& [name, page] : kPageLabels) {
    if (control == name) return v.page == page;
  }
  for (std::size_t i = 0; i < kPresetLabels.size(); ++i) {
    if (control == kPresetLabels[i]) return v.eq_preset == static_cast<std::int32_t>(i) + 1;
  }
  for (std::size_t i = 0; i < kEffectLabels.size(); ++i) {
    if (control == kEffectLabels[i]) return v.effect == static_cast<std::int32_t>(i) + 1;
  }
  const std::array<std::pair<std::string_view, bool>, 12> switches = {{
      {"EQEQENLabel", v.eq_enabled},
      {"EQ3DENLabel", v.d3_enabled},
      {"D33DENLabel", v.d3_enabled},
      {"D3FBMLabel", v.fbm_on},
      {"MicBoostLabel", v.mic_boost},
      {"MicMuteLabel", v.mic_mute},
      {"MicMonitorLabel", v.mic_monitor},
      {"VirtualENLabel", v.virtual_enabled},
      {"VirtualClockwiseLabel", v.clockwise},
      {"VirtualCounterclockwiseLabel", v.counterclockwise},
      {"VirtualEnlargeLabel", v.enlarge},
      {"VirtualNarrowLabel", v.narrow},
  }};
  for (const auto& [name, on] : switches) {
    if (control == name) return on;
  }
  return false;
}

}  // namespace

Language::Language(toolkit::Form& form, LanguageHost& host, Options options,
                   std::optional<UserSettings> user)
    : form_(form), host_(host), options_(std::move(options)), user_(std::move(user)) {}

int Language::BuildLanguageMenu(toolkit::DirectoryList& list, toolkit::MenuItem& language_menu,
                                const std::function<std::string(const std::string&)>& display_name) {
  menu_ = &language_menu;
  folders_ = ui::BuildLanguageMenu(
      list, language_menu,
      {options_.languages_root, options_.folder_name, resolution_folder_, name_, display_name},
      [this](toolkit::MenuItem& item) { LanguageMenuClick(item); });
  return MenuCount();
}

void Language::LoadLanguage(const std::string& folder) {
  LanguageTable table =
      ReadLanguage({Folder() + folder + "/" + kLanguageFileName, options_.old_layout});
  table_ = std::move(table);
  loaded_ = true;
}

std::string Language::StartLanguage() {
  const auto outcome = StartupFallback::Choose(
      {"language", [this](const std::string& folder) { LoadLanguage(folder); },
       [this](const std::string& folder) { return Folder() + folder + "/" + kLanguageFileName; }},
      saved_name_, folders_);
  name_ = outcome.chosen;
  if (menu_ != nullptr && !outcome.notice.empty()) {
    for (std::size_t i = 0; i < folders_.size() && i < menu_->Items().size(); ++i) {
      if (folders_[i] == outcome.chosen) {
        CheckOnly(*menu_, menu_->Items()[i].get());
        break;
      }
    }
  }
  return outcome.notice;
}

void Language::Apply(const LabelRecord& record, toolkit::Label& label, bool up) const {
  ApplyLabel(record, table_.global, label, up, options_.dpi);
}

void Language::ApplyLabels() {
  const LabelViewState state = host_.LabelView();
  const auto keys = LanguageKeyList();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    switch (keys[i].kind) {
      case LanguageKeyKind::kLabel:
        ApplyControl(keys[i], table_.records[i], state);
        break;
      case LanguageKeyKind::kMenu:
        ApplyMenu(keys[i], table_.records[i]);
        break;
      case LanguageKeyKind::kDeviceState:
      case LanguageKeyKind::kAboutWindow:
      case LanguageKeyKind::kMessage:
        break;
    }
  }
  ApplyDeviceState(state.device_active ? "LabelActive" : "LabelUnactive");
  ApplyValues(state);
  ApplyCheckBoxes();
}

void Language::ApplyCheckBoxes() {
  const toolkit::Color up = table_.global.color_up;
  for (const auto& control : form_.Controls()) {
    if (auto* box = dynamic_cast<toolkit::CheckBox*>(control.get())) {
      box->SetTextColor(up != 0 ? std::optional<toolkit::Color>(up) : std::nullopt);
    }
  }
}

void Language::ApplyControl(const LanguageKey& key, const LabelRecord& record,
                            const LabelViewState& state) {
  auto* label = form_.Find<toolkit::Label>(key.control);
  if (label == nullptr) return;
  Apply(record, *label, !Down(key.control, state));
  // Labels of other pages wait for their page.
  if (!record.ShowsOn(state.view.page)) label->Hide();
}

void Language::ApplyMenu(const LanguageKey& key, const LabelRecord& record) {
  if (options_.popup == nullptr) return;
  toolkit::MenuItem* item = options_.popup->Find(std::string(key.control));
  if (item == nullptr) return;
  item->SetCaption(record.caption.empty() ? std::string(key.fallback) : record.caption);
}

void Language::ApplyValues(const LabelViewState& state) {
  const std::int32_t preset = state.view.eq_preset;
  if (auto* sx = form_.Find<toolkit::Label>("SXLabel");
      sx != nullptr && preset >= 1 && preset <= static_cast<std::int32_t>(kPresetKeys.size())) {
    sx->SetCaption(table_.Of(kPresetKeys[static_cast<std::size_t>(preset - 1)]).caption);
  }
  if (auto* mic = form_.Find<toolkit::Label>("MicValueLabel")) {
    mic->SetCaption(FormatDebug("%d", state.mic_gain));
  }
  if (auto* enc = form_.Find<toolkit::Label>("ENCValueLabel")) {
    enc->SetCaption(FormatDebug("%d", state.enc_level));
  }
}

void Language::ApplyDeviceState(std::string_view key) {
  auto* label = form_.Find<toolkit::Label>("DeviceActiveLabel");
  if (label == nullptr) return;
  const LabelRecord& record = table_.Of(key);
  Apply(record, *label, true);
  // A text meant for another page waits for it, as the other labels do.
  if (!record.ShowsOn(host_.LabelView().view.page)) label->Hide();
}

void Language::ShowLabelState(std::string_view control, bool down) {
  const LabelRecord* record = RecordOfLabel(control);
  auto* label = form_.Find<toolkit::Label>(control);
  if (record == nullptr || label == nullptr) return;
  ApplyLabelColour(*record, table_.global, *label, !down);
}

void Language::ApplyTo(std::string_view key, toolkit::Label& label) const {
  Apply(table_.Of(key), label, true);
}

const LabelRecord* Language::RecordOfLabel(std::string_view control) const {
  const auto keys = LanguageKeyList();
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i].kind == LanguageKeyKind::kLabel && keys[i].control == control) {
      return &table_.records[i];
    }
  }
  return nullptr;
}

std::string Language::LanguageMenuClick(toolkit::MenuItem& item) {
  toolkit::MenuItem& menu = item.Parent() != nullptr ? *item.Parent() : item;
  toolkit::MenuItem* previous = CheckedItem(menu);
  CheckOnly(menu, &item);
  // Two languages of one display name: the first one's folder.
  std::size_t index = 0;
  for (; index < menu.Items().size(); ++index) {
    if (menu.Items()[index]->Caption() == item.Caption()) break;
  }
  const std::string folder = index < folders_.size() ? folders_[index] : std::string();
  try {
    LoadLanguage(folder);
  } catch (...) {
    CheckOnly(menu, previous);
    throw;
  }
  name_ = folder;
  saved_name_ = folder;
  ApplyLabels();
  host_.LanguageChanged();
  return user_ ? ChoiceSaver::Save(*user_, name_, host_.CurrentSkin()) : std::string();
}

}  // namespace audio77::ui
