#include "platform/linux/DesktopShell.h"

#include <QMetaObject>
#include <QProcess>
#include <QStringList>
#include <algorithm>

namespace audio77 {
namespace {

QStringList ToQt(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return list;
}

}  // namespace

DesktopShell::DesktopShell() = default;

DesktopShell::~DesktopShell() {
  // A plug-in outliving the window would have nobody to clear its mark: it is
  // asked to end (a well-behaved one does on SIGTERM), then reaped.
  for (auto& process : running_) {
    process->disconnect();
    process->terminate();
  }
  for (auto& process : running_) {
    if (!process->waitForFinished(1000)) process->kill();
    process->waitForFinished(1000);
  }
}

bool DesktopShell::OpenUrl(const std::string& url) {
  return QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(url)});
}

bool DesktopShell::StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                                std::function<void()> ended) {
  auto process = std::make_unique<QProcess>();
  process->setProgram(QString::fromStdString(program));
  process->setArguments(ToQt(arguments));
  process->setProcessChannelMode(QProcess::ForwardedChannels);
  process->start();
  if (!process->waitForStarted(2000)) return false;
  QProcess* raw = process.get();
  QObject::connect(raw, &QProcess::finished, raw, [this, raw, ended = std::move(ended)] {
    const auto callback = ended;
    // The process object may not be destroyed inside its own signal.
    QMetaObject::invokeMethod(raw, [this, raw] { Forget(raw); }, Qt::QueuedConnection);
    if (callback) callback();
  });
  running_.push_back(std::move(process));
  return true;
}

void DesktopShell::Forget(QProcess* process) {
  std::erase_if(running_, [process](const std::unique_ptr<QProcess>& p) { return p.get() == process; });
}

}  // namespace audio77
