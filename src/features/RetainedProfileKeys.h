#pragma once
// Profile keys that no feature of the window applies yet: their values are
// kept as a profile gave them and written back when a profile is saved, so
// that saving never loses what a profile held. Each key has a default for a
// profile that lacks it, and a number key may carry the range its value is
// kept to (a profile's value outside it becomes the nearest end, or the
// key's fallback).

#include <optional>
#include <string>
#include <vector>

#include "features/Feature.h"

namespace audio77 {

class RetainedProfileKeys final : public Feature {
 public:
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
    std::optional<Range> range;
  };

  RetainedProfileKeys(std::string name, std::vector<Key> keys) : name_(std::move(name)), keys_(std::move(keys)) {}

  std::string_view Name() const override { return name_; }
  void Save(ProfileWriter& profile) override;
  // A key that is missing or empty keeps its value; a number key's value must
  // be a number (EConvertError otherwise) and is kept to its range.
  void Load(ProfileReader& profile) override;

  // The value held for a key; empty when no such key is held.
  std::string Value(const std::string& section, const std::string& key) const;

 private:
  std::string name_;
  std::vector<Key> keys_;
};

}  // namespace audio77
