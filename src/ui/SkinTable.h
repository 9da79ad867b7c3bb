#pragma once
// The skin entries of one skin: one per picture key of the key list, found by
// key (the first key of that name) or by section and key ("LogoImage" is read
// twice, for the main and the about window), plus the cleared entry the
// left-hand picture gets on the pages that have none (LED, ENC, Voice Magic).

#include <cstddef>
#include <string_view>
#include <vector>

#include "ui/SkinEntry.h"

namespace audio77::ui {

class SkinTable {
 public:
  // Every entry cleared: no file, zero values, no flags.
  SkinTable();

  // By position in SkinKeyList(); only picture keys carry a meaningful entry.
  SkinEntry& AtKey(std::size_t key_index) { return entries_.at(key_index); }
  const SkinEntry& AtKey(std::size_t key_index) const { return entries_.at(key_index); }
  // An unknown key gives the cleared entry (the control is hidden).
  const SkinEntry& Get(std::string_view key) const;
  const SkinEntry& Get(std::string_view section, std::string_view key) const;
  // The hidden left-hand picture of the pages without one.
  const SkinEntry& NoLeftPicture() const { return none_; }

 private:
  std::vector<SkinEntry> entries_;
  SkinEntry none_;
};

}  // namespace audio77::ui
