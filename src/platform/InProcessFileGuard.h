#pragma once
// The portable file guard: writers that share this object are serialised, and
// a new file is written under its own name (a writer killed on the way leaves
// it behind) and flushed as far as the C library goes. The guard of tests and
// of platforms without a folder lock.

#include <mutex>

#include "platform/FileGuard.h"

namespace audio77 {

class InProcessFileGuard final : public FileGuard {
 public:
  std::unique_ptr<Hold> LockFolder(const std::string& folder) override;
  using FileGuard::CreateComplete;
  bool CreateComplete(const std::string& path, const std::string& bytes, std::optional<unsigned> mode) override;

 private:
  std::mutex mutex_;
};

}  // namespace audio77
