#pragma once
// The device the program's device search picks: the first present device
// that the signed list of a configuration file accepts.

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace audio77::ctl {

struct ChosenDevice {
  std::string hardware_id;  // empty when none was found
  std::uint16_t vendor_id = 0;
  std::uint16_t product_id = 0;

  // The device search the program runs at start-up and arrival.
  static ChosenDevice Search(Platform& platform, const std::string& config_file);
  // AudioConfig.cfg of the program folder.
  static std::string DefaultConfig(Platform& platform);
};

}  // namespace audio77::ctl
