#pragma once
// Keeps loaded pictures by path, so that a skin that shows the same file on many
// controls, or switches between up and down pictures, reads each file once. An
// entry is reused only while the file keeps its size and modification time, so
// a picture that was replaced on disk is read again.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "toolkit/PictureLoader.h"

namespace audio77::toolkit {

class PictureCache {
 public:
  explicit PictureCache(PictureLoader& loader);

  // Throws PictureError like the loader; a failed load leaves no entry behind.
  PicturePtr Load(const std::string& path);
  void Clear();
  std::size_t Entries() const { return entries_.size(); }
  std::size_t LoadsFromDisk() const { return loads_; }
  void SetLoader(PictureLoader& loader);

 private:
  struct Entry {
    std::uintmax_t file_size = 0;
    std::filesystem::file_time_type modified;
    PicturePtr picture;
  };
  PictureLoader* loader_;
  std::map<std::string, Entry> entries_;
  std::size_t loads_ = 0;
};

}  // namespace audio77::toolkit
