// trace.log kept open between lines: whole lines from many writers, and a
// file cleared, deleted or replaced between calls starts over.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "sim/core/TraceLog.h"
#include "support/TempDir.h"

namespace audio77::sim {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(TraceLog, LinesOfManyThreadsAndWritersNeverMix) {
  test::TempDir folder;
  const std::string path = folder.File("trace.log");
  TraceLog shared(path);
  constexpr int kThreads = 4;
  constexpr int kLines = 300;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      TraceLog own(path);  // as another process would have
      for (int i = 0; i < kLines; ++i) {
        const std::string line = "writer " + std::to_string(t) + " line " + std::to_string(i) + " " +
                                 std::string(100, static_cast<char>('a' + t));
        (i % 2 == 0 ? shared : own).Append(line);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  const auto lines = Lines(folder.Read("trace.log"));
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
  std::map<int, int> next;  // each writer's lines arrive whole and in its order
  for (const auto& line : lines) {
    int writer = -1, number = -1;
    ASSERT_EQ(std::sscanf(line.c_str(), "writer %d line %d", &writer, &number), 2) << line;
    ASSERT_GE(writer, 0);
    ASSERT_LT(writer, kThreads);
    EXPECT_EQ(number, next[writer]++);
    EXPECT_EQ(line.substr(line.size() - 100), std::string(100, static_cast<char>('a' + writer))) << line;
  }
}

TEST(TraceLog, AFileClearedDeletedOrReplacedBetweenCallsStartsOver) {
  struct Case {
    const char* name;
    void (*change)(const test::TempDir&);
  };
  const Case cases[] = {
      {"cleared in place", [](const test::TempDir& folder) { folder.Write("trace.log", ""); }},
      {"deleted", [](const test::TempDir& folder) { std::filesystem::remove(folder.File("trace.log")); }},
      {"replaced",
       [](const test::TempDir& folder) {
         folder.Write("fresh.log", "fresh\n");
         std::filesystem::rename(folder.File("fresh.log"), folder.File("trace.log"));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir folder;
    TraceLog trace(folder.File("trace.log"));
    trace.Append("before");
    ASSERT_EQ(folder.Read("trace.log"), "before\n");
    c.change(folder);
    const std::string kept = folder.Read("trace.log");
    // A deleted file is looked for again once the recheck interval passed.
    std::this_thread::sleep_for(TraceLog::kRecheck * 3);
    trace.Append("after");
    EXPECT_EQ(folder.Read("trace.log"), kept + "after\n");
  }
}

TEST(TraceLog, AClearedFileTakesTheNextLineAtOnce) {
  test::TempDir folder;
  TraceLog trace(folder.File("trace.log"));
  for (int round = 0; round < 3; ++round) {
    trace.Append("line " + std::to_string(round));
    EXPECT_EQ(folder.Read("trace.log"), "line " + std::to_string(round) + "\n");
    folder.Write("trace.log", "");
  }
}

}  // namespace
}  // namespace audio77::sim
