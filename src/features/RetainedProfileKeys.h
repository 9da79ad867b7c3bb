#pragma once
// Profile keys that no feature of the window applies yet: their values are
// kept as a profile gave them and written back when a profile is saved, so
// that saving never loses what a profile held. Each key has a default for a
// profile that lacks it and a kind that says how a profile's value is taken.

#include <optional>
#include <string>
#include <vector>

#include "features/Feature.h"

namespace audio77 {

class RetainedProfileKeys final : public Feature {
 public:
  enum class Kind {
    kNumber,     // when present: a number (EConvertError otherwise), kept to its range
    kPoint,      // strict: "left,top", two numbers
    kWriteOnly,  // written for the record; applying a profile never reads it
  };
  struct Range {
    long long low;
    long long high;
    // The value an out-of-range number takes; nothing: the nearest end.
    std::optional<long long> fallback;
  };
  struct Key {
    std::string section;
    std::string key;
    std::string value;  // the default, then what the last profile gave
    Kind kind = Kind::kNumber;
    std::optional<Range> range;
  };

  RetainedProfileKeys(std::string name, std::vector<Key> keys) : name_(std::move(name)), keys_(std::move(keys)) {}

  std::string_view Name() const override { return name_; }
  void Save(ProfileWriter& profile) override;
  // Stops with EConvertError at a value its kind does not accept; the keys
  // before it keep what they were given.
  void Load(ProfileReader& profile) override;

  // The value held for a key; empty when no such key is held.
  std::string Value(const std::string& section, const std::string& key) const;

 private:
  std::string name_;
  std::vector<Key> keys_;
};

}  // namespace audio77
