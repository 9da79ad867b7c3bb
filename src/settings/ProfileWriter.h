#pragma once
// Where a feature writes its keys of a profile. Keys are written in the order
// the calls come, each at once; an existing file keeps its other keys.

#include <cstdint>
#include <string>

namespace audio77 {

class ProfileWriter {
 public:
  virtual ~ProfileWriter() = default;
  // "%d" of value.
  virtual void WriteInt(const std::string& section, const std::string& key, std::int64_t value) = 0;
  // A value already formatted (the equalizer's "0x%X,…" lines, "left,top").
  virtual void WriteText(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace audio77
