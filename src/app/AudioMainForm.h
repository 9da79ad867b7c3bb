#pragma once
// The main window and controller of the program. Its construction is the
// whole start-up; afterwards it routes device notifications, the search timer
// and the session messages; its destruction puts the device into a neutral
// state. It only orders and routes: the work of each step belongs to the
// device session or to a feature.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/AutomationServer.h"
#include "app/AutomationTarget.h"
#include "app/EncFormView.h"
#include "app/MainFormResource.h"
#include "app/MicFormView.h"
#include "app/RegisteredMessages.h"
#include "app/SpeakerFormView.h"
#include "settings/UserSettings.h"
#include "ui/Skin.h"
#include "ui/SkinHost.h"
#include "device/DeviceLibrary.h"
#include "device/DeviceSession.h"
#include "features/BeeTest.h"
#include "features/EnvironmentEffects.h"
#include "features/Equalizer.h"
#include "features/FeatureRules.h"
#include "features/Microphone.h"
#include "features/NoiseCancellation.h"
#include "features/ProfileKeeper.h"
#include "features/RetainedProfileKeys.h"
#include "features/Sound3D.h"
#include "features/Virtual71.h"
#include "features/VoiceMagic.h"
#include "lighting/FormLedPageView.h"
#include "lighting/Lighting.h"
#include "platform/Platform.h"
#include "settings/AppConfig.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramConfigFile.h"
#include "settings/RuntimeConfig.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "ui/ControlFeatureView.h"
#include "ui/FeatureView.h"
#include "ui/DragState.h"
#include "ui/Language.h"
#include "ui/LanguageHost.h"
#include "ui/MainFormState.h"
#include "windows/PluginMenu.h"

namespace audio77::toolkit {
class Label;
class PopupMenu;
class Timer;
class TrayIcon;
struct HookMessage;
class Image;
class Shape;
class Control;
struct MouseEvent;
class MenuItem;
}  // namespace audio77::toolkit

namespace audio77 {

class TAboutForm;

class TAudioMainForm final : public AutomationTarget, private ui::SkinHost {
 public:
  // The construction steps, numbered as they run; Constructed() tells how far
  // start-up got, so shutdown never undoes what never happened.
  static constexpr int kStepBound = 2;
  static constexpr int kStepLastProfile = 22;
  static constexpr int kStepComplete = 24;

  TAudioMainForm(Platform& platform, toolkit::Application& app);
  ~TAudioMainForm() override;
  TAudioMainForm(const TAudioMainForm&) = delete;
  TAudioMainForm& operator=(const TAudioMainForm&) = delete;

  // Runs the start-up. An exception from a step ends it; shutdown still runs
  // for what was done (the destructor), and the caller shows the error.
  void Create();
  // Right after construction: installs the application-wide hook.
  void FormCreate();
  // Runs once, before the form goes away (also from the destructor).
  void FormDestroy();

  toolkit::Form& Form() { return form_; }
  int Constructed() const { return constructed_; }
  bool LibraryBound() const { return constructed_ >= kStepBound + 1; }
  MainFormState& State() { return state_; }
  const AppConfig& Config() const { return config_; }
  DeviceSession& Session() { return session_; }
  DeviceLibrary& Library() { return library_; }
  toolkit::Timer& SearchTimer() { return *timer1_; }
  toolkit::PopupMenu& TrayMenu() { return *popup_menu_; }
  const ui::Skin& Skin() const { return skin_; }
  const RegisteredMessages& Messages() const { return *messages_; }
  // The window's features and the rules between them.
  Equalizer& EqualizerFeature() { return equalizer_; }
  Sound3D& Sound3DFeature() { return sound3d_; }
  EnvironmentEffects& EffectsFeature() { return effects_; }
  Microphone& MicrophoneFeature() { return microphone_; }
  Virtual71& Virtual71Feature() { return virtual71_; }
  NoiseCancellation& NoiseFeature() { return noise_; }
  VoiceMagic& VoiceFeature() { return voice_; }
  Lighting& LightingFeature() { return lighting_; }
  FeatureRules& Rules() { return rules_; }
  // The last, default and user profiles; made at the equalizer's start-up step.
  ProfileKeeper& Profiles() { return *profile_keeper_; }
  ControlFeatureView& View() { return *feature_view_; }

  // Device-change messages as the notifier delivers them.
  void OnDeviceChange(const DeviceInterfaceEvent& event);
  void DeviceArrival();
  void DeviceRemoval(const DeviceInterfaceEvent& event);
  void Timer1Timer();
  // A registered session message reached the window.
  void OnSessionMessage(std::uint32_t message);
  // The tray menu's "Close": tells plug-ins to end, then closes the window.
  void CloseMenuClick();
  // Puts the window and the tray icon on screen and serves automation.
  void Present();
  // The about window, made after this one; the "About" button opens it.
  void SetAboutWindow(TAboutForm* about) { about_window_ = about; }
  // Opens the about window, dressed by the language and the skin, once the
  // gesture that asked for it has ended; nothing while no device is active.
  void ShowAbout();
  // The tray's plug-in entries; made at start-up.
  PluginMenu* Plugins() { return plugin_menu_ ? &*plugin_menu_ : nullptr; }

  // Automation of the window from outside.
  toolkit::Form& AutomationForm() override { return form_; }
  toolkit::TrayIcon* AutomationTray() override { return tray_icon_; }
  int AutomationPage() override { return static_cast<int>(state_.current_page); }
  bool AutomationDeviceActive() override { return session_.Active(); }
  std::string AutomationScreenshot(const std::string& png_path) override;
  std::string AutomationScreenshotOf(toolkit::Form& form, const std::string& png_path) override;

  // Shows the other side of a two-state control; returns the new state.
  int FlipSwitch(int tag, int state);
  void ShowPresetButtons(int preset);
  void ShowPageTabs(int page);
  // The page of a tab label's Tag becomes current and is shown.
  void SelectPage(int tab_tag);
  void ShowPage(Page page);
  toolkit::Image* FindImageByTag(int tag) const { return form_.FindImageByTag(tag); }
  toolkit::Label* FindLabelByTag(int tag) const { return form_.FindLabelByTag(tag); }
  toolkit::Shape* FindShapeByTag(int tag) const { return form_.FindShapeByTag(tag); }

  // The picture sliders: the application-wide hook, and the handlers of the
  // ENC knob and the LED speed knobs.
  void OnHookMessage(const toolkit::HookMessage& message);
  void DragPress(toolkit::Point screen);
  void DragMove(toolkit::Point screen);
  void DragRelease();
  void OnEncKnobMouseDown(toolkit::Control& sender, const toolkit::MouseEvent& event);
  void OnEncKnobMouseMove(toolkit::Control& sender, const toolkit::MouseEvent& event);
  void OnEncKnobMouseUp(toolkit::Control& sender, const toolkit::MouseEvent& event);
  void OnLedSpeedMouseDown(toolkit::Control& sender, const toolkit::MouseEvent& event);
  void OnLedSpeedMouseMove(toolkit::Control& sender, const toolkit::MouseEvent& event);
  void OnLedSpeedMouseUp(toolkit::Control& sender, const toolkit::MouseEvent& event);
  // A click on the LED tab: the page's state again, or the LED dialog (opened
  // once the click has ended).
  void LedTabClick(bool label);
  const ui::DragState& Drag() const { return drag_; }
  // The Mic and ENC travels (knob tops at the highest and lowest value).
  SliderTravel MicTravel() const;
  SliderTravel EncTravel() const;

  // Restores a minimised window, otherwise raises it.
  void BringForward();
  // The minimise of a start at logon: into the notification area.
  void MinimizeToTray() { SendToTray(); }
  // The close button: the window goes to the tray, the program keeps running.
  void SendToTray();
  // The minimise button: to the taskbar.
  void MinimizeToTaskbar();
  // The tray icon was double-clicked.
  void TrayIconRestore();
  // Whether the desktop shows tray icons (the presentation knows).
  void SetTrayAvailable(bool available) { tray_available_ = available; }
  // Whether the LED dialog is up: the window does not move meanwhile.
  void SetLedDialogShown(std::function<bool()> shown) { led_dialog_shown_ = std::move(shown); }

 private:
  // What the skin follows and what follows a skin change.
  ui::SkinViewState ViewState() const override;
  std::int32_t RegionCut() const override;
  void SkinChanged() override;
  void ReplaceSpeakers(double ratio) override;
  std::string CurrentLanguage() const override {
    return language_ ? language_->SavedName() : state_.current_language;
  }
  void SkinMenuClick(toolkit::MenuItem& item);

  void AttachChrome();
  bool PluginChecked() const;
  // What every feature is built with.
  FeatureDeps Deps();

  // Construction, in order.
  void CreateControls();
  bool BindDeviceLibrary();
  void PrepareProgramFolder();
  void LoadBeePicture();
  void RegisterMessages();
  void ReadConfiguration();
  void SetFieldDefaults();
  void ReadUserChoices();
  void AdoptDesktopChoices();
  void ChooseResolutionFolder();
  void SetApplicationIdentity();
  void ReadRuntimeKeys();
  void BuildMenus();
  void ApplyWindowShape();
  void LoadSkin();
  void FirstDeviceSearch();
  void OpenHeldDevice();
  void InitEqualizerAtStart();
  void Init3DAndEffectsAtStart();
  void SyncActiveDeviceAtStart();
  void ApplyDefaultsAtStart();
  void RegisterDeviceNotifications();
  void ShowFirstPage();
  void ApplyLastProfileAtStart();
  // The profile keeper and the features it saves and applies, in key order.
  void SetUpProfiles();
  // The keeper's last problem in the standard error box, once start-up has
  // ended and the window is up.
  void ShowProfileErrorLater();
  void ShowProfileErrorOnceUp(const std::string& text);
  void SyncFromDeviceAtStart();
  void Step(int number, const std::function<void()>& step);

  // Shutdown, in order.
  void StopTimersAndNotifications();
  void NeutraliseDevice();

  // The device lifecycle.
  void ActivationResync(bool from_arrival);
  void ShowDeviceState(const char* text_key);
  void ShowDeviceIndicators();
  void DeactivateWithoutHid();
  // Runs a device sequence; events arriving meanwhile wait until it ends.
  void RunSequence(const std::function<void()>& sequence);
  // Lets pending messages run inside a sequence; false when the device left
  // meanwhile, so the sequence must stop.
  bool PumpAndCheck();
  bool RemovalOfCurrentDevice(const DeviceInterfaceEvent& event) const;
  void RunDeferred();

  // Languages, skins and pages.
  void BuildLanguageMenu();
  void BuildSkinMenu();
  void BuildPluginMenu();
  // The skin's picture for the about window's logo; empty when it names none.
  std::string AboutLogoPath() const;
  void LoadLanguage();
  void ApplyLabels();
  void StartSkin();
  // Why a skin or language is not the one asked for, or not saved: in the
  // debug output and a box, now or once the window is up.
  void ShowChoiceProblem(const std::string& text);
  void ShowChoiceProblemLater(const std::string& text);
  void ShowChoiceProblemBox(const std::string& text);
  // Posts the boxes start-up kept back, once the window is presented.
  void ShowStartNotices();
  std::vector<std::string> start_notices_;
  // The device came or went: the controls that follow it (the device text,
  // the pictures of the device's switches) show or hide on the current page.
  void RefreshPageDisplay();
  // The ENC or Voice Magic page, when it is the current one, shows its state again.
  void ShowEncOrVoicePage();
  // Dispatch by the control table (AudioMainFormDispatch.cpp): each row's
  // behaviour decides what a press, release and click do, and its action
  // names the feature's step, bound here once.
  void RegisterActions();
  void RunAction(const ControlResource& row, int arg);
  void AttachHandlers();
  // The row of the image a forwarding label stands for.
  const ControlResource* ImageRowOf(const ControlResource& label) const;
  void PressRow(const ControlResource* row);
  void ReleaseRow(const ControlResource* row);
  void ClickRow(const ControlResource* row);
  void ShowWarning(const char* record);
  void PressTab(int tag);
  // The tabs of the right group keep their down picture while their page is shown.
  static bool KeepsDownPicture(Page page);
  // The language record that decides on which pages a label shows; nullptr
  // for a label no language file dresses (it goes by its caption and design).
  const ui::LabelRecord* PageRecordOf(std::string_view label) const;
  bool BeeChecked() const;
  bool BeeConfigured() const;
  void MoveEqKnob(toolkit::Control& knob, int top);
  void MoveMicKnob(toolkit::Control& knob, int top);
  int ClickTop(const toolkit::Control& knob, toolkit::Point screen, SliderTravel travel) const;
  std::string MainText(const std::string& key) const;
  // The language menu's click; a language file that fails is reported and
  // the language stays.
  void LanguageMenuClick(toolkit::MenuItem& item);

  // What the language sees of this window.
  class LanguageLink final : public ui::LanguageHost {
   public:
    explicit LanguageLink(TAudioMainForm& form) : form_(form) {}
    ui::LabelViewState LabelView() const override;
    void LanguageChanged() override;
    std::string CurrentSkin() const override;

   private:
    TAudioMainForm& form_;
  };

  Platform& platform_;
  toolkit::Application& app_;
  toolkit::Form form_;
  DeviceLibrary library_;
  DeviceSession session_;
  AppConfig config_;
  RuntimeConfig runtime_;
  MainFormState state_;
  std::optional<RegisteredMessages> messages_;
  PrivateProfile profiles_;
  std::optional<ProgramConfigFile> program_config_;
  // The program folder's configuration file, where the signed device IDs are.
  std::string config_path_;

  toolkit::Timer* timer1_ = nullptr;
  toolkit::PopupMenu* popup_menu_ = nullptr;
  toolkit::TrayIcon* tray_icon_ = nullptr;
  std::unique_ptr<DeviceNotification> notification_;
  int hook_id_ = 0;

  // Destroyed before the form they show.
  std::unique_ptr<toolkit::Presentation> form_presentation_;
  std::unique_ptr<toolkit::Presentation> tray_presentation_;
  std::unique_ptr<AutomationServer> automation_;

  bool tray_available_ = true;
  std::function<bool()> led_dialog_shown_;

  int constructed_ = 0;
  bool destroyed_ = false;
  // Device sequences and the events that wait for them.
  int sequence_depth_ = 0;
  bool current_device_left_ = false;
  bool timer_tick_deferred_ = false;
  std::deque<std::function<void()>> deferred_;
  std::map<Action, std::function<void(int)>> actions_;

  // Mouse gestures: the hook's drag, a press that showed a warning (its click
  // and release do nothing), the LED speed knobs' drag.
  ui::DragState drag_;
  ui::DragState led_drag_;
  bool gesture_warned_ = false;

  // The window's features; they reach the device and the window only
  // through their FeatureDeps.
  std::optional<UserSettings> user_settings_;
  ui::Skin skin_;
  std::unique_ptr<ControlFeatureView> feature_view_;
  std::unique_ptr<MicFormView> mic_view_;
  std::unique_ptr<SpeakerFormView> speaker_view_;
  std::unique_ptr<EncFormView> enc_view_;
  std::unique_ptr<FormLedPageView> led_view_;
  Equalizer equalizer_;
  Sound3D sound3d_;
  EnvironmentEffects effects_;
  Microphone microphone_;
  Virtual71 virtual71_;
  NoiseCancellation noise_;
  VoiceMagic voice_;
  Lighting lighting_;
  FeatureRules rules_;
  // The bee test on the speakers of virtual 7.1; made once the program folder is known.
  std::optional<BeeTest> bee_test_;

  // What the profiles see of this window.
  class ProfileLink final : public ProfileHost {
   public:
    explicit ProfileLink(TAudioMainForm& form) : form_(form) {}
    bool DeviceHidPresent() override;
    void BeforeApply() override;
    void AfterApply() override;
    void SetProfileSaving(bool saving) override;
    std::string UserFolderName() const override;
    std::string Title() const override;
    toolkit::Dialogs& Dialogs() override;

   private:
    TAudioMainForm& form_;
  };
  ProfileLink profile_link_{*this};
  std::optional<ProfileKeeper> profile_keeper_;

  // The current language; made when the language menu is built.
  LanguageLink language_link_{*this};
  std::optional<ui::Language> language_;

  TAboutForm* about_window_ = nullptr;
  // Made when the menus are built; it holds the tray menu's entries.
  std::optional<PluginMenu> plugin_menu_;
};

}  // namespace audio77
