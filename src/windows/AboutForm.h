#pragma once
// The about window: the notice and web address of the current language, the
// skin's logo and the program's version, centred on the main window. Its
// web address opens in the browser when clicked.

#include <string>

#include "platform/DebugOutput.h"
#include "platform/Shell.h"
#include "toolkit/Form.h"
#include "ui/Language.h"

namespace audio77 {

class TAboutForm {
 public:
  TAboutForm(toolkit::Application& app, Shell& shell, DebugOutput& debug, std::string version);
  toolkit::Form& Form() { return form_; }

  // Dresses the window from the language's records ("LabelMenu3" for the
  // caption, "LabelAbout", "LabelWeb") and the logo picture file (empty or
  // unreadable: no logo), then shows it modally.
  void ShowAbout(const ui::Language& language, const std::string& logo_path);
  // Dresses the window without showing it.
  void Dress(const ui::Language& language, const std::string& logo_path);
  // Opens the web label's text when it is a web address; anything else is
  // only reported in the debug output.
  void WebLabelClick();

 private:
  void CreateControls();
  void DressLabel(const ui::Language& language, const char* key, toolkit::Label& label);

  toolkit::Form form_;
  Shell& shell_;
  DebugOutput& debug_;
  std::string version_;
};

}  // namespace audio77
