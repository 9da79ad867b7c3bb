#pragma once
// Raised when a picture file is missing, cannot be read, is no picture or is
// larger than the decoder holds; callers report the text the way any other
// file error is reported.

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
  // A picture whose header asks for more than the decoder will hold.
  static PictureError TooLarge(const std::string& path, int width, int height, const std::string& limit) {
    return PictureError(path, "Cannot read picture \"" + path + "\": it is too large (" + std::to_string(width) +
                                  " x " + std::to_string(height) + " pixels, at most " + limit + ").");
  }

 private:
  std::string path_;
};

}  // namespace audio77::toolkit
