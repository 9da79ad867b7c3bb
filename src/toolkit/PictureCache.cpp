#include "toolkit/PictureCache.h"

#include <system_error>

#include "platform/FileCheck.h"
#include "toolkit/PictureError.h"

namespace audio77::toolkit {
namespace {

// No picture of a skin comes near this; a larger file is refused unread.
constexpr std::uintmax_t kMaxPictureBytes = 64u * 1024 * 1024;

}  // namespace

PictureCache::PictureCache(PictureLoader& loader) : loader_(&loader) {}

void PictureCache::SetLoader(PictureLoader& loader) {
  loader_ = &loader;
  Clear();
}

PicturePtr PictureCache::Load(const std::string& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) {
    entries_.erase(path);
    if (!std::filesystem::exists(path, error)) throw PictureError::Missing(path);
  }
  // A folder, a file closed to us or an oversized one says so, not "no picture".
  if (const auto problem = FileCheck::Problem(path, {kMaxPictureBytes, false})) {
    entries_.erase(path);
    throw PictureError(path, "Cannot read picture: " + *problem);
  }
  const auto modified = std::filesystem::last_write_time(path, error);
  auto found = entries_.find(path);
  if (found != entries_.end() && found->second.file_size == size &&
      found->second.modified == modified) {
    return found->second.picture;
  }
  if (found != entries_.end()) entries_.erase(found);
  PicturePtr picture = loader_->Load(path);
  ++loads_;
  entries_[path] = Entry{size, modified, picture};
  return picture;
}

void PictureCache::Clear() { entries_.clear(); }

}  // namespace audio77::toolkit
