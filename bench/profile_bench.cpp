// A complete profile written and applied: every key of the profile's table
// through the profile file writer and reader alone, then the whole window on
// the virtual device saving and applying a profile through its features, as
// the save at exit and the apply at start-up do. The goal is at most 5 ms each.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "BenchProgram.h"
#include "platform/InProcessFileGuard.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"
#include "settings/ProfileKeys.h"

namespace {

using namespace audio77;
namespace fs = std::filesystem;

class Folder {
 public:
  Folder() : path_(fs::temp_directory_path() / ("audio77-profile-bench-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  std::string File(const char* name) const { return (path_ / name).string(); }

 private:
  fs::path path_;
};

void WriteComplete(PrivateProfile& profiles, const std::string& path, int salt) {
  ProfileFileWriter writer(profiles, path);
  for (const ProfileKey& key : ProfileKeys()) writer.WriteInt(std::string(key.section), std::string(key.key), salt);
  if (writer.Commit()) throw std::runtime_error("the profile was not written");
}

void BM_ProfileFileWrite(benchmark::State& state) {
  Folder folder;
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const std::string path = folder.File("LastProfile.ini");
  int salt = 0;
  for (auto _ : state) WriteComplete(profiles, path, ++salt);  // every value changes: a real replacement
}
BENCHMARK(BM_ProfileFileWrite)->Unit(benchmark::kMicrosecond);

void BM_ProfileFileApply(benchmark::State& state) {
  Folder folder;
  InProcessFileGuard guard;
  PrivateProfile profiles(guard);
  const std::string path = folder.File("LastProfile.ini");
  WriteComplete(profiles, path, 1);
  for (auto _ : state) {
    ProfileFileReader reader(profiles, path);
    for (const ProfileKey& key : ProfileKeys()) {
      benchmark::DoNotOptimize(reader.Strict(std::string(key.section), std::string(key.key)));
    }
  }
}
BENCHMARK(BM_ProfileFileApply)->Unit(benchmark::kMicrosecond);

// The window writes every feature's keys (no device traffic while it does).
void BM_WindowProfileWrite(benchmark::State& state) {
  bench::Program program;
  Folder folder;
  const std::string path = folder.File("AudioSetting.ini");
  ProfileKeeper& profiles = program.Form().Profiles();
  for (auto _ : state) {
    if (profiles.WriteProfile(path) != ProfileKeeper::kDone) throw std::runtime_error(profiles.LastProblem());
  }
}
BENCHMARK(BM_WindowProfileWrite)->Unit(benchmark::kMicrosecond);

// The window applies a complete profile: every feature's keys, and what they
// send to the device (preset registers, switches, the environment).
void BM_WindowProfileApply(benchmark::State& state) {
  bench::Program program;
  Folder folder;
  const std::string path = folder.File("AudioSetting.ini");
  ProfileKeeper& profiles = program.Form().Profiles();
  profiles.WriteProfile(path);
  for (auto _ : state) profiles.ApplyProfile(path);
}
BENCHMARK(BM_WindowProfileApply)->Unit(benchmark::kMicrosecond);

}  // namespace
