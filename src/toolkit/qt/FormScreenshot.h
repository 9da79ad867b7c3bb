#pragma once
// The window as painted, as a picture or a PNG file. A form shown by a
// FormWidget is rendered with its real widgets; a form without a view (the
// headless program, tests) is painted offscreen from the model: background,
// the graphic controls in creation order, those inside containers too. The
// window region's outside is transparent.

#include <QImage>
#include <string>

namespace audio77::toolkit {
class Form;
}  // namespace audio77::toolkit

namespace audio77::toolkit::qt {

QImage FormScreenshot(const Form& form);
// Saves the picture as PNG; an empty text when saved, else the reason.
std::string SaveFormScreenshot(const Form& form, const std::string& png_path);

}  // namespace audio77::toolkit::qt
