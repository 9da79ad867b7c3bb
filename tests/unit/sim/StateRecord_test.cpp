// The state folder's record as several processes share it: a change is seen
// by the others as soon as the call returns, a writer killed in the middle
// of a change leaves neither a mixed record nor a held lock, and the part of
// the record that varies in size may grow and shrink.
#include <filesystem>
#include <functional>

#include "SimFixture.h"
#include "support/ProcessRunner.h"

namespace audio77::sim {
namespace {

using StateRecord = SimFixture;

void SetRegister(VirtualDevice& device, std::uint16_t address, std::uint8_t value) {
  device.RunEntry("test", false, [=](DeviceState& s, const DeviceSetup&) {
    s.registers[address] = value;
    return 0;
  }, {});
}

// Runs the helper program on folder in a process of its own; its exit code,
// -1 when it did not end normally.
int InChildProcess(const std::string& mode, const std::string& folder) {
  return test::RunProcess(AUDIO77_STATE_RECORD_CHILD, {mode, folder}).exit_code;
}

TEST_F(StateRecord, EveryWriteIsSeenByTheOtherObjectsAndProcessesAtOnce) {
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  // Back and forth, so each side reads a record the other changed last.
  for (std::uint8_t value : {0x11, 0x22, 0x33}) {
    SCOPED_TRACE(value);
    SetRegister(device(), 0x300, value);
    EXPECT_EQ(other.Snapshot().registers[0x300], value);
    SetRegister(other, 0x301, static_cast<std::uint8_t>(value + 1));
    EXPECT_EQ(device().Snapshot().registers[0x301], value + 1);
  }
  // Through the HID exchange, as the program writes, in another process.
  ASSERT_EQ(InChildProcess("hid-write", folder_.path().string()), 0);
  EXPECT_EQ(device().Snapshot().registers[0x018A], 0x5A);
  EXPECT_EQ(other.Snapshot().registers[0x018A], 0x5A);
  EXPECT_EQ(device().Snapshot().registers[0x301], 0x34);
}

TEST_F(StateRecord, AWriterKilledInTheMiddleOfAChangeLeavesTheDeviceToStartFromDeviceIni) {
  Restart("[Registers]\n0x0200=0x04\n");
  SetRegister(device(), 0x200, 0x99);
  ASSERT_TRUE(device().SetFault("hid.out", "3"));
  // Killed with the record's lock held.
  ASSERT_EQ(InChildProcess("killed-writer", folder_.path().string()), -1);
  // Neither the half-made change nor the state before it: device.ini again,
  // and the dead holder's lock does not stop anyone.
  const auto state = device().Snapshot();
  EXPECT_EQ(state.registers[0x200], 0x04);
  EXPECT_EQ(device().Faults().hid_out, 0);
  SetRegister(device(), 0x200, 0x42);
  VirtualDevice later;
  later.UseStateFolder(folder_.path().string());
  EXPECT_EQ(later.Snapshot().registers[0x200], 0x42);
}

TEST_F(StateRecord, AFileCutShortOrReplacedByAnotherProcessStartsTheDeviceAgainFromDeviceIni) {
  Restart("[Registers]\n0x0200=0x04\n");
  const std::string record = folder_.File("state");
  const auto full = std::filesystem::file_size(record);
  struct Case {
    const char* what;
    std::function<void()> damage;
  };
  const Case cases[] = {
      {"emptied", [&] { std::filesystem::resize_file(record, 0); }},
      {"cut inside the header", [&] { std::filesystem::resize_file(record, 100); }},
      {"cut inside the live state", [&] { std::filesystem::resize_file(record, 4096 + 10); }},
      {"cut by one byte", [&] { std::filesystem::resize_file(record, full - 1); }},
      {"deleted", [&] { std::filesystem::remove(record); }},
      {"replaced by a stranger's file", [&] {
         std::filesystem::remove(record);
         folder_.Write("state", "not a record");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetRegister(device(), 0x200, 0x99);
    c.damage();
    // Any call that reaches the record: it must neither fault nor read the
    // cut record as whole.
    EXPECT_EQ(device().Snapshot().registers[0x200], 0x04);
    EXPECT_TRUE(device().Present());
    SetRegister(device(), 0x200, 0x42);
    VirtualDevice other;
    other.UseStateFolder(folder_.path().string());
    EXPECT_EQ(other.Snapshot().registers[0x200], 0x42) << "the record is shared again";
  }
}

TEST_F(StateRecord, TheVariablePartGrowsAndShrinksWithoutDisturbingTheRest) {
  VirtualDevice other;
  other.UseStateFolder(folder_.path().string());
  SetRegister(device(), 0x1234, 0xAB);
  // A fault on every entry: several pages of names.
  std::vector<std::string> names;
#define AUDIO77_TEST_ENTRY_NAME(entry) names.push_back(#entry);
  DLLQK_ENTRY_LIST(AUDIO77_TEST_ENTRY_NAME)
#undef AUDIO77_TEST_ENTRY_NAME
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_TRUE(other.SetFault(names[i], std::to_string(i + 1)));
  }
  const auto faults = device().Faults().entries;
  ASSERT_EQ(faults.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(faults.at(names[i]), static_cast<int>(i + 1));
  EXPECT_EQ(device().Snapshot().registers[0x1234], 0xAB);

  // A long setup message, read by a process started afterwards.
  const std::string long_value(20000, 'x');
  Restart("[Device]\nVendorID=" + long_value + "\n");
  const std::string message = device().SetupMessage();
  ASSERT_NE(message.find(long_value), std::string::npos);
  VirtualDevice later;
  later.UseStateFolder(folder_.path().string());
  EXPECT_EQ(later.SetupMessage(), message);
  EXPECT_TRUE(later.Faults().entries.empty());

  // Back to a short record: the old bytes past its end are not read.
  Restart("[Registers]\n0x0010=0x01\n");
  EXPECT_EQ(other.SetupMessage(), "");
  EXPECT_EQ(later.Snapshot().registers[0x0010], 0x01);
  EXPECT_EQ(later.Snapshot().registers[0x1234], 0x00);
}

}  // namespace
}  // namespace audio77::sim
