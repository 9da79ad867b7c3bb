// audio77: the window instance ("-servicestart", "-serviceboot") and the two
// one-shot service requests. This file only wires the platform, Qt and the
// toolkit to the entry point.
#include <QApplication>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/EntryPoint.h"
#include "app/MainWindowInstance.h"
#include "platform/StderrDebugOutput.h"
#include "platform/linux/TerminationSignals.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"
#include "toolkit/qt/QtToolkit.h"
#include "wiring/ChoosePlatform.h"
#include "wiring/FirstPaintReport.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

// Qt's own notes (a missing runtime folder, a theme) are diagnostics like
// ours: written only when asked for. Errors always are.
void QtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  static const bool wanted = audio77::StderrDebugOutput::EnabledByEnvironment();
  if (type != QtCriticalMsg && type != QtFatalMsg && !wanted) return;
  std::cerr << text.toStdString() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  // Taken before Qt sees the command line, so every argument stays as given.
  std::vector<std::string> arguments(argv, argv + argc);
  // Answered before Qt or any platform service starts, so that they work
  // anywhere (a man page generator, a terminal without a display).
  switch (audio77::CommandLine(arguments).AskedForInformation()) {
    case audio77::InformationRequest::kHelp:
      std::cout << audio77::CommandLine::UsageText();
      return 0;
    case audio77::InformationRequest::kVersion:
      std::cout << audio77::CommandLine::VersionText(AUDIO77_VERSION);
      return 0;
    case audio77::InformationRequest::kNone:
      break;
  }
  // The one-shot service requests also run where no display is reachable (a
  // session start before the desktop); Qt would end the process there.
  if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  qInstallMessageHandler(QtMessages);
  QApplication qt(argc, argv);
  // The tray keeps the program alive while no window is shown; the event
  // loop ends when the main form closes.
  QApplication::setQuitOnLastWindowClosed(false);
  try {
    const auto host = audio77::CreatePlatform(audio77::PlatformKindFromEnvironment());
    audio77::Platform& platform = host->Get();
    audio77::toolkit::EventLoop loop(platform.clock);
    audio77::toolkit::Application app(loop);
    app.SetTitle(audio77::kApplicationTitle);
    const audio77::toolkit::qt::QtToolkit toolkit(app);
    audio77::FirstPaintReport::InstallIfRequested([&app] {
      if (audio77::toolkit::Form* main_form = app.MainForm()) main_form->Close();
    });
    audio77::EntryPoint entry_point(
        platform, app,
        [](const audio77::WindowInstanceContext& context) {
          return std::make_unique<audio77::MainWindowInstance>(context);
        },
        // SIGTERM and SIGINT close the window instance the way the exit
        // message does.
        [](std::function<void()> close) {
          return std::make_shared<audio77::TerminationSignals>(std::move(close));
        });
    return entry_point.Run(std::move(arguments));
  } catch (const std::exception& error) {
    std::cerr << "audio77: " << error.what() << '\n';
  }
  return 0;
}
