#pragma once
// What the profile operations need of the window around the features: the
// device check of "Save" and "Load", the steps before and after the features
// apply a profile, the profile-saving flag, and the names the files and the
// error box are built from.

#include <string>

#include "toolkit/Dialogs.h"

namespace audio77 {

class ProfileHost {
 public:
  virtual ~ProfileHost() = default;
  // The current device's vendor HID interface can be opened (it is closed again).
  virtual bool DeviceHidPresent() = 0;
  // Before the features apply a profile: with the device inactive, register
  // synchronisation goes off.
  virtual void BeforeApply() = 0;
  // After they did: the current page's visibility is brought up to date.
  virtual void AfterApply() = 0;
  // Set while the features write a profile: selecting a preset in order to
  // read it then writes no register.
  virtual void SetProfileSaving(bool saving) = 0;
  // The install folder name: the per-user folders of the profiles.
  virtual std::string UserFolderName() const = 0;
  // The caption of the standard error box.
  virtual std::string Title() const = 0;
  // The window's dialogs as they are when a profile operation runs (a driven
  // window answers them from its script).
  virtual toolkit::Dialogs& Dialogs() = 0;
};

}  // namespace audio77
