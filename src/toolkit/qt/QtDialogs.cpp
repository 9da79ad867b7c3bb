#include "toolkit/qt/QtDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace audio77::toolkit::qt {
namespace {

QMessageBox::StandardButtons ToButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
      return QMessageBox::Ok;
    case MessageButtons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::kRetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::kAbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kError:
      return QMessageBox::Critical;
    case MessageIcon::kWarning:
      return QMessageBox::Warning;
    case MessageIcon::kInformation:
      return QMessageBox::Information;
    case MessageIcon::kQuestion:
      return QMessageBox::Question;
    case MessageIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

MessageAnswer ToAnswer(int button, MessageButtons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return MessageAnswer::kOk;
    case QMessageBox::Cancel:
      return MessageAnswer::kCancel;
    case QMessageBox::Abort:
      return MessageAnswer::kAbort;
    case QMessageBox::Retry:
      return MessageAnswer::kRetry;
    case QMessageBox::Ignore:
      return MessageAnswer::kIgnore;
    case QMessageBox::Yes:
      return MessageAnswer::kYes;
    case QMessageBox::No:
      return MessageAnswer::kNo;
    default:
      return DismissAnswer(buttons);
  }
}

int ToButton(MessageAnswer answer) {
  switch (answer) {
    case MessageAnswer::kOk:
      return QMessageBox::Ok;
    case MessageAnswer::kCancel:
      return QMessageBox::Cancel;
    case MessageAnswer::kAbort:
      return QMessageBox::Abort;
    case MessageAnswer::kRetry:
      return QMessageBox::Retry;
    case MessageAnswer::kIgnore:
      return QMessageBox::Ignore;
    case MessageAnswer::kYes:
      return QMessageBox::Yes;
    case MessageAnswer::kNo:
      return QMessageBox::No;
  }
  return QMessageBox::NoButton;
}

}  // namespace

QtDialogs::Given QtDialogs::Wait(QDialog& dialog, Kind kind, int& result) {
  Waiting waiting{&dialog, kind, {}};
  waiting_.push_back(&waiting);
  result = dialog.exec();
  waiting_.pop_back();
  return waiting.given;
}

QtDialogs::Waiting* QtDialogs::Innermost(Kind kind) {
  if (waiting_.empty() || waiting_.back()->kind != kind || waiting_.back()->dialog.isNull()) return nullptr;
  return waiting_.back();
}

MessageAnswer QtDialogs::ShowMessage(const MessageRequest& request) {
  QMessageBox box(ToIcon(request.icon), QString::fromStdString(request.caption),
                  QString::fromStdString(request.text), ToButtons(request.buttons));
  int result = 0;
  Wait(box, Kind::kMessage, result);
  return ToAnswer(result, request.buttons);
}

bool QtDialogs::AnswerWaitingMessage(MessageAnswer answer) {
  Waiting* waiting = Innermost(Kind::kMessage);
  if (waiting == nullptr) return false;
  auto* box = qobject_cast<QMessageBox*>(waiting->dialog.data());
  const int button = ToButton(answer);
  if (box == nullptr || box->button(static_cast<QMessageBox::StandardButton>(button)) == nullptr) return false;
  box->done(button);
  return true;
}

std::optional<Color> QtDialogs::ChooseColor(const ColorRequest& request) {
  QColorDialog dialog(QColor(RedOf(request.initial), GreenOf(request.initial), BlueOf(request.initial)));
  int result = 0;
  const Given given = Wait(dialog, Kind::kColor, result);
  if (const auto* answered = std::get_if<std::optional<Color>>(&given)) return *answered;
  const QColor chosen = dialog.selectedColor();
  if (result != QDialog::Accepted || !chosen.isValid()) return std::nullopt;
  return RgbColor(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                  static_cast<std::uint8_t>(chosen.blue()));
}

bool QtDialogs::AnswerWaitingColor(std::optional<Color> color) {
  Waiting* waiting = Innermost(Kind::kColor);
  if (waiting == nullptr) return false;
  waiting->given = color;
  waiting->dialog->done(color ? QDialog::Accepted : QDialog::Rejected);
  return true;
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileRequest& request, bool open) {
  QFileDialog dialog(nullptr, QString::fromStdString(request.title),
                     QString::fromStdString(request.initial_folder));
  dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  const QStringList filters = QtDialogs::NameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.default_extension.empty())
    dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
  int result = 0;
  const Given given = Wait(dialog, Kind::kFile, result);
  if (const auto* answered = std::get_if<std::optional<std::string>>(&given)) return *answered;
  if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

bool QtDialogs::AnswerWaitingFile(const std::optional<std::string>& path) {
  Waiting* waiting = Innermost(Kind::kFile);
  if (waiting == nullptr) return false;
  waiting->given = path;
  waiting->dialog->done(path ? QDialog::Accepted : QDialog::Rejected);
  return true;
}

std::optional<std::string> QtDialogs::OpenFile(const FileRequest& request) { return RunFileDialog(request, true); }

std::optional<std::string> QtDialogs::SaveFile(const FileRequest& request) { return RunFileDialog(request, false); }

QStringList QtDialogs::NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns) p = p.trimmed();
    if (patterns.isEmpty()) continue;
    filters << QString("%1 (%2)").arg(parts[i].trimmed(), patterns.join(' '));
  }
  return filters;
}

}  // namespace audio77::toolkit::qt
