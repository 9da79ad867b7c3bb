#pragma once
// A picture loader for headless use: it checks that a file is a PNG or a
// bitmap and reads its size from the header, without decoding pixels. Logic
// only needs the sizes; the Qt presentation installs a decoding loader.

#include "toolkit/PictureLoader.h"

namespace audio77::toolkit {

class HeaderPictureLoader final : public PictureLoader {
 public:
  PicturePtr Load(const std::string& path) override;
};

}  // namespace audio77::toolkit
