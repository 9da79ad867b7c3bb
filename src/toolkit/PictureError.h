#pragma once
// Raised when a picture file is missing or cannot be read; callers report the
// text the way any other file error is reported.

#include <stdexcept>
#include <string>

namespace audio77::toolkit {

class PictureError : public std::runtime_error {
 public:
  PictureError(std::string path, const std::string& message)
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  static PictureError Missing(const std::string& path) {
    return PictureError(path, "Cannot open file \"" + path + "\". No such file or directory.");
  }
  static PictureError Unreadable(const std::string& path) {
    return PictureError(path,
                        "Cannot read picture \"" + path + "\": not a valid PNG or bitmap file.");
  }

 private:
  std::string path_;
};

}  // namespace audio77::toolkit
