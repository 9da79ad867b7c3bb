#pragma once
// The standard dialogs with their Qt counterparts.

#include <QDialog>
#include <QPointer>
#include <QStringList>

#include <variant>
#include <vector>

#include "toolkit/Dialogs.h"

namespace audio77::toolkit::qt {

class QtDialogs final : public Dialogs {
 public:
  MessageAnswer ShowMessage(const MessageRequest& request) override;
  std::optional<Color> ChooseColor(const ColorRequest& request) override;
  std::optional<std::string> OpenFile(const FileRequest& request) override;
  std::optional<std::string> SaveFile(const FileRequest& request) override;
  bool AnswerWaitingMessage(MessageAnswer answer) override;
  bool AnswerWaitingFile(const std::optional<std::string>& path) override;
  bool AnswerWaitingColor(std::optional<Color> color) override;

  // "Profiles|*.ini;*.cfg|All|*.*" as Qt's name filters
  // ("Profiles (*.ini *.cfg)", "All (*.*)"). A trailing description without
  // patterns is dropped.
  static QStringList NameFilters(const std::string& filter);

 private:
  // What an answer from outside gave the dialog that waits.
  using Given = std::variant<std::monostate, std::optional<std::string>, std::optional<Color>>;
  enum class Kind { kMessage, kFile, kColor };
  struct Waiting {
    QPointer<QDialog> dialog;
    Kind kind;
    Given given;
  };
  // Runs dialog modally as the innermost waiting one; what an answer from
  // outside gave it, if one did.
  Given Wait(QDialog& dialog, Kind kind, int& result);
  std::optional<std::string> RunFileDialog(const FileRequest& request, bool open);
  Waiting* Innermost(Kind kind);

  std::vector<Waiting*> waiting_;
};

}  // namespace audio77::toolkit::qt
