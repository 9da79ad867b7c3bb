#pragma once
// SetMicMonitor: switches the microphone monitor the way the configured
// monitor mode says (MonitorModeTable): the record test, or the chip's
// monitor registers through the device library (each call repeated once when
// it fails) and the endpoint's listen route.

#include <cstdint>

#include "device/DeviceLibrary.h"
#include "features/FeatureResult.h"
#include "features/MicEndpoint.h"
#include "features/MonitorModeTable.h"
#include "features/RecordTest.h"

namespace audio77 {

class MicMonitor {
 public:
  MicMonitor(DeviceLibrary& library, MicEndpoint& endpoint, RecordTest& record_test);

  // Done, or the step of the plan whose library call failed twice (the rest
  // of the plan is still carried out, as the device may take it).
  FeatureResult Set(int monitor_mode, int value, std::uint16_t vendor_id, std::uint16_t product_id);

 private:
  DeviceLibrary& library_;
  MicEndpoint& endpoint_;
  RecordTest& record_test_;
};

}  // namespace audio77
