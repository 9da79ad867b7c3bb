#include "toolkit/qt/DemoForm.h"

#include <vector>

namespace audio77::toolkit::qt {
namespace {

// 0xAARRGGBB pixels.
PicturePtr HalfAndHalf(Size size, std::uint32_t left, std::uint32_t right) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(size.width * size.height));
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) pixels.push_back(x < size.width / 2 ? left : right);
  }
  return std::make_shared<const Picture>(size, std::move(pixels));
}

PicturePtr Gradient(Size size) {
  std::vector<std::uint32_t> pixels;
  pixels.reserve(static_cast<std::size_t>(size.width * size.height));
  for (int y = 0; y < size.height; ++y) {
    for (int x = 0; x < size.width; ++x) {
      const auto shade = static_cast<std::uint32_t>(40 + 60 * y / std::max(size.height, 1));
      pixels.push_back(0xFF000000u | (shade << 16) | (shade << 8) | (shade + 30));
    }
  }
  return std::make_shared<const Picture>(size, std::move(pixels));
}

Image& PlaceImage(Form& form, const char* name, int tag, Rect r, PicturePtr picture) {
  Image& image = form.AddImage(name, tag);
  image.SetBounds(r);
  image.SetPicture(std::move(picture));
  return image;
}

Label& PlaceLabel(Form& form, const char* name, int tag, Point at, const char* caption, Color color,
                  int points) {
  Label& label = form.AddLabel(name, tag);
  label.SetPosition(at.x, at.y);
  label.SetTransparent(true);
  Font font;
  font.name = "DejaVu Sans";
  font.size_points = points;
  font.color = color;
  font.bold = true;
  label.SetFont(font);
  label.SetCaption(caption);
  return label;
}

Shape& PlaceShape(Form& form, const char* name, int tag, Rect r, ShapeType type, Color brush,
                  Control* parent = nullptr) {
  Shape& shape = form.AddShape(name, tag, parent);
  shape.SetBounds(r);
  shape.SetType(type);
  shape.SetBrushColor(brush);
  shape.SetPen(kBlack, 1);
  return shape;
}

template <class T>
T& Placed(T& control, Rect r) {
  control.SetBounds(r);
  return control;
}

}  // namespace

DemoForm::DemoForm(Form& f)
    : form(f),
      background(
          PlaceImage(f, "MainFormImage", 0, {0, 0, kWidth, kHeight}, Gradient({kWidth, kHeight}))),
      clipped(PlaceImage(f, "ClippedImage", 1, {20, 20, 30, 20},
                         HalfAndHalf({60, 20}, 0xFFFF0000, 0xFF0000FF))),
      stretched(PlaceImage(f, "StretchedImage", 2, {70, 20, 40, 24},
                           HalfAndHalf({4, 4}, 0xFF00FF00, 0xFF00FF00))),
      level_bar(PlaceImage(f, "MicProgressImage", 3, {130, 26, 45, 10},
                           HalfAndHalf({100, 10}, 0xFFFFC000, 0xFFFFC000))),
      title(PlaceLabel(f, "TitleLabel", 10, {20, 56}, "Audio77 toolkit", 0x0000FF, 14)),
      wrapped(PlaceLabel(f, "WrappedLabel", 11, {220, 20},
                         "A label that wraps its words inside its width", 0xFFFFFF, 9)),
      disabled(PlaceLabel(f, "DisabledLabel", 12, {220, 90}, "Disabled", 0xFFFFFF, 9)),
      circle(PlaceShape(f, "CircleShape", 151, {20, 100, 40, 40}, ShapeType::kCircle, 0x0000FF)),
      ellipse(PlaceShape(f, "EllipseShape", 152, {70, 100, 60, 40}, ShapeType::kEllipse, 0xFFFF00)),
      rectangle(PlaceShape(f, "RectangleShape", 153, {140, 100, 60, 40}, ShapeType::kRectangle,
                           0x00FFFF)),
      round_rect(
          PlaceShape(f, "RoundRectShape", 154, {20, 150, 60, 40}, ShapeType::kRoundRect, 0x00FF00)),
      round_square(PlaceShape(f, "RoundSquareShape", 155, {90, 150, 40, 40},
                              ShapeType::kRoundSquare, 0xFF00FF)),
      square(PlaceShape(f, "SquareShape", 156, {140, 150, 40, 40}, ShapeType::kSquare, 0xFF0000)),
      check(Placed(f.AddCheckBox("BeeCheckBox"), {20, 205, 100, 20})),
      group(Placed(f.AddGroupBox("LedGroup"), {220, 120, 130, 110})),
      radio_a(Placed(f.AddRadioButton("RadioButtonLED1", 1, &group), {10, 25, 110, 20})),
      radio_b(Placed(f.AddRadioButton("RadioButtonLED2", 2, &group), {10, 48, 110, 20})),
      swatch(PlaceShape(f, "Shape1", 1, {10, 75, 30, 25}, ShapeType::kRectangle, 0x00A5FF, &group)),
      track(Placed(f.AddTrackBar("TrackBarBreathe", 4), {20, 235, 180, 30})),
      button(Placed(f.AddButton("ButtonClose"), {20, 275, 90, 28})),
      modes(Placed(f.AddRadioGroup("EffectModeRadioGroup"), {360, 120, 110, 130})),
      folders(f.AddDirectoryList("DirectoryListBox")) {
  form.SetCaption("Audio77 toolkit demo");
  form.SetClientSize({kWidth, kHeight});
  form.SetPlacement(Placement::kScreenCenter);
  form.SetRegion(WindowRegion({{0, kCut, kWidth, kHeight - kCut}, {0, 0, kWidth - kCut, kCut}}));

  stretched.SetStretch(true);
  wrapped.SetAutoSize(false);
  wrapped.SetWordWrap(true);
  wrapped.SetBounds({220, 20, 120, 60});
  disabled.SetEnabled(false);

  check.SetCaption("Bee");
  check.SetChecked(true);
  group.SetCaption("LED Number");
  radio_a.SetCaption("LED 1");
  radio_b.SetCaption("LED 2");
  radio_b.SetChecked(true);
  track.SetRange(1, 255);
  track.SetPageSize(1);
  track.SetPosition(128);
  button.SetCaption("Close");
  modes.SetCaption("Mode");
  modes.SetItems({"None", "Music", "Game", "Movie"});
  modes.SetItemIndex(0);
  modes.SetEnabled(false);
  folders.Hide();
}

}  // namespace audio77::toolkit::qt
