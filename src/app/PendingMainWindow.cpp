#include "app/PendingMainWindow.h"

namespace audio77 {

PendingMainWindow::PendingMainWindow(Platform& platform, std::string raw_command_line,
                                     MessageLoop loop)
    : platform_(platform),
      loop_(std::move(loop)),
      messages_(platform.bus),
      activation_(std::move(raw_command_line)) {
  platform_.bus.SetHandler([this](std::uint32_t message) { OnMessage(message); });
}

PendingMainWindow::~PendingMainWindow() { platform_.bus.SetHandler(nullptr); }

void PendingMainWindow::Run() {
  Activate();  // the main window is shown and activated as the loop starts
  loop_.run();
}

void PendingMainWindow::BringForward() {
  minimised_ = false;  // restored, or already up and raised: either way it is activated
  Activate();
}

void PendingMainWindow::Activate() {
  if (activation_.OnActivate(platform_.debug)) minimised_ = true;
}

void PendingMainWindow::OnMessage(std::uint32_t message) {
  if (message == messages_.app_exit) loop_.quit();
}

}  // namespace audio77
