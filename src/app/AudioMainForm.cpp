#include "app/AudioMainForm.h"

#include <filesystem>
#include <system_error>

#include "platform/DebugFormat.h"
#include "toolkit/Presenter.h"
#include "ui/SkinFeatureView.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {
namespace {

// The record test's file lives in a folder of this user only: the session's
// runtime folder, else one of our own under the temporary folder.
std::string RecordTestFolder(const KnownFolders& folders) {
  const auto runtime = folders.Environment("XDG_RUNTIME_DIR");
  if (runtime && !runtime->empty()) return (std::filesystem::path(*runtime) / "audio77").string();
  std::error_code error;
  const auto temporary = std::filesystem::temp_directory_path(error);
  return ((error ? std::filesystem::path("/tmp") : temporary) / "audio77-record-test").string();
}

}  // namespace

TAudioMainForm::TAudioMainForm(Platform& platform, toolkit::Application& app)
    : platform_(platform),
      app_(app),
      form_(app, "AudioMainForm"),
      library_(platform.loader, platform.debug, app.Boxes()),
      session_(platform, library_),
      profiles_(platform.files),
      skin_(form_, *this, std::string(), false, nullptr),
      feature_view_(std::make_unique<ui::SkinFeatureView>(form_, skin_)),
      mic_view_(std::make_unique<MicFormView>(
          form_, *feature_view_, [this] { return MicTravel(); },
          [this] { return static_cast<int>(skin_.Geometry().mic_progress_length); })),
      speaker_view_(std::make_unique<SpeakerFormView>(form_, [this] {
        const ui::SkinGeometry& geometry = skin_.Geometry();
        return SpeakerCircle{geometry.center_x, geometry.center_y, geometry.radius};
      })),
      enc_view_(std::make_unique<EncFormView>(
          form_, *feature_view_,
          EncFormView::Window{[this](const std::string& label, bool down) {
                                if (language_) language_->ShowLabelState(label, down);
                              },
                              [this] { return EncTravel(); },
                              [this] { return state_.current_page == Page::kNoiseCancellation; },
                              [this] { ShowWarning("LabelWarning1"); }})),
      led_view_(std::make_unique<FormLedPageView>(form_, *feature_view_)),
      equalizer_(Deps()),
      sound3d_(Deps()),
      effects_(Deps(), session_.Extension()),
      microphone_(Deps(), MicSound{platform.endpoints, platform.wave_in, platform.wave_out, app.Loop(), *mic_view_,
                                   RecordTestFolder(platform.folders)}),
      virtual71_(Deps(), SpeakerStage{*speaker_view_, app.Loop()}),
      noise_(Deps(), EncParts{platform.registry, app.Loop(), *enc_view_}),
      voice_(Deps(), EncParts{platform.registry, app.Loop(), *enc_view_}),
      lighting_(Deps(), *led_view_),
      rules_(equalizer_, sound3d_, virtual71_) {
  voice_.FollowEncSupport([this] { return noise_.Supported(); });
  static_cast<ui::SkinFeatureView&>(*feature_view_)
      .SetLabelColouring([this](const std::string& label, bool down) {
        if (language_) language_->ShowLabelState(label, down);
      });
  led_dialog_shown_ = [this] { return lighting_.DialogShown(); };
}

FeatureDeps TAudioMainForm::Deps() {
  return FeatureDeps{library_, session_, session_, platform_.clock, platform_.debug, *feature_view_};
}

TAudioMainForm::~TAudioMainForm() { FormDestroy(); }

void TAudioMainForm::FormCreate() {
  hook_id_ = app_.AddMouseHook([this](const toolkit::HookMessage& message) { OnHookMessage(message); });
  platform_.debug.Write("FormCreate");
}

void TAudioMainForm::OnSessionMessage(std::uint32_t message) {
  if (!messages_) return;
  if (message == messages_->app_exit) {
    // A close asked for inside a device sequence waits for the top level.
    if (sequence_depth_ > 0) {
      deferred_.push_back([this] { form_.Close(); });
      return;
    }
    form_.Close();
    return;
  }
  if (message == messages_->exit_resume && plugin_menu_) plugin_menu_->ClearMarks();
}

void TAudioMainForm::CloseMenuClick() {
  platform_.bus.Broadcast(platform_.bus.Register(kEffectExitMessage));
  form_.Close();
}

void TAudioMainForm::BringForward() {
  if (form_.State() == toolkit::WindowState::kMinimized || !form_.Visible()) {
    form_.Show();
    form_.Restore();
  }
  form_.Activate();
}

void TAudioMainForm::Present() {
  tray_icon_->SetVisible(true);
  if (toolkit::Presenter* presenter = app_.GetPresenter()) {
    tray_available_ = presenter->TrayAvailable();
    form_presentation_ = presenter->PresentForm(form_);
    tray_presentation_ = presenter->PresentTray(*tray_icon_);
  }
  automation_ = std::make_unique<AutomationServer>(platform_.automation, *this);
  automation_->Start();
  ShowStartNotices();
}

std::string TAudioMainForm::AutomationScreenshot(const std::string& png_path) {
  return AutomationScreenshotOf(form_, png_path);
}

std::string TAudioMainForm::AutomationScreenshotOf(toolkit::Form& form, const std::string& png_path) {
  toolkit::Presenter* presenter = app_.GetPresenter();
  return presenter != nullptr ? presenter->SaveScreenshot(form, png_path) : "nothing is presented";
}

}  // namespace audio77
