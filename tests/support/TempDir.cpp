#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace audio77::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "audio77-test-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& relative) const { return (path_ / relative).string(); }

std::string TempDir::Write(const std::string& relative, const std::string& bytes) const {
  const auto target = path_ / relative;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream stream(target, std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return target.string();
}

std::string TempDir::Read(const std::string& relative) const {
  std::ifstream stream(path_ / relative, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::filesystem::path SourceDir() {
  const char* value = std::getenv("AUDIO77_SOURCE_DIR");
  return value != nullptr ? value : AUDIO77_SOURCE_DIR_BUILT;
}

std::filesystem::path FixturePath(const std::string& relative) {
  return SourceDir() / "tests" / "fixtures" / relative;
}

std::filesystem::path DistDir() {
  const char* value = std::getenv("AUDIO77_DIST_DIR");
  return value != nullptr ? value : AUDIO77_DIST_DIR_BUILT;
}

}  // namespace audio77::test
