#include "windows/WebAddress.h"

#include <algorithm>
#include <cctype>

namespace audio77 {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

bool PlainCharacters(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F || c == '"' || c == '\\';
  });
}

}  // namespace

std::optional<std::string> SafeWebAddress(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > kLongestWebAddress || !PlainCharacters(text)) return std::nullopt;
  std::string address;
  if (StartsWithNoCase(text, "https://") || StartsWithNoCase(text, "http://")) {
    address = std::string(text);
  } else if (StartsWithNoCase(text, "www.")) {
    address = "https://" + std::string(text);
  } else {
    return std::nullopt;
  }
  // Something must follow the scheme: a host.
  const std::size_t host = address.find("://") + 3;
  if (host >= address.size() || address[host] == '/') return std::nullopt;
  return address;
}

}  // namespace audio77
