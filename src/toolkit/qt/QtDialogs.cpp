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

std::optional<std::string> RunFileDialog(const FileRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(nullptr, QString::fromStdString(request.title),
                     QString::fromStdString(request.initial_folder));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  const QStringList filters = QtDialogs::NameFilters(request.filter);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.default_extension.empty())
    dialog.setDefaultSuffix(QString::fromStdString(request.default_extension));
  if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

MessageAnswer QtDialogs::ShowMessage(const MessageRequest& request) {
  QMessageBox box(ToIcon(request.icon), QString::fromStdString(request.caption),
                  QString::fromStdString(request.text), ToButtons(request.buttons));
  return ToAnswer(box.exec(), request.buttons);
}

std::optional<Color> QtDialogs::ChooseColor(const ColorRequest& request) {
  const QColor initial(RedOf(request.initial), GreenOf(request.initial), BlueOf(request.initial));
  const QColor chosen = QColorDialog::getColor(initial);
  if (!chosen.isValid()) return std::nullopt;
  return RgbColor(static_cast<std::uint8_t>(chosen.red()),
                  static_cast<std::uint8_t>(chosen.green()),
                  static_cast<std::uint8_t>(chosen.blue()));
}

std::optional<std::string> QtDialogs::OpenFile(const FileRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogs::SaveFile(const FileRequest& request) {
  return RunFileDialog(request, QFileDialog::AcceptSave);
}

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
