#include "platform/linux/HidrawBackend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>

#include "support/TempDir.h"

namespace audio77 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Nodes that open by path, with scripted answers to the system calls.
class ScriptedHidrawIo final : public HidrawDeviceIo {
 public:
  std::map<std::string, int> openable;  // path to descriptor
  bool raw_info = true;
  bool descriptor_ioctl = false;
  int output_error = 0;
  bool write_works = true;
  std::vector<int> closed;
  std::vector<std::string> calls;

  int Open(const std::string& path) override {
    const auto found = openable.find(path);
    return found == openable.end() ? -1 : found->second;
  }
  void Close(int fd) override { closed.push_back(fd); }
  bool RawInfo(int fd, std::uint16_t& vendor_id, std::uint16_t& product_id) override {
    if (!raw_info) return false;
    vendor_id = 0x1000 + static_cast<std::uint16_t>(fd);
    product_id = 0x2000;
    return true;
  }
  std::optional<Bytes> ReportDescriptor(int) override {
    if (!descriptor_ioctl) return std::nullopt;
    return Bytes{0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0x91, 0x02};
  }
  int SetOutputReport(int, std::span<const std::uint8_t> report) override {
    calls.push_back("ioctl " + std::to_string(report.size()));
    return output_error;
  }
  bool WriteReport(int, std::span<const std::uint8_t> report) override {
    calls.push_back("write " + std::to_string(report.size()));
    return write_works;
  }
  int GetInputReport(int, std::span<std::uint8_t> report) override {
    report[2] = 0x42;
    return 0;
  }
  int ReadReport(int, std::span<std::uint8_t>, int) override { return -1; }
};

class HidrawBackendTest : public ::testing::Test {
 protected:
  std::string class_dir_ = test::FixturePath("hid/sysfs_hidraw").string();
  ScriptedHidrawIo io_;
  HidrawBackend backend_{io_, class_dir_, "/dev"};
};

TEST_F(HidrawBackendTest, ListsNodesInNumberOrder) {
  EXPECT_EQ(backend_.ListInterfaces(), (std::vector<std::string>{"/dev/hidraw0", "/dev/hidraw2", "/dev/hidraw10"}));
  EXPECT_FALSE(HidrawBackend(io_, "/nonexistent/hidraw", "/dev").ListInterfaces());
}

TEST_F(HidrawBackendTest, OpensOnlyHidrawNodesAndClosesThem) {
  io_.openable = {{"/dev/hidraw2", 7}, {"/dev/other", 8}};
  EXPECT_EQ(backend_.Open("/dev/hidraw0"), nullptr);
  EXPECT_EQ(backend_.Open("/dev/other"), nullptr);
  auto handle = backend_.Open("/dev/hidraw2");
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(handle->Attributes()->vendor_id, 0x1007);
  handle.reset();
  EXPECT_EQ(io_.closed, std::vector<int>{7});
}

TEST_F(HidrawBackendTest, FallsBackToSysfsForAttributesAndDescriptor) {
  io_.openable = {{"/dev/hidraw0", 3}, {"/dev/hidraw2", 4}, {"/dev/hidraw10", 5}};
  io_.raw_info = false;
  struct Case {
    const char* path;
    std::uint16_t vendor, product, input, output;
  };
  const Case cases[] = {
      {"/dev/hidraw0", 0x046D, 0xC31C, 9, 2},
      {"/dev/hidraw2", 0x2E8D, 0x771F, 9, 9},
      {"/dev/hidraw10", 0x2E8D, 0x771F, 5, 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto handle = backend_.Open(c.path);
    ASSERT_NE(handle, nullptr);
    const auto attributes = handle->Attributes();
    ASSERT_TRUE(attributes);
    EXPECT_EQ(attributes->vendor_id, c.vendor);
    EXPECT_EQ(attributes->product_id, c.product);
    const auto caps = handle->Capabilities();
    ASSERT_TRUE(caps);
    EXPECT_EQ(caps->input_report_length, c.input);
    EXPECT_EQ(caps->output_report_length, c.output);
  }
  // The node's own descriptor wins over the sysfs copy.
  io_.descriptor_ioctl = true;
  const auto caps = backend_.Open("/dev/hidraw0")->Capabilities();
  EXPECT_EQ(caps->input_report_length, 5);
  EXPECT_EQ(caps->output_report_length, 5);
}

TEST_F(HidrawBackendTest, OutputReportsFallBackToWriteOnOlderKernelsOnly) {
  io_.openable = {{"/dev/hidraw2", 4}};
  auto handle = backend_.Open("/dev/hidraw2");
  const Bytes report(9, 0);
  struct Case {
    int error;
    bool write_works;
    bool sent;
    std::vector<std::string> calls;
  };
  const Case cases[] = {
      {0, true, true, {"ioctl 9"}},
      {ENOTTY, true, true, {"ioctl 9", "write 9"}},
      {EINVAL, false, false, {"ioctl 9", "write 9"}},
      {EPIPE, true, false, {"ioctl 9"}},
      {EIO, true, false, {"ioctl 9"}},
  };
  for (const auto& c : cases) {
    io_.calls.clear();
    io_.output_error = c.error;
    io_.write_works = c.write_works;
    EXPECT_EQ(handle->SetOutputReport(report), c.sent) << c.error;
    EXPECT_EQ(io_.calls, c.calls) << c.error;
  }
  Bytes input(9, 0);
  EXPECT_TRUE(handle->GetInputReport(input));
  EXPECT_EQ(input[2], 0x42);
}

TEST(HidrawUevent, ParsesTheHidIdLine) {
  struct Case {
    const char* text;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> ids;
  };
  const Case cases[] = {
      {"DRIVER=hid-generic\nHID_ID=0003:00002E8D:0000771F\n", std::pair<std::uint16_t, std::uint16_t>{0x2E8D, 0x771F}},
      {"HID_ID=0005:0000046d:0000b01c", std::pair<std::uint16_t, std::uint16_t>{0x046D, 0xB01C}},
      {"HID_NAME=x\n", std::nullopt},
      {"HID_ID=0003:00002E8D\n", std::nullopt},
      {"HID_ID=0003:00012E8D:0000771F\n", std::nullopt},
      {"HID_ID=0003::0000771F\n", std::nullopt},
      {"HID_ID=0003:zz:0000771F\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    const auto attributes = HidrawBackend::ParseUevent(c.text);
    ASSERT_EQ(attributes.has_value(), c.ids.has_value()) << c.text;
    if (attributes) {
      EXPECT_EQ(attributes->vendor_id, c.ids->first);
      EXPECT_EQ(attributes->product_id, c.ids->second);
    }
  }
}

}  // namespace
}  // namespace audio77
