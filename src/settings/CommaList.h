#pragma once
// Comma lists of the skin, language and profile files: split at commas only
// (spaces belong to the items). An item that starts with a double quote runs
// to the next lone quote, "" inside standing for one quote; text after the
// closing quote, up to the next comma, is kept with the item. Empty items
// count, and a trailing comma gives a last empty item.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace audio77 {

inline constexpr std::size_t kCommaItemChars = 127;

// Item i goes to slots[i], cut to kCommaItemChars characters; items beyond
// the slots are dropped; the slots after the last item are emptied. Gives the
// number of items stored.
int SplitCommaList(std::string_view text, std::span<std::string> slots);

}  // namespace audio77
