#pragma once
// The signed list of device hardware-ID patterns: loaded from a section of the
// configuration file or from a registry group, keeping only the entries whose
// signature verifies, and asked whether a hardware ID is listed.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"
#include "settings/Inifilemanager.h"

namespace audio77 {

class CDeviceIdMgr {
 public:
  // What the last load did with each of its entries, in load order.
  enum class EntryOutcome {
    kAccepted,    // the signature verified: the pattern is listed
    kDropped,     // bad signature, or an empty side that stopped the decoding
    kSkipped,     // no comma, or not reached because the decoding stopped before it
  };

  // Every value of the section, in file order. 0 loaded; 1 the file cannot be
  // loaded; 2 no such section; 3 the section holds no value names; 4 decoding
  // stopped at an entry with an empty side. path is UTF-8.
  int LoadFromConfigFile(const std::u16string& section, const std::string& path);
  // 0 loaded (possibly empty); 1 the key did not exist (it is now created
  // empty), could not be opened, or decoding stopped at an entry with an empty side.
  int LoadFromRegistry(Registry& registry, const std::string& group);

  // True when a listed pattern matches: same length, case-insensitive, and an
  // "X" in the pattern stands for any character.
  bool IsListedHardwareId(std::u16string_view hardware_id) const;
  // The same for an identifier given as 8-bit text (each byte one character).
  bool IsListedHardwareId(std::string_view hardware_id) const;

  const std::vector<std::u16string>& Entries() const { return entries_; }
  // Listed pattern to its signature, in code-unit order of the patterns.
  const std::map<std::u16string, std::u16string>& Ids() const { return ids_; }
  const std::vector<EntryOutcome>& Outcomes() const { return outcomes_; }

  // Each byte becomes one character, and back (the low byte of each character).
  static std::u16string WidenBytes(std::string_view bytes);
  static std::string NarrowToBytes(std::u16string_view text);

 private:
  void Clear();
  // Verifies entries_ into ids_; false when an entry with an empty side stopped it.
  bool DecodeEntries();
  EntryOutcome DecodeEntry(const std::u16string& entry, bool& stop);

  CIniMgr ini_;
  std::vector<std::u16string> entries_;
  std::map<std::u16string, std::u16string> ids_;
  std::vector<EntryOutcome> outcomes_;
};

}  // namespace audio77
