#pragma once
// What a feature of the main window may reach: the platform, the toolkit
// application and the main form, the device library, the device session and
// the window's shared fields. Features never hold the main window itself, nor
// each other; rules that span features go through the controller.

#include "device/DeviceLibrary.h"
#include "device/DeviceSession.h"
#include "platform/Platform.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "ui/MainFormState.h"

namespace audio77 {

struct FeatureContext {
  Platform& platform;
  toolkit::Application& app;
  toolkit::Form& form;
  DeviceLibrary& library;
  DeviceSession& session;
  MainFormState& state;
};

}  // namespace audio77
