#include "app/PendingMainWindow.h"

namespace audio77 {

PendingMainWindow::PendingMainWindow(const WindowInstanceContext& context)
    : platform_(context.platform),
      app_(context.app),
      messages_(context.platform.bus),
      activation_(context.raw_command_line) {
  platform_.bus.SetHandler([this](std::uint32_t message) { OnMessage(message); });
}

PendingMainWindow::~PendingMainWindow() { platform_.bus.SetHandler(nullptr); }

void PendingMainWindow::Run() {
  platform_.instance_link.Publish(app_.Title(), [this, alive = std::weak_ptr<bool>(alive_)] {
    if (alive.lock()) BringForward();
  });
  Activate();  // the main window is shown and activated as the loop starts
  app_.Loop().Run();
}

void PendingMainWindow::BringForward() {
  minimised_ = false;  // restored, or already up and raised: either way it is activated
  Activate();
}

void PendingMainWindow::Close() { app_.Terminate(); }

void PendingMainWindow::Activate() {
  if (activation_.OnActivate(platform_.debug)) minimised_ = true;
}

void PendingMainWindow::OnMessage(std::uint32_t message) {
  if (message == messages_.app_exit) Close();
}

}  // namespace audio77
