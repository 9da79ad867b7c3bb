#pragma once
// Puts forms and the notification-area icon on screen. Forms are built
// without knowing the window system; whoever creates one asks the
// application's presenter for its presentation and keeps it for as long as
// the form or icon is shown. Headless (tests, no presenter) nothing is shown
// and the models work alone.

#include <memory>
#include <string>

namespace audio77::toolkit {

class Form;
class TrayIcon;

// One form's or icon's presence on screen; destroying it takes it away.
// Destroy it before the form or icon it shows.
class Presentation {
 public:
  virtual ~Presentation() = default;
};

class Presenter {
 public:
  virtual ~Presenter() = default;
  // A window that shows the form and feeds it the user's input.
  virtual std::unique_ptr<Presentation> PresentForm(Form& form) = 0;
  // The icon in the notification area.
  virtual std::unique_ptr<Presentation> PresentTray(TrayIcon& tray) = 0;
  // Whether the desktop has a notification area to show the icon in.
  virtual bool TrayAvailable() const { return false; }
  // Saves the form as painted to a PNG file: an empty text when done, else
  // the reason it was not.
  virtual std::string SaveScreenshot(const Form&, const std::string&) { return "nothing is presented"; }
};

}  // namespace audio77::toolkit
