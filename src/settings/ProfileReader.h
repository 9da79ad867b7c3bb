#pragma once
// Where a feature reads its keys of a profile being applied, in the three
// read-back kinds of the profile format.

#include <cstdint>
#include <optional>
#include <string>

namespace audio77 {

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  // The raw text of a key; empty when missing.
  virtual std::string Text(const std::string& section, const std::string& key) = 0;
  // A strict key: a decimal (or "0x" hexadecimal) integer; anything else,
  // missing included, throws EConvertError and stops the apply.
  virtual std::int32_t Strict(const std::string& section, const std::string& key) = 0;
  // A missing or empty value reads as 0; a non-numeric one as 0 too.
  virtual std::int32_t ZeroWhenEmpty(const std::string& section, const std::string& key) = 0;
  // Empty when the key is missing (the current state stays).
  virtual std::optional<std::int32_t> WhenPresent(const std::string& section, const std::string& key) = 0;
  // The path of the profile being applied.
  virtual const std::string& Path() const = 0;
};

}  // namespace audio77
