#pragma once
// What a feature is built with, and nothing more: the device library, the
// register transactions of the current device, the device's status read-only,
// the clock, the debug output and the view it draws on. A feature that needs
// another feature's state gets it from the controller through a call, never
// through a shared bag of fields.

#include "device/DeviceLibrary.h"
#include "device/DeviceStatus.h"
#include "device/RegisterSession.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "ui/FeatureView.h"

namespace audio77 {

struct FeatureDeps {
  DeviceLibrary& library;
  RegisterPort& registers;
  const DeviceStatus& device;
  Clock& clock;
  DebugOutput& debug;
  FeatureView& view;
};

}  // namespace audio77
