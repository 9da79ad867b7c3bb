#include "features/ProfileKeeper.h"

#include <filesystem>
#include <iostream>

#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"

namespace audio77 {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLastProfileName = "LastProfile.ini";
constexpr const char* kDefaultProfileName = "DefaultProfile.ini";
constexpr const char* kBadSuffix = ".bad";
// "Path" of "LastINI" names a file anywhere: it is read whole, never cut to
// a buffer that could make it name another file.
constexpr std::size_t kPathChars = 32768;

void CreateFolder(const std::string& folder) {
  std::error_code ignored;  // a folder that cannot be made shows in the dialog or the write
  fs::create_directories(folder, ignored);
}

// Clears the profile-saving flag however the features' saving ends.
class SavingFlag {
 public:
  explicit SavingFlag(ProfileHost& host) : host_(host) { host_.SetProfileSaving(true); }
  ~SavingFlag() { host_.SetProfileSaving(false); }
  SavingFlag(const SavingFlag&) = delete;
  SavingFlag& operator=(const SavingFlag&) = delete;

 private:
  ProfileHost& host_;
};

}  // namespace

std::string WithIniExtension(const std::string& name) {
  return name.find(".ini") == std::string::npos ? name + ".ini" : name;
}

std::string ProfileKeeper::AppDataFolder() const { return deps_.folders.AppData() + deps_.host.UserFolderName(); }

std::string ProfileKeeper::LastProfilePath() const { return AppDataFolder() + "/" + kLastProfileName; }

std::string ProfileKeeper::DefaultProfilePath() const { return AppDataFolder() + "/" + kDefaultProfileName; }

std::string ProfileKeeper::UserProfileFolder() const {
  return deps_.folders.UserProfile() + deps_.host.UserFolderName();
}

int ProfileKeeper::WriteProfile(const std::string& path) {
  ProfileFileWriter writer(deps_.profiles, path);
  {
    const SavingFlag saving(deps_.host);
    for (Feature* feature : features_) feature->Save(writer);
  }
  const auto problem = writer.Commit();
  last_problem_ = problem.value_or("");
  return problem ? kFailed : kDone;
}

int ProfileKeeper::ApplyProfile(const std::string& path) {
  ProfileFileReader reader(deps_.profiles, path);
  if (reader.Status() == AtomicFile::ReadStatus::kFailed) throw ProfileFileError(reader.Problem());
  if (reader.Status() == AtomicFile::ReadStatus::kMissing) {
    throw ProfileFileError("The profile \"" + path + "\" does not exist.");
  }
  deps_.host.BeforeApply();
  try {
    for (Feature* feature : features_) feature->Load(reader);
  } catch (const EConvertError& error) {
    throw EConvertError(std::string(error.what()) + " (" + reader.LastKey() + " of " + path + ")");
  }
  deps_.host.AfterApply();
  return kDone;
}

int ProfileKeeper::SaveProfileAs() {
  if (!deps_.host.DeviceHidPresent()) return kNoDeviceOrFile;
  const std::string folder = UserProfileFolder();
  CreateFolder(folder);
  const auto chosen = deps_.host.Dialogs().SaveFile({"Save", folder, kDefaultFileName, kFilter, ""});
  if (!chosen) return kCancelled;
  const std::string path = WithIniExtension(*chosen);
  if (WriteProfile(path) != kDone) {
    ShowError(last_problem_);
    return kFailed;
  }
  if (!deps_.program_config.WriteString("LastINI", "Path", path)) {
    deps_.debug.Write("LastINI could not be written\n");
  }
  return kDone;
}

std::string ProfileKeeper::OpenDialogFolder() {
  const std::string last = deps_.program_config.GetString("LastINI", "Path", "", kPathChars);
  const std::string folder = fs::path(last).parent_path().string();
  if (!last.empty() && !folder.empty()) return folder;
  CreateFolder(UserProfileFolder());
  return UserProfileFolder();
}

int ProfileKeeper::OpenProfile() {
  if (!deps_.host.DeviceHidPresent()) return kNoDeviceOrFile;
  const auto chosen = deps_.host.Dialogs().OpenFile({"Load", OpenDialogFolder(), "", kFilter, ""});
  if (!chosen) return kCancelled;
  try {
    return ApplyProfile(*chosen);
  } catch (const std::exception& error) {
    ShowError(error.what());
    return kFailed;
  }
}

int ProfileKeeper::SaveLastProfile() {
  CreateFolder(AppDataFolder());
  if (WriteProfile(LastProfilePath()) == kDone) return kDone;
  // The window is closing: nobody would see a box.
  const std::string line = "SaveLastProfile: " + last_problem_ + "\n";
  deps_.debug.Write(line);
  std::cerr << line << std::flush;
  return kFailed;
}

int ProfileKeeper::ApplyLastProfile() {
  if (!FileExists(LastProfilePath())) return kNoDeviceOrFile;
  return ApplyProfile(LastProfilePath());
}

int ProfileKeeper::ApplyLastProfileAtStart() {
  // A bad last profile must not stop every later start: it is kept aside
  // before the exit-time write replaces it. One that cannot be read at all
  // is moved aside, so that the exit-time write can make a new one.
  const std::string bad = LastProfilePath() + kBadSuffix;
  std::error_code ignored;
  try {
    return ApplyLastProfile();
  } catch (const EConvertError& error) {
    fs::copy_file(LastProfilePath(), bad, fs::copy_options::overwrite_existing, ignored);
    last_problem_ = error.what();
  } catch (const ProfileFileError& error) {
    fs::rename(LastProfilePath(), bad, ignored);
    last_problem_ = error.what();
  }
  return kFailed;
}

int ProfileKeeper::ApplyDefaultProfile() {
  if (!FileExists(DefaultProfilePath())) return kNoDeviceOrFile;
  try {
    return ApplyProfile(DefaultProfilePath());
  } catch (const std::exception& error) {
    last_problem_ = error.what();
    return kFailed;
  }
}

int ProfileKeeper::ReadDefaultEnables(DefaultEnables& enables) {
  if (!FileExists(DefaultProfilePath())) return kNoDeviceOrFile;
  ProfileFileReader reader(deps_.profiles, DefaultProfilePath());
  enables.eq = reader.ZeroWhenEmpty("EQ", "EQEN");
  enables.d3 = reader.ZeroWhenEmpty("3D", "3DEN");
  enables.v71 = reader.ZeroWhenEmpty("Virtual7ch1", "7ch1EN");
  enables.enc = reader.ZeroWhenEmpty("ENC", "ENCEN");
  return kDone;
}

void ProfileKeeper::ShowError(const std::string& text) {
  deps_.host.Dialogs().ShowMessage({text, deps_.host.Title(), toolkit::MessageIcon::kError, toolkit::MessageButtons::kOk});
}

}  // namespace audio77
