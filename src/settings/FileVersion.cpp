#include "settings/FileVersion.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "settings/AtomicFile.h"

namespace audio77 {
namespace {

constexpr std::uint32_t kNoteSection = 7;    // SHT_NOTE
constexpr std::uint32_t kVersionType = 1;    // our note's type: four 16-bit numbers
constexpr std::string_view kOwner{"Audio77\0", 8};

// Bounds-checked reads of an ELF image of either class and byte order.
class ElfImage {
 public:
  explicit ElfImage(std::string_view bytes) : bytes_(bytes) {}

  bool Valid() const {
    return bytes_.size() >= 52 && bytes_.substr(0, 4) == "\x7F" "ELF" && (Class() == 1 || Class() == 2) &&
           (bytes_[5] == 1 || bytes_[5] == 2);
  }
  bool Wide() const { return Class() == 2; }

  std::optional<std::uint64_t> Read(std::uint64_t offset, std::size_t size) const {
    if (offset > bytes_.size() || size > bytes_.size() - offset) return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < size; ++i) {
      const std::size_t index = bytes_[5] == 1 ? offset + size - 1 - i : offset + i;
      value = (value << 8) | static_cast<unsigned char>(bytes_[index]);
    }
    return value;
  }
  std::optional<std::uint64_t> Word(std::uint64_t offset) const { return Read(offset, Wide() ? 8 : 4); }
  std::optional<std::string_view> Slice(std::uint64_t offset, std::uint64_t size) const {
    if (offset > bytes_.size() || size > bytes_.size() - offset) return std::nullopt;
    return bytes_.substr(offset, size);
  }

 private:
  int Class() const { return bytes_.size() > 4 ? bytes_[4] : 0; }
  std::string_view bytes_;
};

struct Note {
  std::uint32_t type;
  std::string_view desc;
};

std::uint64_t Align4(std::uint64_t n) { return (n + 3) & ~std::uint64_t{3}; }

std::optional<Note> FindNoteIn(const ElfImage& elf, std::uint64_t offset, std::uint64_t size) {
  const auto area = elf.Slice(offset, size);
  if (!area) return std::nullopt;
  std::uint64_t pos = offset;
  const std::uint64_t end = offset + size;
  while (pos + 12 <= end) {
    const auto name_size = elf.Read(pos, 4), desc_size = elf.Read(pos + 4, 4), type = elf.Read(pos + 8, 4);
    if (!name_size || !desc_size || !type) return std::nullopt;
    const std::uint64_t name_at = pos + 12;
    const std::uint64_t desc_at = name_at + Align4(*name_size);
    if (desc_at > end || *desc_size > end - desc_at) return std::nullopt;
    const auto name = elf.Slice(name_at, *name_size);
    if (name && *name == kOwner) {
      return Note{static_cast<std::uint32_t>(*type), *elf.Slice(desc_at, *desc_size)};
    }
    pos = desc_at + Align4(*desc_size);
  }
  return std::nullopt;
}

std::optional<Note> FindVersionNote(const ElfImage& elf) {
  const bool wide = elf.Wide();
  const auto table = elf.Word(wide ? 0x28 : 0x20);
  const auto entry_size = elf.Read(wide ? 0x3A : 0x2E, 2);
  const auto count = elf.Read(wide ? 0x3C : 0x30, 2);
  if (!table || !entry_size || !count || *entry_size < (wide ? 64u : 40u)) return std::nullopt;
  for (std::uint64_t i = 0; i < *count; ++i) {
    const std::uint64_t header = *table + i * *entry_size;
    const auto type = elf.Read(header + 4, 4);
    const auto offset = elf.Word(header + (wide ? 0x18 : 0x10));
    const auto size = elf.Word(header + (wide ? 0x20 : 0x14));
    if (!type || !offset || !size) return std::nullopt;
    if (*type != kNoteSection) continue;
    if (auto note = FindNoteIn(elf, *offset, *size)) return note;
  }
  return std::nullopt;
}

}  // namespace

int GetFileVersionText(const std::string& path, std::string& text) {
  const auto content = AtomicFile::Read(path);
  if (content.status == AtomicFile::ReadStatus::kMissing) return kVersionNoResource;
  if (content.status == AtomicFile::ReadStatus::kFailed) return kVersionUnreadable;
  const ElfImage elf(content.bytes);
  if (!elf.Valid()) return kVersionNoResource;
  const auto note = FindVersionNote(elf);
  if (!note) return kVersionNoResource;
  if (note->desc.empty()) return kVersionEmptyRoot;
  if (note->desc.size() < 8) return kVersionNoRoot;
  if (note->type != kVersionType) return kVersionDone;
  const ElfImage desc_reader(content.bytes);
  const auto desc_offset = static_cast<std::uint64_t>(note->desc.data() - content.bytes.data());
  unsigned parts[4];
  for (int i = 0; i < 4; ++i) parts[i] = static_cast<unsigned>(*desc_reader.Read(desc_offset + 2 * i, 2));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u", parts[0], parts[1], parts[2], parts[3]);
  text = buffer;
  return kVersionDone;
}

}  // namespace audio77
