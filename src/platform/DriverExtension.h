#pragma once
// The audio driver's extension device: opened by path, driven by request codes.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace audio77 {

// One open extension device. Closes when destroyed.
class ExtensionHandle {
 public:
  virtual ~ExtensionHandle() = default;
  // Sends one request. On success returned holds the number of bytes written to out.
  virtual bool Control(std::uint32_t code, std::span<const std::uint8_t> in,
                       std::span<std::uint8_t> out, std::uint32_t& returned) = 0;
};

class DriverExtension {
 public:
  virtual ~DriverExtension() = default;
  // Null when the path does not open.
  virtual std::unique_ptr<ExtensionHandle> Open(const std::string& path) = 0;
};

}  // namespace audio77
