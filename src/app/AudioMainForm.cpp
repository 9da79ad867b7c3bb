#include "app/AudioMainForm.h"

#include "platform/DebugFormat.h"
#include "toolkit/Presenter.h"
#include "ui/SkinFeatureView.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {

TAudioMainForm::TAudioMainForm(Platform& platform, toolkit::Application& app)
    : platform_(platform),
      app_(app),
      form_(app, "AudioMainForm"),
      library_(platform.loader, platform.debug, app.Boxes()),
      session_(platform, library_),
      profiles_(platform.files),
      skin_(form_, *this, std::string(), false, nullptr),
      feature_view_(std::make_unique<ui::SkinFeatureView>(form_, skin_)),
      equalizer_(FeatureContextOf(), *feature_view_),
      sound3d_(FeatureContextOf(), *feature_view_),
      effects_(FeatureContextOf(), *feature_view_) {
  static_cast<ui::SkinFeatureView&>(*feature_view_)
      .SetLabelColouring([this](const std::string& label, bool down) {
        if (language_) language_->ShowLabelState(label, down);
      });
}

FeatureContext TAudioMainForm::FeatureContextOf() {
  return FeatureContext{platform_, app_, form_, library_, session_, state_, profiles_};
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
  if (message == messages_->exit_resume) {
    toolkit::MenuItem* plugins = popup_menu_ ? popup_menu_->Find("ModeMenu") : nullptr;
    if (plugins == nullptr) return;
    const int count = std::min<int>(state_.plugin_count, static_cast<int>(plugins->Items().size()));
    for (int index = 0; index < count; ++index) {
      toolkit::MenuItem& item = *plugins->Items()[static_cast<std::size_t>(index)];
      if (item.Checked()) item.SetChecked(false);
    }
  }
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
}

std::string TAudioMainForm::AutomationScreenshot(const std::string& png_path) {
  return AutomationScreenshotOf(form_, png_path);
}

std::string TAudioMainForm::AutomationScreenshotOf(toolkit::Form& form, const std::string& png_path) {
  toolkit::Presenter* presenter = app_.GetPresenter();
  return presenter != nullptr ? presenter->SaveScreenshot(form, png_path) : "nothing is presented";
}

}  // namespace audio77
