#pragma once
// Reads PNG and bitmap files into pictures.

#include <string>

#include "toolkit/Picture.h"

namespace audio77::toolkit {

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // Throws PictureError when the file is missing or is no readable picture.
  virtual PicturePtr Load(const std::string& path) = 0;
};

}  // namespace audio77::toolkit
