#include "settings/RuntimeConfig.h"

#include "settings/EConvertError.h"
#include "settings/IntegerText.h"

namespace audio77 {

std::string ReadRuntimeValue(const ProgramConfigFile& file, const std::string& section, const std::string& key) {
  return file.GetString(section, key, "", kRuntimeValueChars);
}

RuntimeConfig LoadRuntimeConfig(const ProgramConfigFile& file) {
  auto read = [&file](const char* section, const char* key) { return ReadRuntimeValue(file, section, key); };
  RuntimeConfig config;
  config.hint_name = read("TrayIconHint", "HintName");
  config.old_version = LeadingInt(read("Version", "OldVersion"));
  config.default_ini = LeadingInt(read("Version", "DefaultIni"));
  config.mic_monitor = LeadingIntOr(read("Mic", "Monitor"), 1);
  config.v71_scalar_tenths = LeadingIntOr(read("DefaultSet", "V7ch1Scalar"), 20);
  config.enc_button_mode = LeadingInt(read("DefaultSet", "EncButtonMode"));
  config.enc_gpio = LeadingInt(read("DefaultSet", "EncGpio"));
  config.exclusive_3d_v71 = LeadingInt(read("DefaultSet", "3DV7ch1MutuallyExclusive"));
  config.region_cut = ReadRuntimeStrict(file, "Skin", "RegionCut");
  config.simple_enable = ReadRuntimeStrict(file, "Simple", "Enable");
  return config;
}

std::int32_t ReadRuntimeStrict(const ProgramConfigFile& file, const std::string& section, const std::string& key) {
  try {
    return StrToInt(ReadRuntimeValue(file, section, key));
  } catch (const EConvertError& error) {
    throw EConvertError(std::string(error.what()) + " (\"" + key + "\" in section \"" + section + "\" of " +
                        file.PathOf(section, key) + ")");
  }
}

std::int32_t ReadRegionCutLenient(const ProgramConfigFile& file) {
  return LeadingInt(ReadRuntimeValue(file, "Skin", "RegionCut"));
}

}  // namespace audio77
