#pragma once
// The present devices of every class with their hardware identifiers.

#include <optional>
#include <string>
#include <vector>

namespace audio77 {

struct PresentDevice {
  // The hardware ID property, most specific first. Empty when it cannot be read.
  std::vector<std::string> hardware_ids;
};

class DeviceEnumerator {
 public:
  virtual ~DeviceEnumerator() = default;
  // Present devices in enumeration order; empty optional when the list cannot be obtained.
  virtual std::optional<std::vector<PresentDevice>> ListPresentDevices() = 0;
};

}  // namespace audio77
