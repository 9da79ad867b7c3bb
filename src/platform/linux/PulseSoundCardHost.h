#pragma once
// Sound cards made of modules of the user's sound server: a null sink and a
// remap source over its monitor, both with the device's IDs and our mark, so
// that those left by a program that died are found and removed.

#include <memory>

#include "platform/SoundCardHost.h"
#include "platform/linux/PulseConnection.h"

namespace audio77 {

class PulseSoundCardHost final : public SoundCardHost {
 public:
  static constexpr const char* kMark = "audio77.virtual";

  explicit PulseSoundCardHost(std::shared_ptr<PulseConnection> connection);
  std::unique_ptr<SoundCard> Add(const std::string& name, const std::string& description, std::uint16_t vendor_id,
                                 std::uint16_t product_id) override;

 private:
  std::shared_ptr<PulseConnection> connection_;
};

}  // namespace audio77
