// audio77ctl nouns of the settings files: ini, profile, config, registry.
#include <filesystem>
#include <ostream>

#include "CtlContext.h"
#include "platform/linux/LinuxServices.h"
#include "settings/AppConfig.h"
#include "settings/EConvertError.h"
#include "settings/Inifilemanager.h"
#include "settings/IntegerText.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramConfigFile.h"
#include "settings/RegistryDword.h"
#include "settings/RuntimeConfig.h"
#include "settings/TextCodec.h"
#include "settings/UserSettings.h"

namespace audio77::ctl {
namespace {

// Large enough for any value a settings file holds.
constexpr std::size_t kProfileBufferChars = 32768;

std::string Utf8(const std::u16string& text) { return TextCodec::Utf16ToUtf8(text); }

int IniDump(CtlContext& context, const std::string& path) {
  CIniMgr ini;
  const int result = ini.LoadFile(path);
  context.out << "result=" << result << " encoding=" << ini.Encoding() << '\n';
  for (const auto& define : ini.Sections()) {
    context.out << '[' << Utf8(define->name) << "]\n";
    for (const auto& pair : define->section.values) context.out << Utf8(pair.name) << '=' << Utf8(pair.value) << '\n';
  }
  if (result != CIniMgr::kLoaded) return context.Fail("cannot load " + path + " (result " + std::to_string(result) + ")");
  return kExitOk;
}

int RunIni(CtlContext& context, CtlArgs args) {
  if (args.size() >= 2) {
    if (const auto rejected = context.RejectUnreadableFile(args[1])) return *rejected;
  }
  if (args.size() == 2 && args[0] == "dump") return IniDump(context, args[1]);
  if (args.size() == 4 && args[0] == "get") {
    CIniMgr ini;
    const int result = ini.LoadFile(args[1]);
    if (result != CIniMgr::kLoaded) {
      return context.Fail("cannot load " + args[1] + " (result " + std::to_string(result) + ")");
    }
    context.out << Utf8(ini.GetValue(TextCodec::Utf8ToUtf16(args[2]), TextCodec::Utf8ToUtf16(args[3]))) << '\n';
    return kExitOk;
  }
  return context.UsageError("usage: ini dump FILE | ini get FILE SECTION KEY");
}

int RunProfile(CtlContext& context, CtlArgs args) {
  if (args.size() >= 2) {
    if (const auto rejected = context.RejectUnreadableFile(args[1])) return *rejected;
  }
  const auto guard = CreateLinuxFileGuard();  // other programs may write the same file
  PrivateProfile profiles(*guard);
  if (args.size() >= 4 && args.size() <= 5 && args[0] == "get") {
    const std::string fallback = args.size() == 5 ? args[4] : "";
    context.out << profiles.GetString(args[2], args[3], fallback, kProfileBufferChars, args[1]) << '\n';
    return kExitOk;
  }
  std::optional<bool> written;
  if (args.size() == 5 && args[0] == "set") written = profiles.WriteString(args[2], args[3], args[4], args[1]);
  if (args.size() == 3 && args[0] == "delete") written = profiles.WriteString(args[2], std::nullopt, std::nullopt, args[1]);
  if (args.size() == 4 && args[0] == "delete") written = profiles.WriteString(args[2], args[3], std::nullopt, args[1]);
  if (!written) {
    return context.UsageError(
        "usage: profile get FILE SECTION KEY [DEFAULT] | profile set FILE SECTION KEY VALUE | "
        "profile delete FILE SECTION [KEY]");
  }
  if (!*written) return context.Fail("cannot write " + args[1]);
  return kExitOk;
}

// One "NAME = VALUE" line of config show, or one key of its JSON object.
class FieldSink {
 public:
  FieldSink(std::ostream& out, Json* object) : out_(out), object_(object) {}
  void operator()(const char* name, const std::string& value) {
    if (object_) {
      (*object_)[name] = value;
    } else {
      out_ << name << " = " << value << '\n';
    }
  }

 private:
  std::ostream& out_;
  Json* object_;
};

void ShowAppConfig(FieldSink& ShowField, const AppConfig& c) {
  const std::pair<const char*, const std::string*> fields[] = {
      {"ProgramFolder", &c.program_folder},          {"SourceAppFileName", &c.source_file_name},
      {"SourceFolderFullPath", &c.source_folder},    {"LanguageFolderName", &c.language_folder_name},
      {"SkinFolderName", &c.skin_folder_name},        {"ProgramFilesFolder", &c.program_files_folder},
      {"InstallAppTitle", &c.install_title},          {"InstallIconFileName", &c.install_icon_file},
      {"InstallFolderName", &c.install_folder_name},  {"InstallFolderPath", &c.install_folder_path},
      {"ShortcutFolderName", &c.shortcut_folder},     {"AppShortcutName", &c.app_shortcut},
      {"APPFileName", &c.app_file},                   {"UserManualShortcutName", &c.user_manual_shortcut},
      {"UninstallAppTitle", &c.uninstall_title},      {"UninstallIconFileName", &c.uninstall_icon_file},
      {"UninstallShortcutName", &c.uninstall_shortcut}, {"Publisher", &c.publisher},
      {"UninstallDisplayName", &c.uninstall_display_name}, {"UninstallFileName", &c.uninstall_file},
      {"SystemFolder32", &c.system_folder_32},        {"NativeSystemFolder", &c.native_system_folder},
      {"DeviceActiveIconFileName", &c.device_active_icon}, {"DeviceUnactiveIconFileName", &c.device_inactive_icon},
      {"TrayIconRestorOn", &c.tray_restore},          {"EffectAPPFileName", &c.effect_app_file},
      {"EffectAppShortcutName", &c.effect_app_shortcut}, {"PluginFolderName", &c.plugin_folder_name},
      {"ApplicationDebugLevel", &c.app_debug_level},  {"ServiceDebugLevel", &c.service_debug_level},
  };
  for (const auto& [name, value] : fields) ShowField(name, *value);
}

void ShowRuntime(FieldSink& ShowField, const ProgramConfigFile& file) {
  auto read = [&file](const char* section, const char* key) { return ReadRuntimeValue(file, section, key); };
  ShowField("HintName", read("TrayIconHint", "HintName"));
  ShowField("OldVersion", std::to_string(LeadingInt(read("Version", "OldVersion"))));
  ShowField("DefaultIni", std::to_string(LeadingInt(read("Version", "DefaultIni"))));
  ShowField("Bee", std::to_string(LeadingInt(read("Version", "Bee"))));
  ShowField("Monitor", std::to_string(LeadingIntOr(read("Mic", "Monitor"), 1)));
  char scalar[32];
  std::snprintf(scalar, sizeof scalar, "%.1f", LeadingIntOr(read("DefaultSet", "V7ch1Scalar"), 20) * 0.1);
  ShowField("V7ch1Scalar", scalar);
  ShowField("EncButtonMode", std::to_string(LeadingInt(read("DefaultSet", "EncButtonMode"))));
  ShowField("EncGpio", std::to_string(LeadingInt(read("DefaultSet", "EncGpio"))));
  ShowField("3DV7ch1MutuallyExclusive", std::to_string(LeadingInt(read("DefaultSet", "3DV7ch1MutuallyExclusive"))));
  for (const auto& [section, key] : {std::pair{"Skin", "RegionCut"}, std::pair{"Simple", "Enable"}}) {
    try {
      ShowField(key, std::to_string(StrToInt(read(section, key))));
    } catch (const EConvertError& error) {
      ShowField(key, std::string("error: ") + error.what());
    }
  }
  ShowField("LastINI", file.GetString("LastINI", "Path", "", kIniValueBufferChars));
}

int RunConfig(CtlContext& context, CtlArgs args) {
  if (args.empty() || args[0] != "show" || args.size() > 2) return context.UsageError("usage: config show [PROGRAM_FOLDER]");
  KnownFolders& folders = context.platform().folders;
  std::string folder = args.size() == 2 ? args[1] : folders.ProgramFolder();
  std::error_code error;
  if (args.size() == 2 && !std::filesystem::is_directory(folder, error)) {
    return context.Fail(folder + " is not a folder");
  }
  if (folder.empty() || folder.back() != '/') folder += '/';
  PrivateProfile profiles(context.platform().files);
  // The folder given is seen through this user's overlay, as the program would see it.
  const ProgramConfigFile file(profiles, folder + kAppConfigFileName,
                               ProgramConfigFile::For(profiles, folders).overlay_path());
  AppConfig config;
  LoadAppConfig(config, folder + "audio77", file, context.platform().debug);
  const std::string& path = file.installed_path();
  if (!FileExists(path)) {
    const std::string note = path + " does not exist; every key reads as missing";
    if (context.json) {
      context.err << Json{{"note", note}}.dump() << '\n';
    } else {
      context.err << "audio77ctl: note: " << note << '\n';
    }
  }
  const UserSettings user(profiles, folders.AppData(), config.install_folder_name);
  if (context.json) {
    Json record = Json::object();
    Json runtime = Json::object();
    FieldSink record_sink(context.out, &record);
    FieldSink runtime_sink(context.out, &runtime);
    ShowAppConfig(record_sink, config);
    ShowRuntime(runtime_sink, file);
    context.Emit({{"config_file", path},
                  {"config", record},
                  {"runtime", runtime},
                  {"user",
                   {{"file", user.Path()},
                    {"exists", user.Exists()},
                    {"DefaultLanguage", user.Language()},
                    {"DefaultSkin", user.Skin()}}}});
    return kExitOk;
  }
  FieldSink ShowField(context.out, nullptr);
  ShowAppConfig(ShowField, config);
  ShowRuntime(ShowField, file);
  ShowField("UserConfigFile", user.Path() + (user.Exists() ? "" : " (missing)"));
  ShowField("DefaultLanguage", user.Language());
  ShowField("DefaultSkin", user.Skin());
  return kExitOk;
}

// Signed or unsigned decimal, or hexadecimal: every 32-bit pattern can be given.
std::optional<std::uint32_t> ParseDword(const std::string& text) {
  if (const auto number = TryStrToInt(text)) return static_cast<std::uint32_t>(*number);
  if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const unsigned long long value = std::stoull(text);
  if (value > 0xFFFFFFFFull) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

int RunRegistry(CtlContext& context, CtlArgs args) {
  Registry& registry = context.platform().registry;
  if (args.size() == 3 && args[0] == "get") {
    std::uint32_t value = 0;
    const int result = RegGetDword(registry, args[1], args[2], value);
    if (result == kRegKeyCreated) return context.Fail("key SOFTWARE\\" + args[1] + " did not exist (now created)");
    if (result == kRegValueMissing) return context.Fail("no 32-bit value '" + args[2] + "' in SOFTWARE\\" + args[1]);
    context.out << value << '\n';
    return kExitOk;
  }
  if (args.size() == 4 && args[0] == "set") {
    const auto value = ParseDword(args[3]);
    if (!value) return context.UsageError("'" + args[3] + "' is not a 32-bit number");
    RegSetDword(registry, args[1], args[2], *value);
    std::uint32_t stored = ~*value;
    if (RegGetDword(registry, args[1], args[2], stored) != kRegRead || stored != *value) {
      return context.Fail("cannot write SOFTWARE\\" + args[1] + " " + args[2]);
    }
    return kExitOk;
  }
  return context.UsageError("usage: registry get SUBKEY NAME | registry set SUBKEY NAME DWORD");
}

}  // namespace

std::vector<CtlNoun> SettingsNouns() {
  return {
      {"ini",
       "ini dump FILE                        every section and pair as the INI reader holds them\n"
       "ini get FILE SECTION KEY             one value, exact names\n",
       RunIni},
      {"profile",
       "profile get FILE SECTION KEY [DEFAULT]   a private-profile value\n"
       "profile set FILE SECTION KEY VALUE       write a value (file and section created as needed)\n"
       "profile delete FILE SECTION [KEY]        remove a key, or the whole section\n",
       RunProfile},
      {"config",
       "config show [PROGRAM_FOLDER]         the configuration record and run-time switches\n",
       RunConfig},
      {"registry",
       "registry get SUBKEY NAME             a 32-bit value under HKEY_LOCAL_MACHINE\\SOFTWARE\\SUBKEY\n"
       "registry set SUBKEY NAME DWORD       store one (decimal, or hexadecimal after 0x or $)\n",
       RunRegistry},
  };
}

}  // namespace audio77::ctl
