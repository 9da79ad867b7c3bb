#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

#include "CtlTestRun.h"
#include "support/ProcessRunner.h"
#include "support/TempDir.h"

namespace audio77::ctl {
namespace {

using test::TempDir;

TEST(CtlSettings, IniDumpAndGetShowWhatTheReaderHolds) {
  TempDir dir;
  const std::string path = dir.Write("d.ini", "\xEF\xBB\xBFjunk=1\n[A]\nk = v\n;c=1\nk=2\n[B]\n[A]\nz=9\n");
  const auto dump = RunCommand({"ini", "dump", path});
  EXPECT_EQ(dump.code, kExitOk);
  EXPECT_EQ(dump.out, "result=0 encoding=1\n[A]\nk = v\nk=2\n[B]\n[A]\nz=9\n");

  EXPECT_EQ(RunCommand({"ini", "get", path, "A", "k "}).out, " v\n");
  EXPECT_EQ(RunCommand({"ini", "get", path, "A", "z"}).out, "\n");

  const auto missing = RunCommand({"ini", "dump", dir.File("none.ini")});
  EXPECT_EQ(missing.code, kExitFailure);
  EXPECT_EQ(missing.out, "result=1 encoding=0\n");
  EXPECT_EQ(missing.err.rfind("audio77ctl: ", 0), 0u);
  const auto bad = RunCommand({"ini", "dump", dir.Write("bad.ini", "\xEF\xBB\xBF[A]\n\xF0\x9F\x98\x80\n")});
  EXPECT_EQ(bad.code, kExitFailure);
  EXPECT_EQ(bad.out, "result=5 encoding=1\n");
}

TEST(CtlSettings, ProfileCommandsReadWriteAndDelete) {
  TempDir dir;
  const std::string path = dir.File("p.ini");
  EXPECT_EQ(RunCommand({"profile", "set", path, "Main", "Title", "Audio 77"}).code, kExitOk);
  EXPECT_EQ(RunCommand({"profile", "set", path, "Main", "Other", "x"}).code, kExitOk);
  EXPECT_EQ(RunCommand({"profile", "get", path, "main", "TITLE"}).out, "Audio 77\n");
  EXPECT_EQ(RunCommand({"profile", "get", path, "Main", "none", "fallback"}).out, "fallback\n");
  EXPECT_EQ(RunCommand({"profile", "delete", path, "Main", "Title"}).code, kExitOk);
  EXPECT_EQ(dir.Read("p.ini"), "[Main]\r\nOther=x\r\n");
  EXPECT_EQ(RunCommand({"profile", "delete", path, "Main"}).code, kExitOk);
  EXPECT_EQ(dir.Read("p.ini"), "");

  const auto failed = RunCommand({"profile", "set", dir.File("no/such/p.ini"), "S", "k", "v"});
  EXPECT_EQ(failed.code, kExitFailure);
  EXPECT_EQ(RunCommand({"profile", "set", path, "S"}).code, kExitUsage);
}

TEST(CtlSettings, RegistryCommandsUseTheUserFile) {
  TempDir dir;
  ::setenv("AUDIO77_REGISTRY", dir.File("user.reg").c_str(), 1);
  const auto created = RunCommand({"registry", "get", "QKW 77xx Software\\EncValueMap", "VID_0D8C&PID_0001"});
  EXPECT_EQ(created.code, kExitFailure);
  EXPECT_NE(created.err.find("did not exist"), std::string::npos);
  EXPECT_EQ(RunCommand({"registry", "set", "QKW 77xx Software", "VoiceMagicLevel", "0x0c"}).code, kExitOk);
  EXPECT_EQ(RunCommand({"registry", "get", "qkw 77xx software", "voicemagiclevel"}).out, "12\n");
  EXPECT_EQ(RunCommand({"registry", "set", "QKW 77xx Software", "VoiceMagicLevel", "twelve"}).code, kExitUsage);
  EXPECT_EQ(RunCommand({"registry", "set", "QKW 77xx Software", "Big", "4294967295"}).code, kExitOk);
  EXPECT_EQ(RunCommand({"registry", "get", "QKW 77xx Software", "Big"}).out, "4294967295\n");
  EXPECT_EQ(RunCommand({"registry", "set", "QKW 77xx Software", "Big", "4294967296"}).code, kExitUsage);
  EXPECT_NE(dir.Read("user.reg").find("\"VoiceMagicLevel\"=dword:0000000c"), std::string::npos);
  ::unsetenv("AUDIO77_REGISTRY");
}

TEST(CtlSettings, ConfigShowPrintsRecordAndSwitches) {
  TempDir dir;
  dir.Write("AudioConfig.cfg", "[Install]\nInstallAppTitle=Audio77\n[DefaultSet]\nV7ch1Scalar=15\n[Skin]\nRegionCut=1\n");
  const auto shown = RunCommand({"config", "show", dir.path().string()});
  EXPECT_EQ(shown.code, kExitOk);
  for (const char* line : {"InstallAppTitle = Audio77\n", "V7ch1Scalar = 1.5\n", "Monitor = 1\n", "RegionCut = 1\n",
                           "Enable = error: '' is not a valid integer value\n", "ApplicationDebugLevel = 0\n"}) {
    EXPECT_NE(shown.out.find(line), std::string::npos) << line;
  }
}

TEST(CtlSettings, WritersInSeveralProcessesKeepEachOthersKeys) {
  const auto program = test::DistDir() / "audio77ctl";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "the program folder is not built";
  TempDir dir;
  const std::string path = dir.File("shared.ini");
  constexpr int kProcesses = 4;
  constexpr int kKeysEach = 6;
  std::vector<std::thread> writers;
  for (int p = 0; p < kProcesses; ++p) {
    writers.emplace_back([&, p] {
      for (int k = 0; k < kKeysEach; ++k) {
        test::RunProcess(program.string(), {"profile", "set", path, "P" + std::to_string(p), "k" + std::to_string(k), "v"});
      }
    });
  }
  for (auto& writer : writers) writer.join();
  for (int p = 0; p < kProcesses; ++p) {
    for (int k = 0; k < kKeysEach; ++k) {
      EXPECT_EQ(RunCommand({"profile", "get", path, "P" + std::to_string(p), "k" + std::to_string(k)}).out, "v\n");
    }
  }
}

}  // namespace
}  // namespace audio77::ctl
