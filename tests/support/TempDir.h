#pragma once
// A fresh folder for one test, removed with everything in it afterwards.

#include <filesystem>
#include <string>

namespace audio77::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // path / relative, as text.
  std::string File(const std::string& relative) const;
  // Writes bytes to path / relative (parents created) and gives its full path.
  std::string Write(const std::string& relative, const std::string& bytes) const;
  // The whole content of path / relative; empty when missing.
  std::string Read(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// The source tree (for fixtures) and the assembled program folder.
std::filesystem::path SourceDir();
std::filesystem::path FixturePath(const std::string& relative);
std::filesystem::path DistDir();

}  // namespace audio77::test
