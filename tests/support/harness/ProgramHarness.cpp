#include "support/harness/ProgramHarness.h"

#include <fstream>
#include <sstream>

#include "platform/InProcessFileGuard.h"
#include "settings/PrivateProfile.h"
#include "sim/core/VirtualDevice.h"
#include "sim/platform/VirtualPlatform.h"
#include "toolkit/Control.h"

namespace audio77::test {
namespace {

constexpr const char* kLibraryFile = "libDLLQK_UsbAudio77xx.so";

// The program folder's own copy is the hardware library; the virtual one lives apart.
std::filesystem::path VirtualLibrary() { return DistDir() / "virtual" / kLibraryFile; }

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

ProgramHarness::ProgramHarness(HarnessOptions options) {
  PrepareProgramFolder(options);
  if (!options.device_ini.empty()) state_.Write("device.ini", options.device_ini);
  auto clock = std::make_unique<ManualClock>();
  auto debug = std::make_unique<RecordingDebugOutput>();
  clock_ = clock.get();
  debug_ = debug.get();
  sim::VirtualPlatformOptions platform_options;
  platform_options.state_folder = state_.path().string();
  platform_options.program_path = (program_.path() / "audio77").string();
  platform_options.home = home_.path().string();
  platform_options.clock = std::move(clock);
  platform_options.debug = std::move(debug);
  host_ = sim::CreateVirtualPlatform(std::move(platform_options));
  state_.Write("trace.log", "");
  loop_ = std::make_unique<toolkit::EventLoop>(*clock_);
  app_ = std::make_unique<toolkit::Application>(*loop_);
  app_->SetDialogs(dialogs_);
  driver_ = std::make_unique<toolkit::ManualLoopDriver>(*loop_, *clock_);
  if (options.user_folder) {
    std::filesystem::create_directories(UserFolder());
  }
}

ProgramHarness::~ProgramHarness() {
  form_.reset();
  app_.reset();
}

void ProgramHarness::PrepareProgramFolder(const HarnessOptions& options) {
  std::string config;
  {
    std::ifstream in(DistDir() / "AudioConfig.cfg", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    config = text.str();
  }
  const std::string path = program_.Write("AudioConfig.cfg", config);
  InProcessFileGuard files;
  PrivateProfile profiles(files);
  for (const auto& value : options.config) WriteIniValue(profiles, path, value.section, value.key, value.value);
  std::filesystem::copy(DistDir() / "user", program_.path() / "user", std::filesystem::copy_options::recursive);
  // The bundled skins and languages, as installed. The languages are copied,
  // as tests add their own.
  for (const std::string folder : {"Skins", "Languages"}) {
    if (!std::filesystem::exists(DistDir() / folder)) continue;
    if (folder == "Languages" || (folder == "Skins" && options.own_skins)) {
      std::filesystem::copy(DistDir() / folder, program_.path() / folder, std::filesystem::copy_options::recursive);
    } else {
      std::filesystem::create_directory_symlink(DistDir() / folder, program_.path() / folder);
    }
  }
  if (options.with_library) {
    // The virtual platform binds the library kept apart in "virtual/".
    std::filesystem::create_directories(program_.path() / "virtual");
    std::filesystem::copy_file(VirtualLibrary(), program_.path() / "virtual" / kLibraryFile);
  }
}

std::filesystem::path ProgramHarness::UserFolder() const {
  return home_.path() / ".config" / "Audio77";
}

void ProgramHarness::Start() {
  form_ = std::make_unique<TAudioMainForm>(host_->Get(), *app_);
  form_->Create();
  form_->FormCreate();
}

void ProgramHarness::Close() {
  if (!form_) return;
  form_->Form().Close();
  form_->FormDestroy();
}

void ProgramHarness::Plug() {
  sim::VirtualDevice::Instance().Plug();
  RunPending();
}

void ProgramHarness::Unplug() {
  sim::VirtualDevice::Instance().Unplug();
  RunPending();
}

void ProgramHarness::RunPending() { driver_->RunPending(); }

void ProgramHarness::Advance(std::uint64_t ms) { driver_->Advance(ms); }

void ProgramHarness::Click(const std::string& control_name) {
  toolkit::Control* control = form_->Form().FindControl(control_name);
  if (control == nullptr) throw std::invalid_argument("no control " + control_name);
  const toolkit::Rect bounds = control->Bounds();
  const toolkit::Point centre{bounds.left + bounds.width / 2, bounds.top + bounds.height / 2};
  form_->Form().MouseDown(centre, toolkit::MouseButton::kLeft, {});
  form_->Form().MouseUp(centre, toolkit::MouseButton::kLeft, {});
}

std::vector<std::string> ProgramHarness::Trace() const { return Lines(state_.Read("trace.log")); }

void ProgramHarness::ClearTrace() { state_.Write("trace.log", ""); }

std::vector<std::string> ProgramHarness::DebugLines() const { return debug_->Lines(); }

}  // namespace audio77::test
