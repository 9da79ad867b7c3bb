// The main window's start-up, step by step.
#include "app/AudioMainForm.h"
#include "app/MainFormResource.h"
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <vector>

#include "platform/DebugFormat.h"
#include "settings/DesktopChoices.h"
#include "settings/IntegerText.h"
#include "settings/FirstRun.h"
#include "settings/RuntimeConfig.h"
#include "settings/UserSettings.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {
namespace {

// Whether a skin of that name is at the skin root or in one of its
// resolution classes.
bool SkinInstalled(const std::string& skin_root, const std::string& name) {
  if (name.empty()) return false;
  std::error_code error;
  if (std::filesystem::is_directory(std::filesystem::path(skin_root) / name, error)) return true;
  for (std::filesystem::directory_iterator it(skin_root, error), end; !error && it != end; it.increment(error)) {
    if (std::filesystem::is_directory(it->path() / name, error)) return true;
  }
  return false;
}

// The first skin folder at the skin root in alphabetical order, past the
// folders of the resolution classes ("1920x1080").
std::string FirstInstalledSkin(const std::string& skin_root) {
  std::vector<std::string> names;
  std::error_code error;
  for (std::filesystem::directory_iterator it(skin_root, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_directory(error)) continue;
    const std::string name = it->path().filename().string();
    const bool resolution_class =
        !name.empty() && std::isdigit(static_cast<unsigned char>(name.front())) && name.find('x') != std::string::npos;
    if (!resolution_class) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names.empty() ? std::string() : names.front();
}

constexpr std::uint32_t kSearchIntervalMs = 2000;

}  // namespace

void TAudioMainForm::Step(int number, const std::function<void()>& step) {
  step();
  constructed_ = number;
}

void TAudioMainForm::Create() {
  Step(1, [this] { CreateControls(); });
  if (!BindDeviceLibrary()) return;
  constructed_ = kStepBound;
  Step(3, [this] { PrepareProgramFolder(); });
  Step(4, [this] { RegisterMessages(); });
  Step(5, [this] { ReadConfiguration(); });
  Step(6, [this] { SetFieldDefaults(); });
  Step(7, [this] { ReadUserChoices(); });
  Step(8, [this] { ChooseResolutionFolder(); });
  Step(9, [this] { SetApplicationIdentity(); });
  Step(10, [this] { ReadRuntimeKeys(); });
  Step(11, [this] { BuildMenus(); });
  Step(12, [this] { ApplyWindowShape(); });
  Step(13, [this] { LoadSkin(); });
  // Device events and ticks that come up while start-up lets messages run
  // wait until it has finished.
  RunSequence([this] {
    Step(14, [this] { FirstDeviceSearch(); });
    Step(15, [this] { OpenHeldDevice(); });
    Step(16, [this] { InitEqualizerAtStart(); });
    Step(17, [this] { Init3DAndEffectsAtStart(); });
    Step(18, [this] { SyncActiveDeviceAtStart(); });
    Step(19, [this] { ApplyDefaultsAtStart(); });
    Step(20, [this] { RegisterDeviceNotifications(); });
    Step(21, [this] { ShowFirstPage(); });
    Step(22, [this] { ApplyLastProfileAtStart(); });
    Step(23, [this] { SyncFromDeviceAtStart(); });
    Step(24, [this] { session_.ClearActivationCount(); });
  });
}

void TAudioMainForm::CreateControls() {
  BuildControls(form_);
  AttachHandlers();
  form_.SetFrameless(true);
  form_.SetPlacement(toolkit::Placement::kScreenCenter);
  timer1_ = &form_.AddTimer("Timer1", kSearchIntervalMs, false);
  timer1_->OnTimer = [this](toolkit::Timer&) { Timer1Timer(); };
  popup_menu_ = &form_.AddPopupMenu("PopupMenu");
  popup_menu_->Add("LanguageMenu", "Language");
  popup_menu_->Add("SkinMenu", "Skin");
  popup_menu_->Add("ModeMenu", "Plugin");
  popup_menu_->Add("CloseMenu", "Close").OnClick = [this](toolkit::MenuItem&) { CloseMenuClick(); };
  tray_icon_ = &form_.AddTrayIcon();
  tray_icon_->SetMenu(popup_menu_);
  form_.OnClose = [this](toolkit::Form&, toolkit::CloseAction&) { StopTimersAndNotifications(); };
  AttachChrome();
}

bool TAudioMainForm::BindDeviceLibrary() {
  const int result = library_.Open_DLLQK_UsbAudio77xx(DeviceLibrary::kProgramFileName);
  if (result == 0) return true;
  const std::string text = FormatDebug("***** Open_DLLQK_UsbAudio77xx, ret = %d *****", result);
  app_.GetDialogs().ShowMessage({text, app_.Title(), toolkit::MessageIcon::kNone, toolkit::MessageButtons::kOk});
  platform_.debug.Write(text);
  app_.Terminate();
  return false;
}

void TAudioMainForm::PrepareProgramFolder() {
  timer1_->SetEnabled(false);
  config_.program_folder = platform_.folders.ProgramFolder();
  bee_test_.emplace(virtual71_, platform_.media, app_.Loop(), config_.program_folder);
  LoadBeePicture();
}

void TAudioMainForm::LoadBeePicture() {
  auto* bee = form_.Find<toolkit::Image>("BeeImage");
  if (bee == nullptr) return;
  try {
    bee->SetPicture(app_.Pictures().Load(config_.program_folder + "bee.png"));
  } catch (const std::exception&) {
    // Without its picture the bee flies unseen; the speakers still show the way.
  }
}

void TAudioMainForm::RegisterMessages() {
  messages_.emplace(platform_.bus);
  state_.os_class = kLinuxOsClass;
}

void TAudioMainForm::ReadConfiguration() {
  program_config_.emplace(ProgramConfigFile::For(profiles_, platform_.folders));
  LoadAppConfig(config_, platform_.folders.ProgramPath(), *program_config_, platform_.debug);
  config_path_ = program_config_->installed_path();
}

void TAudioMainForm::SetFieldDefaults() {
  state_ = MainFormState{};
  session_.SetIds(kDefaultVendorId, kDefaultProductId);
  session_.SetActive(false);
  timer1_->SetEnabled(false);
}

void TAudioMainForm::ReadUserChoices() {
  state_.user_folder_name = config_.install_folder_name;
  // On first use the installer's part: the per-user folder from the templates.
  const FirstRunResult first_run =
      PrepareUserFolder(platform_.folders.ProgramFolder(), platform_.folders.AppData(), state_.user_folder_name);
  user_settings_.emplace(profiles_, platform_.folders.AppData(), state_.user_folder_name);
  if (first_run == FirstRunResult::kCreated) AdoptDesktopChoices();
  // A write killed between its temporary's naming and the rename left it
  // behind; the folders this program writes are cleared of such at start.
  const std::filesystem::path overlay_folder = std::filesystem::path(program_config_->overlay_path()).parent_path();
  for (const auto& folder : {std::filesystem::path(platform_.folders.AppData() + state_.user_folder_name),
                             overlay_folder, overlay_folder.parent_path()}) {
    profiles_.ClearStaleTemporaries(folder.string());
  }
  state_.current_language = user_settings_->Language();
  state_.current_skin = user_settings_->Skin();
}

// The first start speaks the desktop's language and matches its light or dark
// look, as far as the bundled languages and skins go; the templates' choice
// stays otherwise. From then on the stored choice is the user's.
void TAudioMainForm::AdoptDesktopChoices() {
  const std::string language = LanguageForLocale(
      platform_.desktop.MessagesLocale(), SubfolderNames(config_.program_folder + config_.language_folder_name));
  if (!language.empty()) user_settings_->SetLanguage(language);
  const std::string skin = SkinForColorScheme(platform_.desktop.PreferredColorScheme(),
                                              SubfolderNames(config_.program_folder + config_.skin_folder_name));
  if (!skin.empty()) user_settings_->SetSkin(skin);
}

void TAudioMainForm::ChooseResolutionFolder() {
  skin_.Configure(config_.program_folder + config_.skin_folder_name + "/", false, &*user_settings_);
  // Before the user has chosen a skin, or when the chosen one is no longer
  // installed, the first one installed is shown: a strict reading of a skin
  // that is not there would keep the window from starting at all.
  const std::string skin_root = config_.program_folder + config_.skin_folder_name;
  if (!SkinInstalled(skin_root, state_.current_skin)) state_.current_skin = FirstInstalledSkin(skin_root);
  skin_.SetName(state_.current_skin);
  const toolkit::Size screen = app_.ScreenSize();
  skin_.ChooseResolutionFolder(screen.width, screen.height);
  state_.resolution_folder = skin_.ResolutionFolder();
}

void TAudioMainForm::SetApplicationIdentity() {
  const std::string icon_path = config_.program_folder + config_.install_icon_file;
  if (!config_.install_icon_file.empty()) {
    try {
      tray_icon_->SetPicture(app_.Pictures().Load(icon_path));
    } catch (const std::exception&) {
      // A missing icon leaves the tray's default picture.
    }
  }
  tray_icon_->SetHint(ReadRuntimeValue(*program_config_, "TrayIconHint", "HintName"));
  app_.SetTitle(config_.install_title);
  form_.SetCaption(config_.install_title);
}

void TAudioMainForm::ReadRuntimeKeys() {
  auto read = [this](const char* section, const char* key) { return ReadRuntimeValue(*program_config_, section, key); };
  state_.old_version = LeadingInt(read("Version", "OldVersion"));
  state_.default_ini = LeadingInt(read("Version", "DefaultIni"));
  microphone_.SetMonitorKey(LeadingIntOr(read("Mic", "Monitor"), 1));
  virtual71_.SetOldVersion(state_.old_version != 0);
  virtual71_.SetScale(static_cast<float>(LeadingIntOr(read("DefaultSet", "V7ch1Scalar"), 20) * 0.1));
  noise_.Configure(LeadingInt(read("DefaultSet", "EncButtonMode")), LeadingInt(read("DefaultSet", "EncGpio")));
  rules_.SetExclusive3DVirtual71(LeadingInt(read("DefaultSet", "3DV7ch1MutuallyExclusive")));
  if (state_.default_ini != 0) {
    // RESET takes the current preset from the per-user default profile.
    equalizer_.UseDefaultProfile([this](int preset) {
      std::string text;
      ReadIniValue(profiles_, platform_.folders.AppData() + state_.user_folder_name + "/DefaultProfile.ini", "EQ",
                   "S" + std::to_string(preset), text);
      return text;
    });
    // LayoutSpeakers places the speakers from the same file, each where it says.
    virtual71_.UseDefaultProfile([this](const std::string& key) {
      std::string text;
      ReadIniValue(profiles_, platform_.folders.AppData() + state_.user_folder_name + "/DefaultProfile.ini",
                   Virtual71::kSection, key, text);
      return text;
    });
  }
  skin_.Configure(config_.program_folder + config_.skin_folder_name + "/", state_.old_version != 0, &*user_settings_);
}

void TAudioMainForm::BuildMenus() {
  BuildLanguageMenu();
  BuildSkinMenu();
  BuildPluginMenu();
  LoadLanguage();
  ApplyLabels();
  if (state_.plugin_count == 0) {
    if (toolkit::MenuItem* plugins = popup_menu_->Find("ModeMenu")) plugins->SetVisible(false);
  }
}

void TAudioMainForm::ApplyWindowShape() {
  // Strict: a bad value ends start-up, and the box names the file and key.
  // The skin's region is taken with the rest of the skin, so a skin that
  // fails falls back as a whole.
  runtime_.region_cut = ReadRuntimeStrict(*program_config_, "Skin", "RegionCut");
  runtime_.simple_enable = ReadRuntimeStrict(*program_config_, "Simple", "Enable");
}

void TAudioMainForm::LoadSkin() {
  StartSkin();
  ApplyLabels();
  lighting_.SkinLoaded(skin_.Geometry().led_page_mode, skin_.Geometry().led_fast_right_side);
}

void TAudioMainForm::FirstDeviceSearch() { session_.Search(config_path_, SearchKind::kStartup); }

void TAudioMainForm::OpenHeldDevice() {
  auto handle = session_.OpenHid();
  if (!handle) {
    ShowDeviceState("LabelUnactive");
    session_.SetActive(false);
  } else if (session_.ExtensionPresent()) {
    ShowDeviceState("LabelActive");
    session_.SetActive(true);
  } else {
    ShowDeviceState("LabelUnDriver");
    session_.SetActive(false);
  }
  session_.HoldHid(std::move(handle));
  ShowDeviceIndicators();
  if (!session_.Active()) timer1_->SetEnabled(true);
}

void TAudioMainForm::InitEqualizerAtStart() {
  equalizer_.InitEqualizer();
  equalizer_.StoreAllPresets();
  SetUpProfiles();
  if (state_.default_ini == 1) {
    if (profile_keeper_->ApplyDefaultProfile() == ProfileKeeper::kFailed) ShowProfileErrorLater();
    DefaultEnables enables;
    if (profile_keeper_->ReadDefaultEnables(enables) == ProfileKeeper::kDone) {
      equalizer_.SetDefaultEnable(enables.eq);
      sound3d_.SetDefaultEnable(enables.d3);
      virtual71_.SetDefaultEnable(enables.v71);
    }
  }
}

void TAudioMainForm::Init3DAndEffectsAtStart() {
  sound3d_.Init3DRecord();
  effects_.ShowNothingSelected();
  virtual71_.ClearPlacement();
}

void TAudioMainForm::SyncActiveDeviceAtStart() {
  if (!session_.Active()) return;
  session_.QueryExtensionStatus();
  virtual71_.SwitchOffAtStart();
  session_.QueryExtension();
  microphone_.AtStart();
  virtual71_.SendScaleAtStart();
}

void TAudioMainForm::ApplyDefaultsAtStart() {
  virtual71_.LayoutAtStart();
  effects_.ApplyAtStart();
}

void TAudioMainForm::RegisterDeviceNotifications() {
  notification_ = platform_.notifier.Subscribe(
      [this](std::function<void()> task) { app_.Loop().Post(std::move(task)); },
      [this](const DeviceInterfaceEvent& event) { OnDeviceChange(event); });
}

void TAudioMainForm::ShowFirstPage() {
  // The test tone's picture shows only while a tone plays.
  if (auto* bee = form_.Find<toolkit::Image>("BeeImage")) bee->Hide();
  ShowPage(Page::kEqualizer);
}

void TAudioMainForm::ApplyLastProfileAtStart() {
  // A bad last profile is kept aside by the keeper and shown once the
  // window is up; start-up goes on.
  const int applied = profile_keeper_->ApplyLastProfileAtStart();
  if (applied == ProfileKeeper::kFailed) ShowProfileErrorLater();
  // Applying a profile brings these back from the registry as its last step;
  // without a profile, or when its apply stopped early, they come here.
  if (applied != ProfileKeeper::kDone) {
    noise_.LoadEncState();
    voice_.LoadVoiceMagic();
  }
}

void TAudioMainForm::SyncFromDeviceAtStart() {
  if (!session_.Active()) return;
  if (equalizer_.FromEeprom() == 1) {
    rules_.SyncEqFromEeprom();
    rules_.SyncEqFromEeprom();
  }
  if (sound3d_.FromEeprom() == 1) {
    sound3d_.Sync3DFromDevice();
    sound3d_.Sync3DFromDevice();
  }
  noise_.StartButtonScan();
  lighting_.StartLedEffects();
}

}  // namespace audio77
