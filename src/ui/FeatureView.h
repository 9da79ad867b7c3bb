#pragma once
// What a feature shows in the window, as small requests: which skin picture a
// control takes, where a slider knob stands, what a label says. The feature
// decides the key, the position and the text; the view only carries them out
// over the skin and the controls, so features stay free of skin details.

#include <string>

namespace audio77 {

// A slider's travel from the skin: the knob's top at the top of the travel,
// and the travel's length in pixels.
struct SliderTravel {
  int top = 0;
  int length = 0;
};

class FeatureView {
 public:
  virtual ~FeatureView() = default;

  // The control shows the skin's picture stored under skin_key.
  virtual void ShowSkinEntry(const std::string& control, const std::string& skin_key) = 0;
  // Whether the skin's entry under skin_key names a picture (switches keep
  // their picture when it does not).
  virtual bool NamesPicture(const std::string& skin_key) const { return !skin_key.empty(); }
  // A two-state control (image and label of one Tag) shows state 1 or 0.
  virtual void ShowSwitch(int tag, int state) = 0;
  // The label of tag takes the down (true) or up colour of the label record.
  virtual void HighlightLabel(int tag, bool down, const std::string& label_record) = 0;

  // The travel of the slider whose knob has this Tag.
  virtual SliderTravel Travel(int knob_tag) const = 0;
  // The knob image of a slider (by its Tag): top and height in pixels.
  virtual int KnobTop(int tag) const = 0;
  virtual void SetKnobTop(int tag, int top) = 0;
  virtual int KnobHeight(int tag) const = 0;
  // The fill image below a knob (by its Tag).
  virtual int FillTop(int tag) const = 0;
  virtual void SetFillHeight(int tag, int height) = 0;
  // The value label with this Tag.
  virtual void SetValueLabel(int tag, const std::string& text) = 0;
  // Shows or hides the image with this Tag until the page is shown again.
  virtual void SetImageVisible(int tag, bool visible) = 0;
};

}  // namespace audio77
