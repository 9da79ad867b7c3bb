#pragma once
// What keeps settings files whole when several writers meet: a lock that
// serialises the writers of the files of one folder (across processes where
// the platform can do it), and the creation of a new file that appears under
// its name only complete and, where the platform can, on the storage device.
// The program owns one guard and hands it to every settings writer.

#include <memory>
#include <optional>
#include <string>

namespace audio77 {

class FileGuard {
 public:
  // Held while a writer works; releasing it lets the next writer in.
  class Hold {
   public:
    virtual ~Hold() = default;
  };

  virtual ~FileGuard() = default;
  // Null when the lock cannot be taken at all.
  virtual std::unique_ptr<Hold> LockFolder(const std::string& folder) = 0;
  // Creates the file path holding bytes; false when it exists already or
  // cannot be written, and then nothing is left under that name. Where the
  // platform has anonymous files the bytes are written before the file gets
  // its name, so a writer killed on the way leaves nothing behind; elsewhere
  // the caller clears what a killed writer left.
  // mode: the permission bits the file takes before it gets its name (a
  // replacement keeps the mode of the file it replaces, and nothing is left
  // to do between naming it and renaming it); none: the default of new files.
  virtual bool CreateComplete(const std::string& path, const std::string& bytes, std::optional<unsigned> mode) = 0;
  bool CreateComplete(const std::string& path, const std::string& bytes) {
    return CreateComplete(path, bytes, std::nullopt);
  }
};

}  // namespace audio77
