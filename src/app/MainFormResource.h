#pragma once
// The main window's form resource: every control it has, in creation order,
// with kind, name, Tag, design rectangle, design caption, design visibility and
// enabled state, and the page it belongs to. BuildControls creates them on a
// form in that order.
//
// Creation order is part of the contract. A look-up by class and Tag walks
// from the newest control back, and a few Tags are shared, so the order picks
// which control such a look-up finds:
//   - image Tag 0: `CloseImage` (the backgrounds, decorations, the 3D page's
//     enable switch and the voice-effect buttons carry 0 as well and come
//     before it);
//   - image Tag 238: `MicBarDownImage`, the Mic fill (`ColorBreatheBarImage`
//     of the LED page comes before it);
//   - label Tag 38: `MicValueLabel`, the Mic slider's value label
//     (`ENCValueLabel` comes before it);
//   - image Tag 338: `ColorBreatheCheckImage` (`ENCFunctionImage` and
//     `VMFunctionImage` come before it).
// Code that wants one of the other sharers reaches it by name.
//
// Positions and sizes here are only the design layout: the skin moves and
// sizes every skinned image at start-up and the language file places the
// labels.

#include <cstddef>
#include <span>
#include <string_view>

#include "toolkit/Control.h"
#include "toolkit/Form.h"
#include "toolkit/Geometry.h"
#include "ui/MainFormState.h"

namespace audio77 {

// A bevel is a separator line; the toolkit draws it as a thin shape.
enum class ResourceKind { kImage, kLabel, kShape, kBevel, kCheckBox, kDirectoryList };

// The page a control belongs to, as the table writes it: a page of the
// window (MainFormState.h numbers them) or 0 for every page.
namespace pages {
inline constexpr int kEvery = 0;
inline constexpr int kEq = static_cast<int>(Page::kEqualizer);
inline constexpr int kEffect = static_cast<int>(Page::kEffect);
inline constexpr int kMic = static_cast<int>(Page::kMicrophone);
inline constexpr int kVirtual71 = static_cast<int>(Page::kVirtual71);
inline constexpr int k3D = static_cast<int>(Page::kSound3D);
inline constexpr int kLed = static_cast<int>(Page::kLed);
inline constexpr int kEnc = static_cast<int>(Page::kNoiseCancellation);
inline constexpr int kVoiceMagic = static_cast<int>(Page::kVoiceEffect);
}  // namespace pages

// What a control does with the mouse; the row's action says what it runs.
enum class Behaviour {
  kNone,
  // Down picture while pressed, up picture on release; the click runs the action.
  kMomentary,
  // As kMomentary, but at rest while the bee test runs.
  kMomentaryUnlessBee,
  // Down picture while pressed; the release shows the up picture, then runs the action.
  kMomentaryReleaseActs,
  // The press runs the action (switches, presets, choices, latches).
  kPress,
  // The press runs the action with 1, the release with 0.
  kHold,
  // A page tab: the press draws the tabs and selects its page.
  kTab,
  // A tab that also keeps its down picture after the release while the device is active.
  kTabKeptDown,
  // A label: press, release and click go to the image with its Tag.
  kForward,
  // A label: press and release go to the image with its Tag.
  kForwardPress,
  // A tab's label: the press selects the page.
  kSelectPage,
  // The release over the control runs the action (the press is the hook's).
  kRelease,
  // The click runs the action; the feature decides what a click without a
  // device does (the ENC and Voice Magic pages, the LED page's check images).
  kClick,
};

// The steps a row's behaviour runs, by name; the controller binds each to a
// feature's call.
enum class Action {
  kNone,
  kClose,
  kMinimize,
  kEqReset,
  k3DReset,
  kVirtualReset,
  kEqEnable,
  k3DEnable,
  kPreset,  // arg: S1..S4
  kFbm,
  kAlphaLink,
  kBetaLink,
  kEffect,  // arg: the environment 1..5
  kMicBoost,
  kMicMute,
  kMicMonitor,
  kVirtualEnable,
  kLatch,  // arg: which animation switch
  kLedButton,
  kLedCheck,   // arg: which check image (LedCheck)
  kLedSwatch,  // arg: the swatch 1..9 (palette 1..7, single, breathe)
  kLedTab,     // arg: 0 the tab's image, 1 its label
  kSaveProfile,
  kLoadProfile,
  kSpeakerRelease,
  kBeeTest,
  kEncSwitch,
  kVoiceSwitch,
  kVoiceEffect,  // arg: the effect 0..4
  kAbout,  // the about window, while a device is active
};

struct ControlResource {
  ResourceKind kind = ResourceKind::kImage;
  std::string_view name;
  int tag = 0;
  toolkit::Rect rect;
  // Labels and the check box: the text before the language file dresses them.
  std::string_view caption;
  // The page the control belongs to. (The skin's default page for the EQ and
  // Mic fills is 0; a skin that wants them on their own page says so.)
  int page = pages::kEvery;
  bool hidden = false;    // not visible at design
  bool disabled = false;  // not enabled at design
  bool centered = false;  // label text centred (the captions of buttons and tabs)
  Behaviour behaviour = Behaviour::kNone;
  Action action = Action::kNone;
  int arg = 0;
  // The press works without an active device (others warn instead).
  bool works_without_device = false;
};

// The design client size of the main window (the skin's background picture
// replaces it at start-up).
inline constexpr toolkit::Size kMainFormDesignSize{800, 600};

// Every control of the main window, in creation order.
std::span<const ControlResource> MainFormControls();

// The row of a control by its exact name; nullptr when there is none.
const ControlResource* FindControlResource(std::string_view name);
// The row a form look-up by class and Tag finds once BuildControls has run:
// the newest control of that toolkit class with that Tag. A bevel counts as a
// shape, as on the form.
const ControlResource* FindControlResourceByTag(toolkit::ControlKind kind, int tag);
// Position of a control in creation order; MainFormControls().size() when there
// is none.
std::size_t CreationIndexOf(std::string_view name);

// The Tag of a named control; 0 when there is none. For code that hands a
// control to a Tag-keyed table.
int TagOf(std::string_view name);

// The toolkit class a row becomes.
toolkit::ControlKind ToolkitKindOf(ResourceKind kind);

// Creates every control of the table on the form, in order, with its design
// rectangle, caption, visibility and enabled state, and gives the form the
// design client size. The form must not have controls yet (std::logic_error
// otherwise), so names and creation indexes match the table.
void BuildControls(toolkit::Form& form);

}  // namespace audio77
