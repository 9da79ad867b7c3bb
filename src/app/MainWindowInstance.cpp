#include "app/MainWindowInstance.h"

#include "settings/FileVersion.h"
#include "toolkit/Presenter.h"

namespace audio77 {

MainWindowInstance::MainWindowInstance(const WindowInstanceContext& context)
    : platform_(context.platform), app_(context.app), activation_(context.raw_command_line) {}

MainWindowInstance::~MainWindowInstance() {
  platform_.bus.SetHandler(nullptr);
  presentations_.clear();
  if (main_) main_->SetAboutWindow(nullptr);
  simple_.reset();
  if (main_) main_->LightingFeature().AttachDialog(nullptr);
  led_.reset();
  about_.reset();
  main_.reset();
}

void MainWindowInstance::CreateWindows() {
  main_ = std::make_unique<TAudioMainForm>(platform_, app_);
  app_.SetMainForm(main_->Form());
  platform_.bus.SetHandler([this](std::uint32_t message) {
    if (main_) main_->OnSessionMessage(message);
  });
  main_->Create();
  main_->FormCreate();
  main_->Form().OnActivate = [this](toolkit::Form&) { OnActivate(); };
  // An unreadable version leaves the text empty: the captions end in "(V)".
  std::string version;
  GetFileVersionText(platform_.folders.ProgramPath(), version);
  about_ = std::make_unique<TAboutForm>(app_, platform_.shell, platform_.debug, version);
  main_->SetAboutWindow(about_.get());
  Lighting& lighting = main_->LightingFeature();
  led_ = std::make_unique<TLEDForm>(app_, main_->Library(), platform_.debug, &lighting.CallLock());
  lighting.AttachDialog(led_.get());
  simple_ = std::make_unique<TSimpleForm>(
      app_, TSimpleForm::Services{platform_.debug, platform_.registry, app_.Boxes()}, version);
}

void MainWindowInstance::Run() {
  CreateWindows();
  // A start-up that could not bind the device library has already asked the
  // loop to end: the window is never shown.
  if (!app_.Terminated()) {
    // Found by a second instance under the title start-up has set.
    // The link outlives this object: a late request then finds nobody.
    platform_.instance_link.Publish(app_.Title(), [this, alive = std::weak_ptr<bool>(alive_)] {
      if (alive.lock()) BringForward();
    });
    main_->Present();
    PresentOtherWindows();
    main_->Form().Show();
    main_->Form().Activate();
    app_.Loop().Run();
  }
  main_->FormDestroy();
}

void MainWindowInstance::PresentOtherWindows() {
  toolkit::Presenter* presenter = app_.GetPresenter();
  if (presenter == nullptr) return;
  for (toolkit::Form* form : {&about_->Form(), &led_->Form(), &simple_->Form()}) {
    presentations_.push_back(presenter->PresentForm(*form));
  }
}

void MainWindowInstance::OnActivate() {
  if (activation_.OnActivate(platform_.debug)) {
    app_.Loop().Post([this] {
      if (main_) main_->MinimizeToTray();
    });
  }
}

void MainWindowInstance::BringForward() {
  if (main_) main_->BringForward();
}

void MainWindowInstance::Close() {
  if (main_) main_->Form().Close();
}

}  // namespace audio77
