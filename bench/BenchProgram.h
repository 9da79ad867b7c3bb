#pragma once
// The whole program started on the virtual device in folders of its own, for
// the benchmarks that run the main window's chains.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

#include "app/AudioMainForm.h"
#include "platform/ManualClock.h"
#include "sim/platform/VirtualPlatform.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"

namespace audio77::bench {

namespace fs = std::filesystem;

// The whole program started on the virtual device in folders of its own.
class Program {
 public:
  Program() {
    std::random_device seed;
    root_ = fs::temp_directory_path() / ("audio77-bench-" + std::to_string(seed()));
    const fs::path dist = AUDIO77_BENCH_DIST_DIR;
    fs::create_directories(root_ / "program");
    state_ = StateRoot() / ("audio77-bench-state-" + std::to_string(seed()));
    fs::create_directories(state_);
    fs::create_directories(root_ / "home" / ".config" / "Audio77");
    fs::copy_file(dist / "AudioConfig.cfg", root_ / "program" / "AudioConfig.cfg");
    // The virtual platform binds the library kept apart in "virtual/".
    fs::create_directories(root_ / "program" / "virtual");
    fs::copy_file(dist / "virtual" / "libDLLQK_UsbAudio77xx.so", root_ / "program" / "virtual" / "libDLLQK_UsbAudio77xx.so");
    fs::copy(dist / "user", root_ / "program" / "user", fs::copy_options::recursive);
    // The bundled skins, as installed: the pages are shown with their pictures.
    for (const char* folder : {"Skins", "Languages"}) {
      if (fs::exists(dist / folder)) fs::create_directory_symlink(dist / folder, root_ / "program" / folder);
    }
    sim::VirtualPlatformOptions options;
    options.state_folder = state_.string();
    options.program_path = (root_ / "program" / "audio77").string();
    options.home = (root_ / "home").string();
    auto clock = std::make_unique<ManualClock>();
    clock_ = clock.get();
    options.clock = std::move(clock);
    host_ = sim::CreateVirtualPlatform(std::move(options));
    loop_ = std::make_unique<toolkit::EventLoop>(*clock_);
    app_ = std::make_unique<toolkit::Application>(*loop_);
    form_ = std::make_unique<TAudioMainForm>(host_->Get(), *app_);
    form_->Create();
    form_->FormCreate();
    if (!form_->Session().RegisterSync()) throw std::runtime_error("the virtual device did not become active");
  }
  ~Program() {
    form_.reset();
    app_.reset();
    std::error_code ignored;
    fs::remove_all(root_, ignored);
    fs::remove_all(state_, ignored);
  }
  TAudioMainForm& Form() { return *form_; }
  Platform& Services() { return host_->Get(); }
  toolkit::EventLoop& Loop() { return *loop_; }

 private:
  fs::path root_;
  fs::path state_;

  // The device keeps its state and trace in the user's runtime folder, a
  // memory file system on a desktop; /dev/shm stands in for it where none is
  // set. AUDIO77_BENCH_STATE_DIR picks another place (a disk, to compare).
  static fs::path StateRoot() {
    for (const char* name : {"AUDIO77_BENCH_STATE_DIR", "XDG_RUNTIME_DIR"}) {
      if (const char* set = std::getenv(name); set != nullptr && *set != '\0') return set;
    }
    std::error_code error;
    if (fs::is_directory("/dev/shm", error)) return "/dev/shm";
    return fs::temp_directory_path();
  }
  ManualClock* clock_ = nullptr;
  std::unique_ptr<PlatformHost> host_;
  std::unique_ptr<toolkit::EventLoop> loop_;
  std::unique_ptr<toolkit::Application> app_;
  std::unique_ptr<TAudioMainForm> form_;
};

}  // namespace audio77::bench
