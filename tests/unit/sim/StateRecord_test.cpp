// The state folder's record as several processes share it: a change is seen
// by the others as soon as the call returns, a writer killed in the middle
// of a change leaves neither a mixed record nor a held lock, and the part of
// the record that varies in size may grow and shrink.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "SimFixture.h"

namespace audio77::sim {
namespace {

using StateRecord = SimFixture;

void SetRegister(VirtualDevice& device, std::uint16_t address, std::uint8_t value) {
  device.RunEntry("test", false, [=](DeviceState& s, const DeviceSetup&) {
    s.registers[address] = value;
    return 0;
  }, {});
}

// Runs work in a child process with a device object of its own on folder;
// gives how the child ended (waitpid status).
int InChildProcess(const std::string& folder, const std::function<void(VirtualDevice&)>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    {
      VirtualDevice device;
      device.UseStateFolder(folder);
      work(device);
    }
    ::_exit(0);
  }
  int status = -1;
  ::waitpid(child, &status, 0);
  return status;
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
  const int status = InChildProcess(folder_.path().string(), [](VirtualDevice& child) {
    const auto session = child.HidOpen(kVirtualHidPath);
    if (!session) ::_exit(2);
    const std::vector<std::uint8_t> set_address{0, 0x60, 0x8A, 0x01, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<std::uint8_t> write_data{0, 0x60, 0x5A, 0x01, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (!child.HidOutput(*session, set_address) || !child.HidOutput(*session, write_data)) ::_exit(3);
  });
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(device().Snapshot().registers[0x018A], 0x5A);
  EXPECT_EQ(other.Snapshot().registers[0x018A], 0x5A);
  EXPECT_EQ(device().Snapshot().registers[0x301], 0x34);
}

TEST_F(StateRecord, AWriterKilledInTheMiddleOfAChangeLeavesTheDeviceToStartFromDeviceIni) {
  Restart("[Registers]\n0x0200=0x04\n");
  SetRegister(device(), 0x200, 0x99);
  ASSERT_TRUE(device().SetFault("hid.out", "3"));
  const int status = InChildProcess(folder_.path().string(), [](VirtualDevice& child) {
    child.RunEntry("test", false, [](DeviceState& s, const DeviceSetup&) {
      s.registers[0x200] = 0x77;
      ::kill(::getpid(), SIGKILL);  // with the record's lock held
      return 0;
    }, {});
  });
  ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << status;
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
