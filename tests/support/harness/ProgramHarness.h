#pragma once
// The whole program in-process on the virtual device: the main window with
// its real start-up, a manual clock that moves only when the test says so,
// and scripted dialogs. A test reads like a person's steps: start, plug,
// tick the search timer, click, unplug, close; then it looks at the device's
// trace, the debug lines, the boxes shown and the window's controls.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/AudioMainForm.h"
#include "platform/ManualClock.h"
#include "platform/Platform.h"
#include "platform/RecordingDebugOutput.h"
#include "support/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/ManualLoopDriver.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77::test {

struct HarnessOptions {
  std::string device_ini;        // the virtual device's description; empty: the default device
  struct ConfigValue {
    std::string section, key, value;
  };
  std::vector<ConfigValue> config;  // changes to the program folder's AudioConfig.cfg
  bool with_library = true;      // false: the program folder has no device library
  bool user_folder = true;       // false: the per-user folder does not exist
  bool own_skins = false;        // true: a copy of the bundled skins that the test may change
};

class ProgramHarness {
 public:
  explicit ProgramHarness(HarnessOptions options = {});
  ~ProgramHarness();

  // Creates the main window (its whole start-up) and installs the hook.
  void Start();
  // Closes the main window: its shutdown runs.
  void Close();

  void Plug();
  void Unplug();
  // Lets posted work (notifications) run without moving time.
  void RunPending();
  // Moves the manual clock, firing every timer that falls due.
  void Advance(std::uint64_t ms);
  void TickTimer1() { Advance(2000); }
  void Click(const std::string& control_name);

  TAudioMainForm& Form() { return *form_; }
  toolkit::Application& App() { return *app_; }
  toolkit::ScriptedDialogs& Dialogs() { return dialogs_; }
  Platform& GetPlatform() { return host_->Get(); }
  std::vector<std::string> Trace() const;
  void ClearTrace();
  std::vector<std::string> DebugLines() const;
  const std::filesystem::path& StateFolder() const { return state_.path(); }
  const std::filesystem::path& ProgramFolder() const { return program_.path(); }
  const std::filesystem::path& Home() const { return home_.path(); }
  std::filesystem::path UserFolder() const;

 private:
  void PrepareProgramFolder(const HarnessOptions& options);

  TempDir state_;
  TempDir program_;
  TempDir home_;
  ManualClock* clock_ = nullptr;
  RecordingDebugOutput* debug_ = nullptr;
  std::unique_ptr<PlatformHost> host_;
  std::unique_ptr<toolkit::EventLoop> loop_;
  std::unique_ptr<toolkit::Application> app_;
  std::unique_ptr<toolkit::ManualLoopDriver> driver_;
  toolkit::ScriptedDialogs dialogs_;
  std::unique_ptr<TAudioMainForm> form_;
};

}  // namespace audio77::test
