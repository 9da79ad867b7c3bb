#include "toolkit/Application.h"

#include <algorithm>

#include "toolkit/Form.h"

namespace audio77::toolkit {

Application::Application(EventLoop& loop)
    : loop_(loop),
      pictures_(header_loader_),
      dialogs_(&scripted_dialogs_),
      boxes_([this]() -> Dialogs& { return *dialogs_; }),
      measurer_(&estimated_measurer_) {}

Application::~Application() = default;

int Application::AddMouseHook(MouseHook hook) {
  const int id = next_hook_id_++;
  hooks_.push_back({id, std::move(hook)});
  return id;
}

void Application::RemoveMouseHook(int id) {
  std::erase_if(hooks_, [id](const HookEntry& e) { return e.id == id; });
}

void Application::RunMouseHooks(const HookMessage& message) {
  // A hook may add or remove hooks while it runs.
  const std::vector<HookEntry> hooks = hooks_;
  for (const HookEntry& entry : hooks) {
    if (entry.hook) entry.hook(message);
  }
}

Size Application::MeasureText(std::string_view text, const Font& font, int wrap_width) const {
  return measurer_->Measure(text, font, wrap_width);
}

void Application::UseHeadlessServices() {
  pictures_.SetLoader(header_loader_);
  dialogs_ = &scripted_dialogs_;
  measurer_ = &estimated_measurer_;
  menu_presenter_ = nullptr;
  presenter_ = nullptr;
}

void Application::Minimize() {
  if (main_form_ != nullptr) main_form_->Minimize();
}

void Application::Restore() {
  if (main_form_ == nullptr) return;
  main_form_->Restore();
  main_form_->Show();
}

void Application::Terminate() { loop_.Quit(); }

void Application::RunModalHeadless(Form& form) {
  if (modal_runner_) modal_runner_(form);
}

void Application::RegisterForm(Form& form) {
  forms_.push_back(&form);
  if (main_form_ == nullptr) main_form_ = &form;
}

void Application::UnregisterForm(Form& form) {
  std::erase(forms_, &form);
  if (main_form_ == &form) main_form_ = nullptr;
}

}  // namespace audio77::toolkit
