#pragma once
// Parsed private-profile files, kept while their bytes stay the same: readers
// ask for one key at a time, often hundreds from one file, so each file is
// read on every call (cheap) but parsed only when its content changed. Owned
// by the PrivateProfile that reads through it.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "settings/AtomicFile.h"
#include "settings/ProfileDocument.h"

namespace audio77 {

class ProfileCache {
 public:
  // Null when the file is missing or cannot be read.
  std::shared_ptr<const ProfileDocument> Load(const std::string& path);
  // The same for content the caller has just read from path.
  std::shared_ptr<const ProfileDocument> Load(const std::string& path, AtomicFile::Content content);

 private:
  struct Entry {
    std::string path;
    std::string bytes;
    std::shared_ptr<const ProfileDocument> document;
  };
  static constexpr std::size_t kEntries = 8;

  std::shared_ptr<const ProfileDocument> Find(const std::string& path, const std::string& bytes);
  void Store(Entry entry);

  std::mutex mutex_;
  std::vector<Entry> entries_;  // most recent last
};

}  // namespace audio77
