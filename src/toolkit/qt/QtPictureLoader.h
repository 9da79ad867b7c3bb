#pragma once
// Decodes PNG and bitmap files with Qt's image reader.

#include "toolkit/PictureLoader.h"

namespace audio77::toolkit::qt {

class QtPictureLoader final : public PictureLoader {
 public:
  PicturePtr Load(const std::string& path) override;
};

}  // namespace audio77::toolkit::qt
