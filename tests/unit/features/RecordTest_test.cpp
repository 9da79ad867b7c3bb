// The record test: records 16-bit mono, plays back each second only what came
// in since the last second, keeps its file private, and starts and stops in
// any order.
#include "features/RecordTest.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FakeSound.h"
#include "platform/ManualClock.h"
#include "platform/RecordingDebugOutput.h"
#include "support/TempDir.h"
#include "toolkit/ManualLoopDriver.h"

namespace audio77::test {
namespace {

namespace fs = std::filesystem;

class RecordTestTest : public ::testing::Test {
 protected:
  void Deliver(std::uint8_t byte, std::size_t count) {
    wave_in.captures.back()->on_buffer(std::vector<std::uint8_t>(count, byte));
  }

  TempDir temp;
  const std::string folder = temp.File("runtime/audio77");
  FakeWaveIn wave_in;
  FakeWaveOut wave_out;
  ManualClock clock;
  toolkit::EventLoop loop{clock};
  toolkit::ManualLoopDriver driver{loop, clock};
  RecordingDebugOutput debug;
  RecordTest test{wave_in, wave_out, loop, folder, debug};
};

TEST_F(RecordTestTest, EachSecondPlaysWhatCameInSinceTheLastAfterClosingThePreviousOutput) {
  test.Start();
  ASSERT_EQ(wave_in.captures.size(), 1u);
  EXPECT_EQ(wave_in.captures[0]->format, (WaveFormat{SampleFormat::kS16LE, 8000, 1}));
  Deliver(1, 1600);
  Deliver(2, 1600);
  driver.Advance(999);
  EXPECT_TRUE(wave_out.played.empty());
  driver.Advance(1);
  ASSERT_EQ(wave_out.played.size(), 1u);
  EXPECT_EQ(wave_out.played[0]->bytes.size(), 3200u);
  EXPECT_EQ(wave_out.played[0]->format, RecordTest::kFormat);

  driver.Advance(1000);  // nothing new: nothing played, the last output closed
  EXPECT_EQ(wave_out.played.size(), 1u);
  EXPECT_FALSE(wave_out.played[0]->open);
  Deliver(3, 1600);
  driver.Advance(1000);
  ASSERT_EQ(wave_out.played.size(), 2u);
  EXPECT_EQ(wave_out.played[1]->bytes, std::vector<std::uint8_t>(1600, 3));
  EXPECT_EQ(wave_out.open_at_start, (std::vector<int>{0, 0}));

  test.Stop();
  EXPECT_EQ(wave_in.OpenCount(), 0);
  EXPECT_FALSE(wave_out.played[1]->open);
  driver.Advance(3000);
  EXPECT_EQ(wave_out.played.size(), 2u);
}

TEST_F(RecordTestTest, TheFileIsPrivateWhileRunningAndGoneAfterTheStop) {
  test.Stop();  // a stop without a start, as every arrival sends
  EXPECT_FALSE(fs::exists(folder));
  test.Start();
  test.Start();
  EXPECT_EQ(wave_in.captures.size(), 1u);
  ASSERT_TRUE(fs::exists(test.FilePath()));
  EXPECT_EQ(fs::path(test.FilePath()).parent_path(), fs::path(folder));
  struct stat info {};
  ASSERT_EQ(stat(folder.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  test.Stop();
  EXPECT_FALSE(fs::exists(test.FilePath()));
  EXPECT_FALSE(fs::exists(fs::current_path() / RecordTest::kFileName));
}

TEST_F(RecordTestTest, AFileOrLinkLeftInTheFolderIsReplacedNotFollowed) {
  fs::create_directories(folder);
  const std::string victim = temp.Write("victim.txt", "keep me");
  fs::create_symlink(victim, test.FilePath());
  test.Start();
  Deliver(9, 1600);
  loop.DispatchQueued();
  test.Stop();
  EXPECT_EQ(temp.Read("victim.txt"), "keep me");
  EXPECT_FALSE(fs::exists(fs::symlink_status(test.FilePath())));
}

TEST_F(RecordTestTest, RecordsAtMostOneMebibyteAndStopsDroppingLateBuffers) {
  test.Start();
  for (int i = 0; i < 700; ++i) Deliver(1, 1600);  // 1 120 000 bytes
  loop.DispatchQueued();
  EXPECT_EQ(test.Recording().Recorded().size(), RecordTestBuffer::kCapacity);
  EXPECT_TRUE(test.Recording().Full());
  Deliver(1, 1600);  // on its way when the test stops
  test.Stop();
  test.Start();
  loop.DispatchQueued();
  EXPECT_TRUE(test.Recording().Recorded().empty());
  test.Stop();
}

TEST_F(RecordTestTest, WithoutInputOrOutputTheTestRunsSilently) {
  FakeWaveIn broken;
  broken.fail = true;
  RecordTest silent(broken, wave_out, loop, folder, debug);
  silent.Start();
  EXPECT_TRUE(silent.Running());
  driver.Advance(2000);
  EXPECT_TRUE(wave_out.played.empty());
  silent.Stop();
  EXPECT_FALSE(silent.Running());
}

TEST_F(RecordTestTest, AFolderThatCannotBeMadeLeavesNoFileAndSaysSo) {
  const std::string blocked = temp.Write("blocked", "a file where the folder should be");
  RecordTest test_in_file(wave_in, wave_out, loop, blocked + "/audio77", debug);
  test_in_file.Start();
  EXPECT_NE(debug.Text().find("==> record test: cannot create"), std::string::npos);
  test_in_file.Stop();
}

}  // namespace
}  // namespace audio77::test
