#include "app/MainFormResource.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

#include "lighting/LedPageView.h"

namespace audio77 {
namespace {

using toolkit::Rect;

constexpr ControlResource Img(std::string_view name, int tag, Rect rect, int on_page) {
  return {ResourceKind::kImage, name, tag, rect, {}, on_page};
}
constexpr ControlResource Lbl(std::string_view name, int tag, Rect rect, int on_page,
                              std::string_view caption) {
  return {ResourceKind::kLabel, name, tag, rect, caption, on_page};
}
constexpr ControlResource Centered(ControlResource row) {
  row.centered = true;
  return row;
}
// The caption of a skinned button: a centred line of text over its image.
constexpr ControlResource OnButton(std::string_view name, int tag, Rect button, int on_page,
                                   std::string_view caption) {
  return Centered(
      Lbl(name, tag, {button.left + 4, button.top + (button.height - 16) / 2, button.width - 8, 16},
          on_page, caption));
}
constexpr ControlResource Swatch(std::string_view name, int tag, Rect rect) {
  return {ResourceKind::kShape, name, tag, rect, {}, pages::kLed};
}
constexpr ControlResource Bevel(std::string_view name, Rect rect) {
  return {ResourceKind::kBevel, name, 0, rect, {}, pages::kEvery};
}
constexpr ControlResource Hidden(ControlResource row) {
  row.hidden = true;
  return row;
}
constexpr ControlResource Disabled(ControlResource row) {
  row.disabled = true;
  return row;
}
// The row's behaviour and the action it runs.
constexpr ControlResource Does(ControlResource row, Behaviour behaviour, Action action = Action::kNone, int arg = 0) {
  row.behaviour = behaviour;
  row.action = action;
  row.arg = arg;
  return row;
}
constexpr ControlResource WithoutDevice(ControlResource row) {
  row.works_without_device = true;
  return row;
}
// A click runs the action; without a device the feature itself does nothing.
constexpr ControlResource Clicks(ControlResource row, Action action, int arg = 0) {
  return WithoutDevice(Does(row, Behaviour::kClick, action, arg));
}
// The LED page's swatches (mouse down) and check images (click) act without a
// warning: the page itself is only reached with the device active.
constexpr ControlResource LedSwatch(ControlResource row, int swatch) {
  return WithoutDevice(Does(row, Behaviour::kPress, Action::kLedSwatch, swatch));
}
constexpr ControlResource LedCheckImage(ControlResource row, LedCheck check) {
  return WithoutDevice(Does(row, Behaviour::kClick, Action::kLedCheck, static_cast<int>(check)));
}

using namespace pages;

// Design layout of an 800 x 600 window: a title strip (y 0..40), a left column
// (x 0..180) with the page picture, the menu buttons and the device state, the
// page tabs (y 48..78) and the page area (x 190..790, y 88..548), a status strip
// at the bottom. The EQ and 3D knobs travel over tops 105..225.
//
// Order: window backgrounds; the pages EQ, 3D, Effect, Virtual 7.1, ENC, Voice
// Magic, LED, Mic (Mic after LED and ENC for the Tag 238 and 38 look-ups, LED
// after ENC and Voice Magic for Tag 338); the tabs, the left column and the
// title-strip buttons last, with `CloseImage` the last image of Tag 0. Within a
// page backgrounds come first, then bars, fills and knobs, then buttons and
// the labels over them, so the later (upper) control takes the mouse.
constexpr ControlResource kControls[] = {
    // Window backgrounds (they drag the window).
    Img("MainFormImage", 0, {0, 0, 800, 600}, kEvery),
    Img("MainLeftImage", 0, {0, 40, 180, 560}, kEvery),
    Img("DeviceActiveImage", 0, {180, 552, 620, 48}, kEvery),
    Img("LogoImage", 0, {12, 8, 150, 26}, kEvery),
    Bevel("Bevel2", {180, 40, 620, 2}),
    Bevel("Bevel3", {180, 82, 620, 2}),
    Bevel("Bevel4", {180, 550, 620, 2}),
    Bevel("Bevel5", {180, 40, 2, 512}),
    Bevel("Bevel6", {12, 360, 156, 2}),
    Bevel("Bevel7", {12, 466, 156, 2}),

    // EQ page.
    Img("Back_EQImage", 0, {190, 88, 600, 460}, kEq),
    Img("EQGraduationImage", 0, {214, 100, 24, 150}, kEq),
    Img("EQButtonLineImage1", 0, {640, 134, 140, 2}, kEq),
    Img("EQButtonLineImage2", 0, {640, 174, 140, 2}, kEq),
    Img("EQButtonLineImage3", 0, {640, 214, 140, 2}, kEq),
    Img("EQButtonLineImage4", 0, {640, 274, 140, 2}, kEq),
    Img("EQButtonLineImage5", 0, {640, 314, 140, 2}, kEq),
    Img("EQ60HzBarImage", 129, {260, 100, 8, 150}, kEq),
    Img("EQ300HzBarImage", 130, {336, 100, 8, 150}, kEq),
    Img("EQ1200HzBarImage", 131, {412, 100, 8, 150}, kEq),
    Img("EQ3600HzBarImage", 132, {488, 100, 8, 150}, kEq),
    Img("EQ12000HzBarImage", 133, {564, 100, 8, 150}, kEq),
    Img("EQ60HzBarDownImage", 229, {260, 100, 8, 85}, kEq),
    Img("EQ300HzBarDownImage", 230, {336, 100, 8, 85}, kEq),
    Img("EQ1200HzBarDownImage", 231, {412, 100, 8, 85}, kEq),
    Img("EQ3600HzBarDownImage", 232, {488, 100, 8, 85}, kEq),
    Img("EQ12000HzBarDownImage", 233, {564, 100, 8, 85}, kEq),
    Img("EQ60HzSliderImage", 29, {250, 165, 28, 20}, kEq),
    Img("EQ300HzSliderImage", 30, {326, 165, 28, 20}, kEq),
    Img("EQ1200HzSliderImage", 31, {402, 165, 28, 20}, kEq),
    Img("EQ3600HzSliderImage", 32, {478, 165, 28, 20}, kEq),
    Img("EQ12000HzSliderImage", 33, {554, 165, 28, 20}, kEq),
    Does(Img("EQEQENImage", 7, {640, 100, 140, 30}, kEq), Behaviour::kPress, Action::kEqEnable),
    Does(Img("EQ3DENImage", 8, {640, 140, 140, 30}, kEq), Behaviour::kPress, Action::k3DEnable),
    Does(Img("EQResetImage", 5, {640, 180, 140, 30}, kEq), Behaviour::kMomentary, Action::kEqReset),
    Does(Img("EQS1Image", 9, {640, 240, 140, 30}, kEq), Behaviour::kPress, Action::kPreset, 1),
    Does(Img("EQS2Image", 10, {640, 280, 140, 30}, kEq), Behaviour::kPress, Action::kPreset, 2),
    Does(Img("EQS3Image", 11, {640, 320, 140, 30}, kEq), Behaviour::kPress, Action::kPreset, 3),
    Does(Img("EQS4Image", 12, {640, 360, 140, 30}, kEq), Behaviour::kPress, Action::kPreset, 4),
    Does(OnButton("EQEQENLabel", 7, {640, 100, 140, 30}, kEq, "EQ-EN"), Behaviour::kForwardPress),
    Does(OnButton("EQ3DENLabel", 8, {640, 140, 140, 30}, kEq, "3D-EN"), Behaviour::kForwardPress),
    Does(OnButton("EQResetLabel", 5, {640, 180, 140, 30}, kEq, "RESET"), Behaviour::kForward),
    Does(OnButton("EQS1Label", 9, {640, 240, 140, 30}, kEq, "S1"), Behaviour::kForwardPress),
    Does(OnButton("EQS2Label", 10, {640, 280, 140, 30}, kEq, "S2"), Behaviour::kForwardPress),
    Does(OnButton("EQS3Label", 11, {640, 320, 140, 30}, kEq, "S3"), Behaviour::kForwardPress),
    Does(OnButton("EQS4Label", 12, {640, 360, 140, 30}, kEq, "S4"), Behaviour::kForwardPress),
    // The value labels show the gain code ("%x"; 400 is flat).
    Hidden(Centered(Lbl("EQ60HzValueLabel", 29, {244, 256, 40, 14}, kEq, "400"))),
    Hidden(Centered(Lbl("EQ300HzValueLabel", 30, {320, 256, 40, 14}, kEq, "400"))),
    Hidden(Centered(Lbl("EQ1200HzValueLabel", 31, {396, 256, 40, 14}, kEq, "400"))),
    Hidden(Centered(Lbl("EQ3600HzValueLabel", 32, {472, 256, 40, 14}, kEq, "400"))),
    Hidden(Centered(Lbl("EQ12000HzValueLabel", 33, {548, 256, 40, 14}, kEq, "400"))),
    Centered(Lbl("EQ60HzLabel", 0, {240, 276, 48, 14}, kEq, "60Hz")),
    Centered(Lbl("EQ300HzLabel", 0, {316, 276, 48, 14}, kEq, "300Hz")),
    Centered(Lbl("EQ1200HzLabel", 0, {392, 276, 48, 14}, kEq, "1200Hz")),
    Centered(Lbl("EQ3600HzLabel", 0, {468, 276, 48, 14}, kEq, "3600Hz")),
    Centered(Lbl("EQ12000HzLabel", 0, {544, 276, 48, 14}, kEq, "12000Hz")),

    // 3D page (no tab reaches it; its enable switch carries Tag 0).
    Img("Back_3DImage", 0, {190, 88, 600, 460}, k3D),
    Img("D3ButtonLineImage1", 0, {640, 134, 140, 2}, k3D),
    Img("D3ButtonLineImage2", 0, {640, 174, 140, 2}, k3D),
    Img("D3LAlphaGraduationImage", 0, {274, 100, 14, 150}, k3D),
    Img("D3LBetaGraduationImage", 0, {214, 100, 14, 150}, k3D),
    Img("D3RAlphaGraduationImage", 0, {434, 100, 14, 150}, k3D),
    Img("D3RBetaGraduationImage", 0, {494, 100, 14, 150}, k3D),
    Img("D3LAlphaBarImage", 0, {300, 100, 8, 150}, k3D),
    Img("D3LBetaBarImage", 0, {240, 100, 8, 150}, k3D),
    Img("D3RAlphaBarImage", 0, {460, 100, 8, 150}, k3D),
    Img("D3RBetaBarImage", 0, {520, 100, 8, 150}, k3D),
    Img("D3LBetaSliderImage", 34, {230, 165, 28, 20}, k3D),
    Img("D3LAlphaSliderImage", 35, {290, 165, 28, 20}, k3D),
    Img("D3RBetaSliderImage", 36, {510, 165, 28, 20}, k3D),
    Img("D3RAlphaSliderImage", 37, {450, 165, 28, 20}, k3D),
    Img("D3LChannelImage", 0, {220, 280, 110, 24}, k3D),
    Img("D3RChannelImage", 0, {430, 280, 110, 24}, k3D),
    Img("D3ConnectionImage", 0, {350, 155, 60, 30}, k3D),
    WithoutDevice(Does(Img("D3AlphaImage", 14, {350, 110, 60, 30}, k3D), Behaviour::kPress, Action::kAlphaLink)),
    WithoutDevice(Does(Img("D3BetaImage", 15, {350, 200, 60, 30}, k3D), Behaviour::kPress, Action::kBetaLink)),
    Does(Img("D33DENImage", 0, {640, 100, 140, 30}, k3D), Behaviour::kPress, Action::k3DEnable),
    Does(Img("D3FBMImage", 13, {640, 140, 140, 30}, k3D), Behaviour::kPress, Action::kFbm),
    Does(Img("D3ResetImage", 6, {640, 180, 140, 30}, k3D), Behaviour::kMomentary, Action::k3DReset),
    Does(OnButton("D33DENLabel", 0, {640, 100, 140, 30}, k3D, "3D-EN"), Behaviour::kPress, Action::k3DEnable),
    Does(OnButton("D3FBMLabel", 13, {640, 140, 140, 30}, k3D, "FBM"), Behaviour::kForwardPress),
    Does(OnButton("D3ResetLabel", 6, {640, 180, 140, 30}, k3D, "RESET"), Behaviour::kForward),
    Centered(Lbl("D3LBetaValueLabel", 34, {224, 254, 40, 14}, k3D, "0")),
    Centered(Lbl("D3LAlphaValueLabel", 35, {284, 254, 40, 14}, k3D, "0")),
    Centered(Lbl("D3RBetaValueLabel", 36, {504, 254, 40, 14}, k3D, "0")),
    Centered(Lbl("D3RAlphaValueLabel", 37, {444, 254, 40, 14}, k3D, "0")),
    OnButton("D3LChannelLabel", 0, {220, 280, 110, 24}, k3D, "Left"),
    OnButton("D3RChannelLabel", 0, {430, 280, 110, 24}, k3D, "Right"),
    OnButton("D3ConnectLabel", 0, {350, 155, 60, 30}, k3D, "Link"),

    // Effect page. Tags 18 and 20 pair the StoneGallery and Bathroom images with
    // the other one's label; each row keeps its Tag's image and label together.
    Img("Back_EffectImage", 0, {190, 88, 600, 460}, kEffect),
    Img("EffectButtonLineImage1", 0, {210, 138, 160, 2}, kEffect),
    Img("EffectButtonLineImage2", 0, {210, 182, 160, 2}, kEffect),
    Img("EffectButtonLineImage3", 0, {210, 226, 160, 2}, kEffect),
    Img("EffectButtonLineImage4", 0, {210, 270, 160, 2}, kEffect),
    Img("EffectPicImage", 0, {400, 100, 370, 300}, kEffect),
    Does(Img("EffectButtonNonImage", 16, {210, 100, 160, 34}, kEffect), Behaviour::kPress, Action::kEffect, 1),
    Does(Img("EffectButtonTheaterImage", 17, {210, 144, 160, 34}, kEffect), Behaviour::kPress, Action::kEffect, 2),
    Does(Img("EffectButtonStoneGalleryImage", 18, {210, 188, 160, 34}, kEffect), Behaviour::kPress, Action::kEffect, 3),
    Does(Img("EffectButtonLivingroomImage", 19, {210, 232, 160, 34}, kEffect), Behaviour::kPress, Action::kEffect, 4),
    Does(Img("EffectButtonBathroomImage", 20, {210, 276, 160, 34}, kEffect), Behaviour::kPress, Action::kEffect, 5),
    Does(OnButton("EffectNonLabel", 16, {210, 100, 160, 34}, kEffect, "Nothing"), Behaviour::kForwardPress),
    Does(OnButton("EffectTheaterLabel", 17, {210, 144, 160, 34}, kEffect, "Theater"), Behaviour::kForwardPress),
    Does(OnButton("EffectBathroomLabel", 18, {210, 188, 160, 34}, kEffect, "Bathroom"), Behaviour::kForwardPress),
    Does(OnButton("EffectLivingroomLabel", 19, {210, 232, 160, 34}, kEffect, "Living room"), Behaviour::kForwardPress),
    Does(OnButton("EffectStoneGalleryLabel", 20, {210, 276, 160, 34}, kEffect, "StoneGallery"), Behaviour::kForwardPress),

    // Virtual 7.1 page: the speaker circle is centred at 530,250 with radius 100.
    Img("Back_Virtual7p1Image", 0, {190, 88, 600, 460}, kVirtual71),
    Img("VirtualButtonLineImage1", 0, {210, 134, 130, 2}, kVirtual71),
    Img("VirtualButtonLineImage2", 0, {210, 214, 130, 2}, kVirtual71),
    Img("VirtualButtonLineImage3", 0, {210, 294, 130, 2}, kVirtual71),
    Img("VirtualPicImage", 0, {380, 100, 300, 300}, kVirtual71),
    // The speakers are dragged by the hook; the release over one lets the animation run again.
    Does(Img("VirtualLImage", 39, {459, 179, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualRImage", 40, {600, 179, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualCImage", 41, {530, 150, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualSUBImage", 42, {530, 350, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualLSImage", 43, {430, 250, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualRSImage", 44, {630, 250, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualLBImage", 45, {459, 320, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Does(Img("VirtualRBImage", 46, {600, 320, 32, 32}, kVirtual71), Behaviour::kRelease, Action::kSpeakerRelease),
    Hidden(Img("BeeImage", 0, {510, 227, 40, 46}, kVirtual71)),
    Does(Img("VirtualEnableImage", 47, {210, 100, 130, 30}, kVirtual71), Behaviour::kPress, Action::kVirtualEnable),
    WithoutDevice(Does(Img("VirtualClockwiseImage", 49, {210, 140, 130, 30}, kVirtual71), Behaviour::kPress, Action::kLatch, 49)),
    WithoutDevice(Does(Img("VirtualCounterclockwiseImage", 50, {210, 180, 130, 30}, kVirtual71), Behaviour::kPress, Action::kLatch, 50)),
    Does(Img("VirtualEnlargeImage", 53, {210, 220, 130, 30}, kVirtual71), Behaviour::kPress, Action::kLatch, 53),
    Does(Img("VirtualNarrowImage", 52, {210, 260, 130, 30}, kVirtual71), Behaviour::kPress, Action::kLatch, 52),
    Does(Img("VirtualResetImage", 48, {210, 300, 130, 30}, kVirtual71), Behaviour::kMomentaryUnlessBee, Action::kVirtualReset),
    Does(OnButton("VirtualENLabel", 47, {210, 100, 130, 30}, kVirtual71, "7ch1-EN"), Behaviour::kForwardPress),
    Does(OnButton("VirtualClockwiseLabel", 49, {210, 140, 130, 30}, kVirtual71, "CW"), Behaviour::kForwardPress),
    Does(OnButton("VirtualCounterclockwiseLabel", 50, {210, 180, 130, 30}, kVirtual71, "CCW"), Behaviour::kForwardPress),
    Does(OnButton("VirtualEnlargeLabel", 53, {210, 220, 130, 30}, kVirtual71, "Enlarge"), Behaviour::kForwardPress),
    Does(OnButton("VirtualNarrowLabel", 52, {210, 260, 130, 30}, kVirtual71, "Narrow"), Behaviour::kForwardPress),
    Does(OnButton("VirtualResetLabel", 48, {210, 300, 130, 30}, kVirtual71, "RESET"), Behaviour::kForward),
    WithoutDevice(Does({ResourceKind::kCheckBox, "BeeCheckBox", 0, {655, 417, 46, 17}, "Bee", kVirtual71},
                       Behaviour::kClick, Action::kBeeTest)),

    // ENC page. Its switch and the Voice Magic page's buttons act on a click
    // by name (their Tags are shared) and warn through their feature.
    Clicks(Img("ENCFunctionImage", 338, {210, 100, 150, 32}, kEnc), Action::kEncSwitch),
    Clicks(OnButton("ENCFunctionLabel", 338, {210, 100, 150, 32}, kEnc, "ENC"), Action::kEncSwitch),
    Img("ENCBarImage", 188, {440, 100, 10, 160}, kEnc),
    Img("ENCValueImage", 0, {415, 270, 60, 24}, kEnc),
    Img("ENCSliderImage", 88, {430, 170, 30, 20}, kEnc),
    OnButton("ENCValueLabel", 38, {415, 270, 60, 24}, kEnc, "0"),

    // Voice Magic page.
    Clicks(Img("VMFunctionImage", 338, {210, 100, 150, 32}, kVoiceMagic), Action::kVoiceSwitch),
    Clicks(Img("VMEffectNoneImage", 0, {400, 100, 150, 32}, kVoiceMagic), Action::kVoiceEffect, 0),
    Clicks(Img("VMEffect1Image", 0, {400, 140, 150, 32}, kVoiceMagic), Action::kVoiceEffect, 1),
    Clicks(Img("VMEffect2Image", 0, {400, 180, 150, 32}, kVoiceMagic), Action::kVoiceEffect, 2),
    Clicks(Img("VMEffect3Image", 0, {400, 220, 150, 32}, kVoiceMagic), Action::kVoiceEffect, 3),
    Clicks(Img("VMEffect4Image", 0, {400, 260, 150, 32}, kVoiceMagic), Action::kVoiceEffect, 4),
    Clicks(OnButton("VMFunctionLabel", 338, {210, 100, 150, 32}, kVoiceMagic, "Voice Magic"), Action::kVoiceSwitch),
    Clicks(OnButton("VMEffectNoneLabel", 0, {400, 100, 150, 32}, kVoiceMagic, "None"), Action::kVoiceEffect, 0),
    Clicks(OnButton("VMEffect1Label", 0, {400, 140, 150, 32}, kVoiceMagic, "Effect 1"), Action::kVoiceEffect, 1),
    Clicks(OnButton("VMEffect2Label", 0, {400, 180, 150, 32}, kVoiceMagic, "Effect 2"), Action::kVoiceEffect, 2),
    Clicks(OnButton("VMEffect3Label", 0, {400, 220, 150, 32}, kVoiceMagic, "Effect 3"), Action::kVoiceEffect, 3),
    Clicks(OnButton("VMEffect4Label", 0, {400, 260, 150, 32}, kVoiceMagic, "Effect 4"), Action::kVoiceEffect, 4),

    // LED page: the palette row, then one row per mode (check image, caption,
    // swatch or speed slider).
    Lbl("ColorSelectLabel", 0, {210, 100, 200, 16}, kLed, "Color"),
    Lbl("ColorEffectLabel", 0, {210, 160, 200, 16}, kLed, "Effect"),
    Lbl("ColorSlowLabel", 0, {420, 168, 60, 16}, kLed, "Slow"),
    Lbl("ColorFastLabel", 0, {620, 168, 40, 16}, kLed, "Fast"),
    LedSwatch(Swatch("Color01Shape", 151, {214, 122, 28, 28}), 1),
    LedSwatch(Swatch("Color02Shape", 152, {254, 122, 28, 28}), 2),
    LedSwatch(Swatch("Color03Shape", 153, {294, 122, 28, 28}), 3),
    LedSwatch(Swatch("Color04Shape", 154, {334, 122, 28, 28}), 4),
    LedSwatch(Swatch("Color05Shape", 155, {374, 122, 28, 28}), 5),
    LedSwatch(Swatch("Color06Shape", 156, {414, 122, 28, 28}), 6),
    LedSwatch(Swatch("Color07Shape", 157, {454, 122, 28, 28}), 7),
    Hidden(Swatch("Color08Shape", 158, {494, 122, 28, 28})),
    Hidden(Swatch("Color09Shape", 159, {534, 122, 28, 28})),
    Hidden(Swatch("Color10Shape", 160, {574, 122, 28, 28})),
    LedSwatch(Swatch("ColorSingleShape", 184, {370, 180, 28, 28}), 8),
    LedSwatch(Swatch("ColorBreatheShape", 183, {370, 216, 28, 28}), 9),
    LedCheckImage(Img("ColorSingleCheckImage", 341, {210, 184, 20, 20}, kLed), LedCheck::kSingle),
    LedCheckImage(Img("ColorPulsatingCheckImage", 337, {210, 292, 20, 20}, kLed), LedCheck::kMultiBreathe),
    LedCheckImage(Img("ColorRainbowCheckImage", 339, {210, 256, 20, 20}, kLed), LedCheck::kRainbow),
    LedCheckImage(Img("ColorBreatheCheckImage", 338, {210, 220, 20, 20}, kLed), LedCheck::kBreathe),
    LedCheckImage(Img("ColorLEDOffCheckImage", 340, {210, 328, 20, 20}, kLed), LedCheck::kOff),
    Img("ColorPulsatingBarImage", 237, {420, 298, 240, 8}, kLed),
    Img("ColorBreatheBarImage", 238, {420, 226, 240, 8}, kLed),
    Img("ColorRainbowBarImage", 239, {420, 262, 240, 8}, kLed),
    Img("ColorPulsatingSliderImage", 437, {420, 292, 14, 20}, kLed),
    Img("ColorBreatheSliderImage", 438, {420, 220, 14, 20}, kLed),
    Img("ColorRainbowSliderImage", 439, {420, 256, 14, 20}, kLed),
    Lbl("ColorSingleLabel", 341, {236, 186, 120, 16}, kLed, "Single"),
    Lbl("ColorBreatheLabel", 338, {236, 222, 120, 16}, kLed, "Breathe"),
    Lbl("ColorRainbowLabel", 339, {236, 258, 120, 16}, kLed, "Rainbow"),
    Lbl("ColorPulsatingLabel", 337, {236, 294, 120, 16}, kLed, "Pulsating"),
    Lbl("ColorLEDOffLabel", 340, {236, 330, 120, 16}, kLed, "LED Off"),

    // Mic page.
    Img("Back_MicImage", 0, {190, 88, 600, 460}, kMic),
    Img("MicButtonLineImage", 0, {210, 134, 150, 2}, kMic),
    Img("MicPicImage", 0, {400, 100, 370, 200}, kMic),
    Img("MicProgressImage", 0, {400, 320, 300, 12}, kMic),
    Img("MicGraduationImage", 0, {214, 250, 14, 150}, kMic),
    Img("MicGainImage", 0, {210, 410, 80, 24}, kMic),
    Img("MicValueImage", 0, {290, 410, 60, 24}, kMic),
    Img("MicBarImage", 138, {240, 250, 8, 150}, kMic),
    Img("MicBarDownImage", 238, {240, 250, 8, 85}, kMic),
    Img("MicSliderImage", 38, {230, 315, 28, 20}, kMic),
    Does(Img("MicBoostImage", 21, {210, 100, 150, 30}, kMic), Behaviour::kPress, Action::kMicBoost),
    Does(Img("MicMuteImage", 22, {210, 140, 150, 30}, kMic), Behaviour::kPress, Action::kMicMute),
    Does(Img("MicMonitorImage", 89, {210, 180, 150, 30}, kMic), Behaviour::kPress, Action::kMicMonitor),
    Does(OnButton("MicBoostLabel", 21, {210, 100, 150, 30}, kMic, "Mic Boost"), Behaviour::kForwardPress),
    Does(OnButton("MicMuteLabel", 22, {210, 140, 150, 30}, kMic, "Mic Mute"), Behaviour::kForwardPress),
    Does(OnButton("MicMonitorLabel", 89, {210, 180, 150, 30}, kMic, "Monitor"), Behaviour::kForwardPress),
    OnButton("MicGainLabel", 0, {210, 410, 80, 24}, kMic, "Gain"),
    OnButton("MicValueLabel", 38, {290, 410, 60, 24}, kMic, "0"),

    // Page tabs (the 3D tab has no pictures and sits unused in the left column).
    Does(Img("PageEQImage", 23, {190, 48, 84, 30}, kEvery), Behaviour::kTab),
    Does(Img("PageEffectImage", 25, {276, 48, 84, 30}, kEvery), Behaviour::kTab),
    Does(Img("PageMicImage", 26, {362, 48, 84, 30}, kEvery), Behaviour::kTab),
    Does(Img("PageVirtual7p1Image", 27, {448, 48, 84, 30}, kEvery), Behaviour::kTab),
    Does(Img("PageLEDImage", 228, {534, 48, 84, 30}, kEvery), Behaviour::kTabKeptDown, Action::kLedTab, 0),
    Does(Img("PageENCImage", 227, {620, 48, 84, 30}, kEvery), Behaviour::kTabKeptDown),
    Does(Img("PageVMEffectImage", 226, {706, 48, 84, 30}, kEvery), Behaviour::kTabKeptDown),
    Does(Hidden(Img("Page3DImage", 24, {12, 300, 156, 26}, kEvery)), Behaviour::kTab),
    Does(OnButton("PageEQLabel", 23, {190, 48, 84, 30}, kEvery, "EQ"), Behaviour::kSelectPage),
    Does(OnButton("PageEffectLabel", 25, {276, 48, 84, 30}, kEvery, "Effect"), Behaviour::kSelectPage),
    Does(OnButton("PageMicLabel", 26, {362, 48, 84, 30}, kEvery, "Mic"), Behaviour::kSelectPage),
    Does(OnButton("PageVirtual7p1Label", 27, {448, 48, 84, 30}, kEvery, "Virtual7.1"), Behaviour::kSelectPage),
    Does(OnButton("PageLEDLabel", 228, {534, 48, 84, 30}, kEvery, "LED"), Behaviour::kSelectPage, Action::kLedTab, 1),
    Does(OnButton("PageENCLabel", 227, {620, 48, 84, 30}, kEvery, "ENC"), Behaviour::kSelectPage),
    Does(OnButton("PageVMEffectLabel", 226, {706, 48, 84, 30}, kEvery, "Voice Magic"), Behaviour::kSelectPage),
    Does(Disabled(OnButton("Page3DLabel", 24, {12, 300, 156, 26}, kEvery, "3D")), Behaviour::kSelectPage),

    // Left column: titles, the menu buttons, synchronisation and the device
    // indicators; the device state in the status strip.
    Lbl("FeaturesLabel", 0, {12, 60, 156, 16}, kEvery, "Features"),
    Lbl("SettingLabel", 0, {12, 84, 156, 16}, kEvery, "Setting"),
    Lbl("SXLabel", 0, {12, 104, 156, 16}, kEvery, "S1"),
    Does(Img("Menu1Image", 2, {12, 372, 156, 26}, kEvery), Behaviour::kMomentaryReleaseActs, Action::kSaveProfile),
    Does(Img("Menu2Image", 3, {12, 404, 156, 26}, kEvery), Behaviour::kMomentaryReleaseActs, Action::kLoadProfile),
    WithoutDevice(Does(Img("Menu3Image", 4, {12, 436, 156, 26}, kEvery), Behaviour::kMomentaryReleaseActs, Action::kAbout)),
    Does(OnButton("Menu1Label", 2, {12, 372, 156, 26}, kEvery, "Save"), Behaviour::kForwardPress),
    Does(OnButton("Menu2Label", 3, {12, 404, 156, 26}, kEvery, "Load"), Behaviour::kForwardPress),
    Does(OnButton("Menu3Label", 4, {12, 436, 156, 26}, kEvery, "About"), Behaviour::kForwardPress),
    Img("SyncImage", 28, {12, 476, 20, 20}, kEvery),
    Lbl("SyncLabel", 28, {36, 478, 132, 16}, kEvery, "Synchronization"),
    Img("DeviceInImage", 54, {12, 506, 20, 20}, kEvery),
    Lbl("DeviceInLabel", 54, {36, 508, 56, 16}, kEvery, "In"),
    Img("DeviceOutImage", 55, {96, 506, 20, 20}, kEvery),
    Lbl("DeviceOutLabel", 55, {120, 508, 48, 16}, kEvery, "Out"),
    Lbl("CompanyNameLabel", 0, {12, 576, 156, 14}, kEvery, ""),
    Lbl("DeviceActiveLabel", 0, {200, 568, 300, 16}, kEvery, ""),
    // The language folders are listed through it; never shown.
    Hidden({ResourceKind::kDirectoryList, "DirectoryListBox", 0, {0, 0, 0, 0}, {}, kEvery}),

    // Title strip buttons, last: `CloseImage` is what an image look-up of Tag 0 finds.
    Does(Img("LEDImage", 51, {712, 8, 24, 22}, kEvery), Behaviour::kHold, Action::kLedButton),
    WithoutDevice(Does(Img("MinimizeImage", 1, {744, 8, 22, 22}, kEvery), Behaviour::kMomentary, Action::kMinimize)),
    WithoutDevice(Does(Img("CloseImage", 0, {770, 8, 22, 22}, kEvery), Behaviour::kMomentary, Action::kClose)),
};

constexpr bool NamesUnique() {
  for (std::size_t i = 0; i < std::size(kControls); ++i) {
    for (std::size_t j = i + 1; j < std::size(kControls); ++j) {
      if (kControls[i].name == kControls[j].name) return false;
    }
  }
  return true;
}
static_assert(NamesUnique(), "every control of the main window needs its own name");

void Create(toolkit::Form& form, const ControlResource& row) {
  const std::string name(row.name);
  toolkit::Control* control = nullptr;
  switch (row.kind) {
    case ResourceKind::kImage:
      control = &form.AddImage(name, row.tag);
      break;
    case ResourceKind::kLabel: {
      toolkit::Label& label = form.AddLabel(name, row.tag);
      // The skin's pictures show through, and the language file places and
      // sizes each label, so the text does not resize it.
      label.SetAutoSize(false);
      label.SetTransparent(true);
      label.SetCaption(std::string(row.caption));
      if (row.centered) label.SetAlignment(toolkit::TextAlignment::kCenter);
      control = &label;
      break;
    }
    case ResourceKind::kShape: {
      toolkit::Shape& shape = form.AddShape(name, row.tag);
      shape.SetType(toolkit::ShapeType::kCircle);
      control = &shape;
      break;
    }
    case ResourceKind::kBevel: {
      constexpr toolkit::Color kLineGrey = 0x808080;
      toolkit::Shape& line = form.AddShape(name, row.tag);
      line.SetBrushColor(kLineGrey);
      line.SetPen(kLineGrey, 1);
      control = &line;
      break;
    }
    case ResourceKind::kCheckBox: {
      toolkit::CheckBox& box = form.AddCheckBox(name, row.tag);
      box.SetCaption(std::string(row.caption));
      control = &box;
      break;
    }
    case ResourceKind::kDirectoryList:
      control = &form.AddDirectoryList(name, row.tag);
      break;
  }
  control->SetBounds(row.rect);
  control->SetVisible(!row.hidden);
  control->SetEnabled(!row.disabled);
}

}  // namespace

std::span<const ControlResource> MainFormControls() { return kControls; }

const ControlResource* FindControlResource(std::string_view name) {
  // Asked for every control on every page change: the first row of each name.
  static const std::map<std::string_view, const ControlResource*> by_name = [] {
    std::map<std::string_view, const ControlResource*> rows;
    for (const ControlResource& row : kControls) rows.emplace(row.name, &row);
    return rows;
  }();
  const auto found = by_name.find(name);
  return found == by_name.end() ? nullptr : found->second;
}

const ControlResource* FindControlResourceByTag(toolkit::ControlKind kind, int tag) {
  for (auto it = std::rbegin(kControls); it != std::rend(kControls); ++it) {
    if (it->tag == tag && ToolkitKindOf(it->kind) == kind) return &*it;
  }
  return nullptr;
}

std::size_t CreationIndexOf(std::string_view name) {
  const ControlResource* row = FindControlResource(name);
  return row == nullptr ? std::size(kControls) : static_cast<std::size_t>(row - kControls);
}

int TagOf(std::string_view name) {
  const ControlResource* row = FindControlResource(name);
  return row == nullptr ? 0 : row->tag;
}

toolkit::ControlKind ToolkitKindOf(ResourceKind kind) {
  switch (kind) {
    case ResourceKind::kImage:
      return toolkit::ControlKind::kImage;
    case ResourceKind::kLabel:
      return toolkit::ControlKind::kLabel;
    case ResourceKind::kShape:
    case ResourceKind::kBevel:
      return toolkit::ControlKind::kShape;
    case ResourceKind::kCheckBox:
      return toolkit::ControlKind::kCheckBox;
    case ResourceKind::kDirectoryList:
      return toolkit::ControlKind::kDirectoryList;
  }
  return toolkit::ControlKind::kImage;
}

void BuildControls(toolkit::Form& form) {
  if (!form.Controls().empty()) {
    throw std::logic_error("BuildControls: form '" + form.Name() + "' already has controls");
  }
  for (const ControlResource& row : kControls) Create(form, row);
  form.SetClientSize(kMainFormDesignSize);
}

}  // namespace audio77
