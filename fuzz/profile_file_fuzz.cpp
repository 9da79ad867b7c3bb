// Any bytes as a profile file: every key of the profile is read with its
// read-back kind (a conversion error is an answer, a crash or a hang is not);
// then a complete profile is written into the same file, which must give back
// every value written while the file's other bytes stay readable.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/InProcessFileGuard.h"
#include "settings/EConvertError.h"
#include "settings/ProfileFileReader.h"
#include "settings/ProfileFileWriter.h"
#include "settings/ProfileKeys.h"

namespace {

using namespace audio77;

const std::string& Folder() {
  static const std::string folder = [] {
    const auto path = std::filesystem::temp_directory_path() / ("profile_file_fuzz." + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path.string();
  }();
  return folder;
}

void ReadEveryKey(PrivateProfile& profiles, const std::string& path) {
  ProfileFileReader reader(profiles, path);
  for (const ProfileKey& key : ProfileKeys()) {
    const std::string section(key.section);
    const std::string name(key.key);
    try {
      switch (key.read_back) {
        case ProfileReadBack::kStrict: reader.Strict(section, name); break;
        case ProfileReadBack::kZeroWhenEmpty: reader.ZeroWhenEmpty(section, name); break;
        case ProfileReadBack::kWhenPresent: reader.WhenPresent(section, name); break;
        case ProfileReadBack::kNotRead: reader.Text(section, name); break;
      }
    } catch (const EConvertError&) {
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static InProcessFileGuard guard;
  static PrivateProfile profiles(guard);
  const std::string path = Folder() + "/p.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                 static_cast<std::streamsize>(size));
  ReadEveryKey(profiles, path);

  ProfileFileWriter writer(profiles, path);
  int salt = static_cast<int>(size);
  for (const ProfileKey& key : ProfileKeys()) writer.WriteInt(std::string(key.section), std::string(key.key), salt++);
  if (writer.Commit()) std::abort();  // a regular file in a writable folder always takes a profile
  ProfileFileReader reader(profiles, path);
  salt = static_cast<int>(size);
  for (const ProfileKey& key : ProfileKeys()) {
    if (reader.Strict(std::string(key.section), std::string(key.key)) != salt++) std::abort();
  }
  return 0;
}
