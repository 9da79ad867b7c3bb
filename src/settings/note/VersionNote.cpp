// The program's version as an ELF note, the Linux counterpart of a version
// resource: owner "Audio77", type 1, four 16-bit numbers (major, minor,
// patch, build). GetFileVersionText reads it back from the file.
#include <cstdint>

#ifndef AUDIO77_VERSION_MAJOR
#define AUDIO77_VERSION_MAJOR 0
#define AUDIO77_VERSION_MINOR 0
#define AUDIO77_VERSION_PATCH 0
#define AUDIO77_VERSION_BUILD 0
#endif

namespace {

struct VersionNote {
  std::uint32_t name_size;
  std::uint32_t desc_size;
  std::uint32_t type;
  char name[8];
  std::uint16_t version[4];
};

[[gnu::used, gnu::section(".note.audio77.version"), gnu::aligned(4)]] const VersionNote kVersionNote = {
    8, 8, 1, "Audio77",
    {AUDIO77_VERSION_MAJOR, AUDIO77_VERSION_MINOR, AUDIO77_VERSION_PATCH, AUDIO77_VERSION_BUILD}};

}  // namespace
