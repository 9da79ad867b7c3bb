#pragma once
// The simple mode window: a mode selector and an effect picture. It is made
// hidden with the other windows and nothing shows it; when it is shown it
// reads the device-ID groups of the registry and tells when one cannot be
// read. Its caption carries the program's version.

#include <string>

#include "device/DeviceIdMgr.h"
#include "platform/DebugOutput.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "toolkit/Form.h"

namespace audio77 {

class TSimpleForm {
 public:
  struct Services {
    DebugOutput& debug;
    Registry& registry;
    MessageBox& boxes;
  };

  // version: the program file's version text (empty when it cannot be read).
  TSimpleForm(toolkit::Application& app, Services services, const std::string& version);
  toolkit::Form& Form() { return form_; }
  const std::string& Caption() const { return caption_; }

  void FormShow();
  void EffectModeRadioGroupClick() {}

 private:
  void CreateControls();

  toolkit::Form form_;
  Services services_;
  std::string caption_;
  CDeviceIdMgr usb_ids_;
  CDeviceIdMgr hid_ids_;
};

}  // namespace audio77
