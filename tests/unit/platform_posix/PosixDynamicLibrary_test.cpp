// The dlopen loader: which copy of a library it loads, what it reports when a
// copy does not load, and which symbols count as the library's exports.
#include "platform/posix/PosixDynamicLibrary.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/TempDir.h"

namespace audio77 {
namespace {

const std::string kLibraries = AUDIO77_LOADER_TEST_LIBRARIES;

// A library that needs another one: dlsym on its handle also finds the other
// library's symbols and the C library's, which are not its exports.
TEST(PosixDynamicLibrary, OnlyTheLibrarysOwnDefinitionsBind) {
  PosixDynamicLibrary loader("");
  LoadFailure failure;
  const auto borrower = loader.Load(kLibraries + "/libaudio77_loader_borrower.so", failure);
  ASSERT_NE(borrower, nullptr) << failure.text;
  struct Case {
    const char* name;
    bool binds;
  };
  const Case cases[] = {
      {"loader_probe_own", true},
      {"loader_probe_shared", false},  // defined by the library it needs
      {"malloc", false},               // the C library's
      {"loader_probe_nowhere", false},
  };
  for (const auto& c : cases) EXPECT_EQ(borrower->Symbol(c.name) != nullptr, c.binds) << c.name;
  using Probe = int (*)();
  EXPECT_EQ(reinterpret_cast<Probe>(borrower->Symbol("loader_probe_own"))(), 2);

  // The library that defines it does bind it.
  const auto exporter = loader.Load(kLibraries + "/libaudio77_loader_exporter.so", failure);
  ASSERT_NE(exporter, nullptr) << failure.text;
  EXPECT_NE(exporter->Symbol("loader_probe_shared"), nullptr);
}

TEST(PosixDynamicLibrary, ProgramFolderCopyIsTheLibraryEvenWhenItDoesNotLoad) {
  struct Case {
    const char* name;
    const char* file;
    bool broken_copy;   // a file that is not a library in the program folder
    bool loads;
    const char* reason;  // part of the failure text
  };
  // libm exists on every system; a broken copy of it must not be passed over
  // for the system's, and its failure is not "not found".
  const Case cases[] = {
      {"broken copy in the program folder", "libm.so.6", true, false, "program/libm.so.6"},
      {"no copy: the system's search", "libm.so.6", false, true, ""},
      {"nowhere", "libaudio77-nowhere.so", false, false, "No such file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir folder;
    folder.Write("program/placeholder", "");
    if (c.broken_copy) folder.Write(std::string("program/") + c.file, std::string(200, 'x'));
    PosixDynamicLibrary loader(folder.path().string() + "/program/");
    LoadFailure failure;
    const auto module = loader.Load(c.file, failure);
    EXPECT_EQ(module != nullptr, c.loads) << failure.text;
    if (c.loads) continue;
    EXPECT_NE(failure.code, 0);
    EXPECT_NE(failure.text.find(c.reason), std::string::npos) << failure.text;
    if (c.broken_copy) {
      EXPECT_EQ(failure.text.find("No such file"), std::string::npos) << failure.text;
    }
  }
}

// The virtual device's loader: its own folder's copy or nothing, even where
// the system would find a library of that name.
TEST(PosixDynamicLibrary, AFolderOnlyLoaderNeverFallsBackToTheSystemsSearch) {
  test::TempDir folder;
  folder.Write("virtual/placeholder", "");
  PosixDynamicLibrary loader(folder.path().string() + "/virtual/", PosixDynamicLibrary::Search::kFolderOnly);
  LoadFailure failure;
  EXPECT_EQ(loader.Load("libm.so.6", failure), nullptr);
  EXPECT_EQ(failure.code, ENOENT);
  EXPECT_EQ(failure.text, folder.path().string() + "/virtual/libm.so.6: No such file or directory");
  // A name with a folder is still loaded from there.
  EXPECT_NE(loader.Load(kLibraries + "/libaudio77_loader_exporter.so", failure), nullptr) << failure.text;
}

}  // namespace
}  // namespace audio77
