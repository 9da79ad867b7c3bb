#pragma once
// The profiles of the main window: the last profile written at shutdown and
// applied at the next start, the default profile of the installation, and
// the profiles the user saves and loads with "Save" and "Load". A profile is
// written and applied by the features themselves, each its own keys, called
// in the order of the profile's key table; this class owns the files, their
// folders, the dialogs and what is shown when a file cannot be used.
//
// Results follow the operations' tables (0 done, 1 no device or no file, 2
// dialog cancelled); 3 means the profile could not be written or read, or its
// apply stopped, and the reason was shown in the standard error box.

#include <stdexcept>
#include <string>
#include <vector>

#include "features/Feature.h"
#include "features/ProfileHost.h"
#include "platform/DebugOutput.h"
#include "platform/KnownFolders.h"
#include "settings/PrivateProfile.h"
#include "settings/ProgramConfigFile.h"

namespace audio77 {

// A profile file that cannot be read at all (a folder, unreadable, too large).
class ProfileFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The enables of the default profile that a device's activation applies.
struct DefaultEnables {
  int eq = 0;
  int d3 = 0;
  int v71 = 0;
  int enc = 0;
  bool operator==(const DefaultEnables&) const = default;
};

struct ProfileKeeperDeps {
  PrivateProfile& profiles;
  const ProgramConfigFile& program_config;
  const KnownFolders& folders;
  DebugOutput& debug;
  ProfileHost& host;
};

class ProfileKeeper {
 public:
  static constexpr int kDone = 0;
  static constexpr int kNoDeviceOrFile = 1;
  static constexpr int kCancelled = 2;
  static constexpr int kFailed = 3;

  explicit ProfileKeeper(ProfileKeeperDeps deps) : deps_(deps) {}

  // The features in the order of the profile's key table.
  void SetFeatures(std::vector<Feature*> features) { features_ = std::move(features); }

  // 0 written; 3 not written (LastProblem says why; the file is as it was).
  int WriteProfile(const std::string& path);
  // 0 applied. Throws EConvertError where a strict key stopped the apply (the
  // keys before it stay applied) and ProfileFileError when the file cannot be
  // read at all (nothing is applied).
  int ApplyProfile(const std::string& path);

  // "Save": 0 saved; 1 no device; 2 cancelled; 3 not written, error shown.
  int SaveProfileAs();
  // "Load": 0 applied; 1 no device; 2 cancelled; 3 stopped or unreadable, error shown.
  int OpenProfile();

  // Shutdown: 0 written; 3 not written, said on the debug output and stderr.
  int SaveLastProfile();
  // 0 applied; 1 no last profile. Throws as ApplyProfile.
  int ApplyLastProfile();
  // Start-up's own call: 0 applied; 1 no last profile; 3 the apply stopped:
  // the bad file is kept as "LastProfile.ini.bad", so that the exit-time
  // write, which replaces it, loses nothing, and LastProblem says what to
  // show once the window is up.
  int ApplyLastProfileAtStart();
  // 0 applied; 1 no default profile; 3 the apply stopped and LastProblem
  // says why (the installed file is never written, so it is not copied).
  int ApplyDefaultProfile();
  // 0 read; 1 no default profile (enables unchanged).
  int ReadDefaultEnables(DefaultEnables& enables);

  std::string LastProfilePath() const;
  std::string DefaultProfilePath() const;
  // The folder the save dialog starts in, and "Load" when no profile was saved yet.
  std::string UserProfileFolder() const;
  const std::string& LastProblem() const { return last_problem_; }
  // The standard error box with text.
  void ShowError(const std::string& text);

  static constexpr const char* kFilter = "INI (*.ini)|*.ini";
  static constexpr const char* kDefaultFileName = "AudioSetting.ini";

 private:
  std::string AppDataFolder() const;
  std::string OpenDialogFolder();

  ProfileKeeperDeps deps_;
  std::vector<Feature*> features_;
  std::string last_problem_;
};

// The ".ini" rule of "Save": a name without ".ini" anywhere in it (case
// counts) gets ".ini" appended.
std::string WithIniExtension(const std::string& name);

}  // namespace audio77
