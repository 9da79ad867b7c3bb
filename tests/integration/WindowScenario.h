#pragma once
// The real program on the virtual device, started from a program folder of
// the test's own (the installed files linked or copied, its configuration
// changed as the test says), driven by audio77ctl as a person's steps would
// drive it: presses, drags and menus through `ui`, the device through
// `virtual` and `reg`. What reached the device is read back from trace.log.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/BackgroundProcess.h"
#include "support/DeviceTraffic.h"
#include "support/InOrder.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::test {

struct ScenarioOptions {
  std::string device_ini;  // empty: the default device
  struct ConfigValue {
    std::string section, key, value;
  };
  std::vector<ConfigValue> config;  // changes to the program folder's AudioConfig.cfg
};

// One field of a `ui get` line: "picture", "caption", "y" and so on.
inline std::string FieldOf(const std::string& line, const std::string& field) {
  const std::string key = " " + field + "=";
  const auto at = line.find(key);
  if (at == std::string::npos) return {};
  const auto start = at + key.size();
  if (line.compare(start, 1, "\"") == 0) {
    std::string text;
    for (auto i = start + 1; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) ++i;
      text += line[i];
    }
    return text;
  }
  const auto end = line.find_first_of(" \n", start);
  return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

// The caption path of a `ui menus` line ("[x] Skin/Dark<TAB>name=Skin/Dark").
inline std::string MenuPath(const std::string& line) {
  const auto tab = line.find('\t');
  return line.size() < 4 ? std::string() : line.substr(4, tab == std::string::npos ? std::string::npos : tab - 4);
}

inline std::vector<std::string> LinesOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class WindowScenario : public ::testing::Test {
 protected:
  static constexpr auto kPatience = std::chrono::seconds(60);

  void Start(const ScenarioOptions& options = {}) {
    if (!prepared_) PrepareProgramFolder(options);
    if (!options.device_ini.empty()) state_.Write("device.ini", options.device_ini);
    state_.Write("services.ini", "[AudioDeviceService]\nState=running\n");
    for (int attempt = 1;; ++attempt) {
      program_ = std::make_unique<BackgroundProcess>((program_folder_.path() / "audio77").string(),
                                                     std::vector<std::string>{"-servicestart"}, Env());
      const bool up = WaitUntil([&] { return !program_->Running() || Ui({"state"}).exit_code == 0; }, kPatience) &&
                      program_->Running();
      if (up) return;
      // Now and then, late in a full run, the shared X server turns a new
      // client away and Qt gives up before our code runs: that alone earns one
      // more start. Any other failure to come up is the test's.
      if (attempt == 2 || program_->Err().find("no Qt platform plugin could be initialized") == std::string::npos) break;
    }
    FAIL() << "the window did not come up: " << program_->Err();
  }

  // Ends the program through the last item of its tray menu ("Close" in
  // whatever language); its exit code.
  int Close() {
    std::string close;
    for (const auto& line : LinesOf(Ui({"menus"}).out)) {
      if (MenuPath(line).find('/') == std::string::npos) close = MenuPath(line);
    }
    EXPECT_EQ(Ui({"menu", close}).exit_code, 0) << close;
    return program_->Wait(kPatience).value_or(-2);
  }
  // The tray menu's first item, the language menu, in the language shown.
  std::string LanguageMenu() const {
    const auto lines = LinesOf(Ui({"menus"}).out);
    return lines.empty() ? std::string() : MenuPath(lines.front());
  }

  std::map<std::string, std::string> Env() const {
    std::map<std::string, std::string> env = {{"AUDIO77_PLATFORM", "virtual"},
                                              {"AUDIO77_VIRTUAL_DIR", state_.path().string()},
                                              {"HOME", home_.path().string()},
                                              {"XDG_RUNTIME_DIR", state_.path().string()},
                                              // The first start follows the desktop's language and
                                              // look: scenarios expect the bundled defaults whatever
                                              // the machine says.
                                              {"LC_ALL", "C.UTF-8"},
                                              {"GTK_THEME", ""}};
    for (const auto& [name, value] : extra_env_) env[name] = value;
    return env;
  }

  ProcessResult Ctl(std::vector<std::string> args) const {
    return RunProcess((DistDir() / "audio77ctl").string(), args, Env());
  }
  ProcessResult Ui(std::vector<std::string> args) const {
    args.insert(args.begin(), "ui");
    return Ctl(args);
  }
  // Runs a ui command that must succeed.
  void Do(const std::vector<std::string>& args) const {
    const ProcessResult result = Ui(args);
    std::string line;
    for (const auto& word : args) line += word + " ";
    ASSERT_EQ(result.exit_code, 0) << line << result.out << result.err;
  }
  std::string Get(const std::string& control) const { return Ui({"get", control}).out; }
  std::string Picture(const std::string& control) const { return FieldOf(Get(control), "picture"); }
  std::string Caption(const std::string& control) const { return FieldOf(Get(control), "caption"); }
  bool Visible(const std::string& control) const { return FieldOf(Get(control), "visible") == "1"; }
  int Top(const std::string& control) const { return std::stoi(FieldOf(Get(control), "y")); }
  std::string State() const { return Ui({"state"}).out; }
  std::vector<std::string> Boxes() const { return LinesOf(Ui({"boxes"}).out); }
  bool WaitForUi(const std::vector<std::string>& args, const std::string& part) const {
    return WaitUntil([&] { return Ui(args).out.find(part) != std::string::npos; }, kPatience);
  }
  // A chip register as audio77ctl reads it ("0xFF").
  std::string Register(unsigned address) const {
    const ProcessResult result = Ctl({"reg", "read", Hex(address, 3)});
    return result.exit_code == 0 ? result.out.substr(0, result.out.find('\n')) : "failed: " + result.err;
  }

  // Where the trace stands now; TrafficSince gives what came after.
  std::size_t Mark() const { return state_.Read("trace.log").size(); }
  std::vector<std::string> TraceSince(std::size_t mark) const {
    const std::string trace = state_.Read("trace.log");
    return LinesOf(mark < trace.size() ? trace.substr(mark) : std::string());
  }
  std::vector<std::string> TrafficSince(std::size_t mark) const { return Traffic(TraceSince(mark)); }

  const std::filesystem::path& ProgramFolder() const { return program_folder_.path(); }
  std::filesystem::path UserFolder() const { return home_.path() / ".config" / "Audio77"; }

  TempDir state_;
  TempDir home_;
  TempDir program_folder_;
  std::unique_ptr<BackgroundProcess> program_;
  // More environment for the program and audio77ctl (a bus of the test's
  // own, a stand-in program first in PATH); set before Start.
  std::map<std::string, std::string> extra_env_;

  // The program reads its folder from where it runs: the installed programs
  // and libraries are linked (copied where links cannot be made), skins and
  // icons shared, and the files a test may change copied. Start does this
  // unless the test did it first to change more.
  void PrepareProgramFolder(const ScenarioOptions& options) {
    prepared_ = true;
    namespace fs = std::filesystem;
    for (auto entry = fs::recursive_directory_iterator(DistDir()); entry != fs::recursive_directory_iterator();
         ++entry) {
      const fs::path relative = fs::relative(entry->path(), DistDir());
      const fs::path target = program_folder_.path() / relative;
      if (relative == "Skins" || relative == "icons") {
        fs::create_directory_symlink(entry->path(), target);
        entry.disable_recursion_pending();
        continue;
      }
      if (entry->is_directory()) {
        fs::create_directories(target);
      } else if ((entry->status().permissions() & fs::perms::owner_exec) != fs::perms::none) {
        std::error_code error;
        fs::create_hard_link(entry->path(), target, error);
        if (error) fs::copy_file(entry->path(), target);
      } else {
        fs::copy_file(entry->path(), target);
      }
    }
    const std::string config = (program_folder_.path() / "AudioConfig.cfg").string();
    for (const auto& value : options.config) {
      const ProcessResult set = Ctl({"profile", "set", config, value.section, value.key, value.value});
      ASSERT_EQ(set.exit_code, 0) << set.err;
    }
  }

 private:
  bool prepared_ = false;
};

}  // namespace audio77::test
