#include "platform/linux/LinuxMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

namespace audio77 {
namespace {

QMessageBox::StandardButtons ButtonsOf(MessageBoxButtons buttons) {
  switch (buttons) {
    case MessageBoxButtons::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBoxButtons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageBoxButtons::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageBoxButtons::kRetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageBoxButtons::kOk: break;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::kError: return QMessageBox::Critical;
    case MessageBoxIcon::kWarning: return QMessageBox::Warning;
    case MessageBoxIcon::kInformation: return QMessageBox::Information;
    case MessageBoxIcon::kQuestion: return QMessageBox::Question;
    case MessageBoxIcon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

MessageBoxAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Cancel: return MessageBoxAnswer::kCancel;
    case QMessageBox::Yes: return MessageBoxAnswer::kYes;
    case QMessageBox::No: return MessageBoxAnswer::kNo;
    case QMessageBox::Retry: return MessageBoxAnswer::kRetry;
    default: return MessageBoxAnswer::kOk;
  }
}

MessageBoxAnswer FirstButton(MessageBoxButtons buttons) {
  if (buttons == MessageBoxButtons::kYesNo || buttons == MessageBoxButtons::kYesNoCancel) return MessageBoxAnswer::kYes;
  if (buttons == MessageBoxButtons::kRetryCancel) return MessageBoxAnswer::kRetry;
  return MessageBoxAnswer::kOk;
}

}  // namespace

MessageBoxAnswer LinuxMessageBox::Show(const std::string& text, const std::string& caption,
                                       MessageBoxButtons buttons, MessageBoxIcon icon) {
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
    std::cerr << caption << ": " << text << '\n';
    return FirstButton(buttons);
  }
  QMessageBox box(IconOf(icon), QString::fromStdString(caption), QString::fromStdString(text), ButtonsOf(buttons));
  return AnswerOf(box.exec());
}

}  // namespace audio77
