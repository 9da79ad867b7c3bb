#pragma once
// The calls every feature of the main window answers. The controller keeps
// the ordered lists of start-up, activation, removal and shutdown and calls
// these (and each feature's own named steps) in those orders; a feature owns
// its state, reaches the device only through its FeatureDeps and offers
// read-only queries to the rest of the window.

#include <string_view>

#include "settings/ProfileReader.h"
#include "settings/ProfileWriter.h"
#include "ui/SkinViewState.h"

namespace audio77 {

// How the device became active.
enum class Activation {
  kStartup,  // found while the window was built
  kArrival,  // a device-arrival notification
  kTimer,    // the search timer found it
};

class Feature {
 public:
  virtual ~Feature() = default;

  // For debug lines and tests.
  virtual std::string_view Name() const = 0;
  // The device became active: bring it to the state the window holds.
  virtual void OnActivated(Activation /*how*/) {}
  // The device left: the window shows the device's switches off; nothing is sent.
  virtual void OnRemoved() {}
  // The window closes while the device is still there: leave it neutral.
  virtual void OnShutdown() {}
  // This feature's keys of a profile, in the file's order.
  virtual void Save(ProfileWriter& /*profile*/) {}
  // Applies this feature's keys of a profile. May throw EConvertError at a
  // strict key; what was applied before it stays applied.
  virtual void Load(ProfileReader& /*profile*/) {}
  // The switch and choice states the skin's pictures follow.
  virtual void Describe(ui::SkinViewState& /*view*/) const {}
};

}  // namespace audio77
