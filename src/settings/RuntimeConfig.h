#pragma once
// The run-time switches of "AudioConfig.cfg" that the main window reads at
// start-up, each cut to its 31-character limit. "RegionCut" and "Enable" are
// converted strictly: a missing or non-numeric value throws EConvertError.

#include <cstdint>
#include <string>

#include "settings/ProgramConfigFile.h"

namespace audio77 {

struct RuntimeConfig {
  std::string hint_name;              // TrayIconHint/HintName, empty when missing
  std::int32_t old_version = 0;       // Version/OldVersion
  std::int32_t default_ini = 0;       // Version/DefaultIni
  std::int32_t mic_monitor = 1;       // Mic/Monitor, 1 when missing or empty
  std::int32_t v71_scalar_tenths = 20;  // DefaultSet/V7ch1Scalar, 20 when missing or empty
  std::int32_t enc_button_mode = 0;   // DefaultSet/EncButtonMode
  std::int32_t enc_gpio = 0;          // DefaultSet/EncGpio
  std::int32_t exclusive_3d_v71 = 0;  // DefaultSet/3DV7ch1MutuallyExclusive
  std::int32_t region_cut = 0;        // Skin/RegionCut, strict
  std::int32_t simple_enable = 0;     // Simple/Enable, strict

  double V71Scalar() const { return v71_scalar_tenths * 0.1; }
};

inline constexpr std::size_t kRuntimeValueChars = 32;

// Reads the keys in start-up order from the program's configuration file.
RuntimeConfig LoadRuntimeConfig(const ProgramConfigFile& file);
// One run-time value as the main window reads it: at most 31 characters.
std::string ReadRuntimeValue(const ProgramConfigFile& file, const std::string& section, const std::string& key);
// A value that must be an integer; the EConvertError names the key, its
// section and the file it was read from.
std::int32_t ReadRuntimeStrict(const ProgramConfigFile& file, const std::string& section, const std::string& key);
// "RegionCut" as a skin change re-reads it: leniently.
std::int32_t ReadRegionCutLenient(const ProgramConfigFile& file);

}  // namespace audio77
