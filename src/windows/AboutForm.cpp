#include "windows/AboutForm.h"

#include <utility>

#include "toolkit/PictureError.h"
#include "windows/WebAddress.h"

namespace audio77 {
namespace {

constexpr toolkit::Size kClientSize{479, 89};
constexpr toolkit::Color kWebBlue = 0xFF0000;  // 0x00BBGGRR

toolkit::Font LabelFont() {
  toolkit::Font font;
  font.name = "Tahoma";
  font.size_pixels = 15;
  return font;
}

}  // namespace

TAboutForm::TAboutForm(toolkit::Application& app, Shell& shell, DebugOutput& debug, std::string version)
    : form_(app, "AboutForm"), shell_(shell), debug_(debug), version_(std::move(version)) {
  form_.SetPlacement(toolkit::Placement::kOwnerCenter);
  form_.SetFrameless(false);
  form_.SetCaption("About");
  form_.SetClientSize(kClientSize);
  CreateControls();
}

void TAboutForm::CreateControls() {
  // Wrapping first: a wrapping label keeps its width, any other one shrinks
  // to its (still empty) text.
  toolkit::Label& about = form_.AddLabel("AboutLabel");
  about.SetWordWrap(true);
  about.SetBounds({88, 20, 380, 18});
  about.SetFont(LabelFont());
  about.SetTransparent(true);

  toolkit::Image& logo = form_.AddImage("LOGOQKImage");
  logo.SetBounds({16, 20, 57, 49});
  logo.SetStretch(true);

  toolkit::Label& web = form_.AddLabel("WebLabel");
  web.SetWordWrap(true);
  web.SetBounds({88, 51, 380, 18});
  toolkit::Font web_font = LabelFont();
  web_font.color = kWebBlue;
  web_font.underline = true;
  web.SetFont(web_font);
  web.SetTransparent(true);
  web.OnClick = [this](toolkit::Control&) { WebLabelClick(); };

  toolkit::Label& version = form_.AddLabel("VersionLabel");
  version.SetBounds({88, 70, 380, 16});
  toolkit::Font small = LabelFont();
  small.size_pixels = 11;
  small.color = 0x808080;
  version.SetFont(small);
  version.SetTransparent(true);
  version.SetCaption("V" + version_);
}

void TAboutForm::DressLabel(const ui::Language& language, const char* key, toolkit::Label& label) {
  const toolkit::Color own = label.GetFont().color;
  language.ApplyTo(key, label);
  toolkit::Font font = label.GetFont();
  // The language's common colours suit the skinned main window, not this
  // plain dialog: a label keeps its own unless its record names one.
  if (!language.Record(key).color_up_given) font.color = own;
  // The address looks like a link whatever the record gives.
  if (&label == form_.Find<toolkit::Label>("WebLabel")) font.underline = true;
  label.SetFont(font);
}

void TAboutForm::Dress(const ui::Language& language, const std::string& logo_path) {
  if (const ui::LabelRecord& title = language.Record("LabelMenu3"); title.Shows()) form_.SetCaption(title.caption);
  if (auto* about = form_.Find<toolkit::Label>("AboutLabel")) DressLabel(language, "LabelAbout", *about);
  if (auto* web = form_.Find<toolkit::Label>("WebLabel")) DressLabel(language, "LabelWeb", *web);
  auto* logo = form_.Find<toolkit::Image>("LOGOQKImage");
  if (logo == nullptr) return;
  logo->ClearPicture();
  if (logo_path.empty()) return;
  try {
    logo->LoadFromFile(logo_path);
  } catch (const toolkit::PictureError& error) {
    debug_.Write(std::string("about logo: ") + error.what());
  }
}

void TAboutForm::ShowAbout(const ui::Language& language, const std::string& logo_path) {
  Dress(language, logo_path);
  form_.ShowModal();
}

void TAboutForm::WebLabelClick() {
  const auto* web = form_.Find<toolkit::Label>("WebLabel");
  if (web == nullptr) return;
  const std::optional<std::string> address = SafeWebAddress(web->Caption());
  if (!address) {
    debug_.Write("WebLabel: not a web address, not opened");
    return;
  }
  if (!shell_.OpenUrl(*address)) debug_.Write("WebLabel: the desktop could not open " + *address);
}

}  // namespace audio77
