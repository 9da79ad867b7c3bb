#include "platform/FileCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace audio77 {
namespace {

namespace fs = std::filesystem;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// Opening is the only sure test of permission: ownership, modes, ACLs and
// mounts all have their say.
std::optional<std::string> OpenProblem(const std::string& path) {
  errno = 0;
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (file) return std::nullopt;
  return std::strerror(errno != 0 ? errno : EACCES);
}

}  // namespace

std::string FileCheck::CannotRead(const std::string& path, const std::string& reason) {
  return Quoted(path) + " cannot be read: " + reason + ".";
}

std::optional<std::string> FileCheck::Problem(const std::string& path, const Limits& limits) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (error || !fs::exists(status)) {
    return CannotRead(path, error ? error.message() : std::strerror(ENOENT));
  }
  if (fs::is_directory(status)) return Quoted(path) + " is a folder, not a file.";
  if (!fs::is_regular_file(status)) return Quoted(path) + " is not a regular file.";
  if (const auto reason = OpenProblem(path)) return CannotRead(path, *reason);
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return CannotRead(path, error.message());
  if (size == 0 && !limits.empty_allowed) return Quoted(path) + " is empty.";
  if (size > limits.max_bytes) {
    return Quoted(path) + " is too large (" + std::to_string(size) + " bytes, at most " +
           std::to_string(limits.max_bytes) + ").";
  }
  return std::nullopt;
}

}  // namespace audio77
