#include "settings/FileVersion.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace audio77 {
namespace {

using test::TempDir;

// Appends value in the image's byte order.
void Put(std::string& out, std::uint64_t value, int size, bool big_endian) {
  for (int i = 0; i < size; ++i) {
    const int shift = 8 * (big_endian ? size - 1 - i : i);
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

// A minimal ELF file: header, one note section, one section header.
std::string MakeElf(bool wide, bool big_endian, const std::string& owner, std::uint32_t type,
                    const std::string& desc) {
  std::string note;
  Put(note, owner.size(), 4, big_endian);
  Put(note, desc.size(), 4, big_endian);
  Put(note, type, 4, big_endian);
  note += owner;
  note.resize((note.size() + 3) & ~std::size_t{3}, '\0');
  note += desc;
  note.resize((note.size() + 3) & ~std::size_t{3}, '\0');

  const std::size_t header_size = wide ? 64 : 52;
  const std::size_t note_offset = header_size;
  const std::size_t table_offset = note_offset + note.size();
  const int word = wide ? 8 : 4;
  std::string elf = "\x7F" "ELF";
  elf += static_cast<char>(wide ? 2 : 1);
  elf += static_cast<char>(big_endian ? 2 : 1);
  elf += '\1';
  elf.resize(16, '\0');
  Put(elf, 2, 2, big_endian);   // executable
  Put(elf, 62, 2, big_endian);  // machine
  Put(elf, 1, 4, big_endian);   // version
  Put(elf, 0, word, big_endian);  // entry
  Put(elf, 0, word, big_endian);  // program headers
  Put(elf, table_offset, word, big_endian);
  Put(elf, 0, 4, big_endian);  // flags
  Put(elf, header_size, 2, big_endian);
  Put(elf, 0, 2, big_endian);
  Put(elf, 0, 2, big_endian);
  Put(elf, wide ? 64 : 40, 2, big_endian);
  Put(elf, 1, 2, big_endian);  // one section
  Put(elf, 0, 2, big_endian);
  elf += note;
  Put(elf, 0, 4, big_endian);  // name
  Put(elf, 7, 4, big_endian);  // SHT_NOTE
  Put(elf, 2, word, big_endian);
  Put(elf, 0, word, big_endian);
  Put(elf, note_offset, word, big_endian);
  Put(elf, note.size(), word, big_endian);
  Put(elf, 0, 4, big_endian);
  Put(elf, 0, 4, big_endian);
  Put(elf, 4, word, big_endian);
  Put(elf, 0, word, big_endian);
  return elf;
}

std::string Version(bool big_endian, int a, int b, int c, int d) {
  std::string desc;
  for (const int part : {a, b, c, d}) Put(desc, static_cast<std::uint64_t>(part), 2, big_endian);
  return desc;
}

TEST(FileVersion, ReadsTheVersionNoteOrSaysWhatIsMissing) {
  const std::string owner("Audio77\0", 8);
  struct Case {
    const char* what;
    std::string bytes;
    int result;
    const char* text;
  };
  const Case cases[] = {
      {"64-bit little-endian", MakeElf(true, false, owner, 1, Version(false, 1, 2, 3, 4)), 0, "1.2.3.4"},
      {"32-bit big-endian", MakeElf(false, true, owner, 1, Version(true, 0, 1, 65535, 9)), 0, "0.1.65535.9"},
      {"other owner", MakeElf(true, false, std::string("GNU\0", 4), 1, Version(false, 1, 2, 3, 4)), 1, "untouched"},
      {"empty note", MakeElf(true, false, owner, 1, ""), 4, "untouched"},
      {"short note", MakeElf(true, false, owner, 1, "\1\0\2"), 3, "untouched"},
      {"other type", MakeElf(true, false, owner, 2, Version(false, 1, 2, 3, 4)), 0, "untouched"},
      {"not elf", "#!/bin/sh\necho hi\n", 1, "untouched"},
      {"cut-off elf", MakeElf(true, false, owner, 1, Version(false, 1, 2, 3, 4)).substr(0, 70), 1, "untouched"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string text = "untouched";
    EXPECT_EQ(GetFileVersionText(dir.Write("program", c.bytes), text), c.result);
    EXPECT_EQ(text, c.text);
  }
  std::string text = "untouched";
  EXPECT_EQ(GetFileVersionText(dir.File("missing"), text), kVersionNoResource);
  EXPECT_EQ(GetFileVersionText(dir.path().string(), text), kVersionUnreadable);
}

}  // namespace
}  // namespace audio77
