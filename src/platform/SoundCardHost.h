#pragma once
// A place in the user's sound server for a sound card that is not hardware:
// the virtual device's output and microphone, carrying its USB IDs, so that
// the program and the desktop's mixers see it as they would see the device.

#include <cstdint>
#include <memory>
#include <string>

namespace audio77 {

// The card is in the sound server while this object lives.
class SoundCard {
 public:
  virtual ~SoundCard() = default;
};

class SoundCardHost {
 public:
  virtual ~SoundCardHost() = default;
  // A sink <name> and a source <name>_mic over the sink's sound, both carrying
  // the IDs. Null when no sound server answers. Cards of an earlier run under
  // the same name are removed first.
  virtual std::unique_ptr<SoundCard> Add(const std::string& name, const std::string& description,
                                         std::uint16_t vendor_id, std::uint16_t product_id) = 0;
};

}  // namespace audio77
