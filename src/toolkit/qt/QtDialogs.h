#pragma once
// The standard dialogs with their Qt counterparts.

#include <QStringList>

#include "toolkit/Dialogs.h"

namespace audio77::toolkit::qt {

class QtDialogs final : public Dialogs {
 public:
  MessageAnswer ShowMessage(const MessageRequest& request) override;
  std::optional<Color> ChooseColor(const ColorRequest& request) override;
  std::optional<std::string> OpenFile(const FileRequest& request) override;
  std::optional<std::string> SaveFile(const FileRequest& request) override;

  // "Profiles|*.ini;*.cfg|All|*.*" as Qt's name filters
  // ("Profiles (*.ini *.cfg)", "All (*.*)"). A trailing description without
  // patterns is dropped.
  static QStringList NameFilters(const std::string& filter);
};

}  // namespace audio77::toolkit::qt
