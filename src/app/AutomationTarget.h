#pragma once
// What the main window offers to automation (`audio77ctl ui …`). The main form
// implements it; AutomationServer serves it; AutomationCommands reads and
// drives it. Everything runs on the UI thread.
//
// What the form must provide:
//  - AutomationForm(): its toolkit::Form. Controls are listed in creation order
//    and driven through the form's own mouse entry points (MouseDown,
//    MouseMove, MouseUp), so the application-wide hook sees the input first,
//    exactly as with a real mouse.
//  - AutomationTray(): the notification-area icon (nullptr when there is none);
//    its pop-up menu is the one `ui menu` and `ui menus` act on.
//  - AutomationPage(), AutomationDeviceActive(): the page shown and whether a
//    device is active, for `ui state` (the rest of the state comes from the form).
//  - AutomationScreenshot(path): saves the window as painted as a PNG file and
//    returns an empty text, or the reason it could not. With Qt,
//    toolkit::qt::SaveFormScreenshot does it; main() hands it to the form.
// Dialogs need nothing from the form: AutomationServer puts its
// AutomationDialogs in front of the application's dialogs while it serves.
//
// Wiring, once the presentation has installed its dialogs (the form owns the
// server, so it withdraws before the form goes):
//   automation_ = std::make_unique<AutomationServer>(platform.automation, *this);
//   automation_->Start();  // false: not served here (Linux without
//                          // AUDIO77_AUTOMATION=1, or no session bus)

#include <string>

#include "toolkit/Form.h"
#include "toolkit/TrayIcon.h"

namespace audio77 {

class AutomationTarget {
 public:
  virtual ~AutomationTarget() = default;
  virtual toolkit::Form& AutomationForm() = 0;
  virtual toolkit::TrayIcon* AutomationTray() = 0;
  virtual int AutomationPage() = 0;
  virtual bool AutomationDeviceActive() = 0;
  virtual std::string AutomationScreenshot(const std::string& png_path) = 0;
  // The same for another window of the program.
  virtual std::string AutomationScreenshotOf(toolkit::Form& form, const std::string& png_path) {
    return &form == &AutomationForm() ? AutomationScreenshot(png_path) : "this window cannot be pictured";
  }
};

}  // namespace audio77
