#pragma once
// What device.ini describes: identity, presence, initial registers, EEPROM
// bytes and GPIO lines, and scripted faults.
//
//   [Device]     VendorID=0x2E8D ProductID=0x771F Revision=0x0100 Present=1
//                InputReportLength=17 OutputReportLength=17 Gpio=0x3FF
//   [Registers]  0x0200=0x04          (several bytes from one address: 0x0200=1 2 3)
//   [I2C 0x50]   0x8D=0x01            (also [I2C 0x51])
//   [Faults]     DLLQK_AudioCommand=2 hid.out=1 hid.in=1 ext=missing
//                output_report_length=4 input_report_length=4 present=0

#include <optional>
#include <string>

#include "sim/core/DeviceIni.h"
#include "sim/core/DeviceState.h"

namespace audio77::sim {

struct DeviceSetup {
  DeviceIdentity identity;
  bool present = true;
  DeviceState state;
  DeviceFaults faults;

  // Builds the device from the parsed file; on a bad value error names its line.
  static std::optional<DeviceSetup> FromIni(const DeviceIni& ini, std::string& error);
  // Applies one fault "name=value" (a [Faults] line or a run-time command).
  bool ApplyFault(const std::string& name, const std::string& value);
  bool operator==(const DeviceSetup&) const = default;
};

}  // namespace audio77::sim
