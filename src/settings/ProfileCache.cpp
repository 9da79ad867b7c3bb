#include "settings/ProfileCache.h"

namespace audio77 {

std::shared_ptr<const ProfileDocument> ProfileCache::Load(const std::string& path) {
  return Load(path, AtomicFile::Read(path));
}

std::shared_ptr<const ProfileDocument> ProfileCache::Load(const std::string& path, AtomicFile::Content content) {
  if (content.status != AtomicFile::ReadStatus::kRead) return nullptr;
  if (auto document = Find(path, content.bytes)) return document;
  auto document = std::make_shared<const ProfileDocument>(ProfileDocument::Parse(content.bytes));
  Store({path, std::move(content.bytes), document});
  return document;
}

std::shared_ptr<const ProfileDocument> ProfileCache::Find(const std::string& path, const std::string& bytes) {
  const std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& entry : entries_) {
    if (entry.path == path && entry.bytes == bytes) return entry.document;
  }
  return nullptr;
}

void ProfileCache::Store(Entry entry) {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::erase_if(entries_, [&](const Entry& old) { return old.path == entry.path; });
  if (entries_.size() == kEntries) entries_.erase(entries_.begin());
  entries_.push_back(std::move(entry));
}

}  // namespace audio77
