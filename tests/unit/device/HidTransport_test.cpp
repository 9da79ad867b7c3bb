#include "device/HidTransport.h"

#include <gtest/gtest.h>

#include <functional>

#include "RecordingHid.h"

namespace audio77 {
namespace {

using test::RecordedInterface;
using test::RecordingHidBackend;
using Bytes = std::vector<std::uint8_t>;

RecordedInterface Interface(std::string path, std::uint16_t vid, std::uint16_t pid) {
  RecordedInterface device;
  device.path = std::move(path);
  device.attributes = {vid, pid, 0x0100};
  return device;
}

TEST(HidTransportOpen, TakesTheFirstMatchInEnumerationOrderAndClosesTheOthers) {
  RecordingHidBackend backend;
  backend.interfaces = {Interface("keyboard", 0x046D, 0xC31C), Interface("held", 0x2E8D, 0x771F),
                        Interface("first", 0x2E8D, 0x771F), Interface("second", 0x2E8D, 0x771F)};
  backend.interfaces[1].opens = false;  // held exclusively by the system
  auto handle = HidTransport(backend).Open(0x2E8D, 0x771F);
  ASSERT_NE(handle, nullptr);
  EXPECT_TRUE(handle->SetOutputReport(Bytes{0}));
  EXPECT_EQ(backend.interfaces[2].sent.size(), 1u);
  EXPECT_EQ(backend.interfaces[0].opened, 1);
  EXPECT_EQ(backend.interfaces[0].closed, 1);
  EXPECT_EQ(backend.interfaces[1].opened, 0);
  EXPECT_EQ(backend.interfaces[3].opened, 0);
  handle.reset();
  EXPECT_EQ(backend.interfaces[2].closed, 1);
}

TEST(HidTransportOpen, NoneWhenNothingMatchesOrTheListIsMissing) {
  RecordingHidBackend backend;
  backend.interfaces = {Interface("a", 0x2E8D, 0x7700), Interface("b", 0x1234, 0x771F)};
  EXPECT_EQ(HidTransport(backend).Open(0x2E8D, 0x771F), nullptr);
  for (const auto& device : backend.interfaces) EXPECT_EQ(device.opened, device.closed);
  backend.listable = false;
  EXPECT_EQ(HidTransport(backend).Open(0x2E8D, 0x7700), nullptr);
}

class HidTransportReports : public ::testing::Test {
 protected:
  HidTransportReports() {
    backend_.interfaces = {Interface("dev", 0x2E8D, 0x771F)};
    handle_ = HidTransport(backend_).Open(0x2E8D, 0x771F);
  }
  RecordedInterface& device() { return backend_.interfaces[0]; }

  RecordingHidBackend backend_;
  std::unique_ptr<HidHandle> handle_;
};

TEST_F(HidTransportReports, RegisterWriteSendsAddressThenDataInFullLengthZeroFilledReports) {
  EXPECT_EQ(HidTransport::RegisterWrite(handle_.get(), 0x018A, 0x5A), 0);
  ASSERT_EQ(device().sent.size(), 2u);
  EXPECT_EQ(device().sent[0], (Bytes{0, 0x60, 0x8A, 0x01, 0x10, 0, 0, 0, 0}));
  EXPECT_EQ(device().sent[1], (Bytes{0, 0x60, 0x5A, 0x01, 0x20, 0, 0, 0, 0}));
}

TEST_F(HidTransportReports, RegisterReadTakesByteTwoOfAZeroFilledInputReport) {
  device().capabilities = HidCapabilities{7, 9};
  device().answers = {{0, 0x60, 0xC3, 0x44, 0x55, 0x66, 0x77}};
  std::uint8_t value = 0;
  EXPECT_EQ(HidTransport::RegisterRead(handle_.get(), 0xFFEE, value), 0);
  EXPECT_EQ(value, 0xC3);
  ASSERT_EQ(device().sent.size(), 1u);
  EXPECT_EQ(device().sent[0], (Bytes{0, 0x60, 0xEE, 0xFF, 0x10, 0, 0, 0, 0}));
  ASSERT_EQ(device().input_requests.size(), 1u);
  EXPECT_EQ(device().input_requests[0], Bytes(7, 0));
}

TEST_F(HidTransportReports, GpioWriteAndReadMapLinesToBits) {
  struct Case {
    GpioLines lines;
    std::uint8_t low;
    std::uint8_t high;
  };
  const Case cases[] = {
      {{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0x01, 0x3C},
      {{0, 0, 0, 0, 0, 0, 0, 1, 1, 0}, 0x80, 0x3D},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0x00, 0x3E},
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1}, 0xFF, 0x3F},
      {{0, 1, 0, 1, 0, 1, 0, 1, 0, 0}, 0xAA, 0x3C},
  };
  for (const auto& c : cases) {
    device().sent.clear();
    EXPECT_EQ(HidTransport::GpioWrite(handle_.get(), c.lines), 0);
    ASSERT_EQ(device().sent.size(), 1u);
    EXPECT_EQ(device().sent[0], (Bytes{0, 0x60, c.low, 0xFF, c.high, 0, 0, 0, 0}));

    device().sent.clear();
    // The input report's byte 3 carries GPIO 8 and 9 in bits 0 and 1; other bits are noise.
    device().answers = {{0, 0, c.low, static_cast<std::uint8_t>(0xFC | (c.high & 3)), 0xFF}};
    GpioLines read{};
    EXPECT_EQ(HidTransport::GpioRead(handle_.get(), read), 0);
    EXPECT_EQ(read, c.lines);
    ASSERT_EQ(device().sent.size(), 1u);
    EXPECT_EQ(device().sent[0], (Bytes{0, 0x60, 0, 0, 0x30, 0, 0, 0, 0}));
  }
}

TEST_F(HidTransportReports, ClosingReportIsAllZero) {
  EXPECT_EQ(HidTransport::SendClosingReport(handle_.get()), 0);
  ASSERT_EQ(device().sent.size(), 1u);
  EXPECT_EQ(device().sent[0], Bytes(9, 0));
}

// Every failure of every operation, with how many output reports went out before it.
TEST_F(HidTransportReports, ResultCodesNameTheStepThatFailed) {
  using Operation = std::function<int(HidHandle*)>;
  const Operation write = [](HidHandle* h) { return HidTransport::RegisterWrite(h, 0x10, 1); };
  const Operation read = [](HidHandle* h) {
    std::uint8_t value = 0x77;
    const int result = HidTransport::RegisterRead(h, 0x10, value);
    if (result != 0) {
      EXPECT_EQ(value, 0x77) << "value written although the read failed";
    }
    return result;
  };
  const Operation gpio_write = [](HidHandle* h) { return HidTransport::GpioWrite(h, GpioLines{}); };
  const Operation gpio_read = [](HidHandle* h) {
    GpioLines lines{};
    lines.fill(7);
    const int result = HidTransport::GpioRead(h, lines);
    if (result != 0) {
      EXPECT_EQ(lines[0], 7) << "lines written although the read failed";
    }
    return result;
  };
  const Operation closing = [](HidHandle* h) { return HidTransport::SendClosingReport(h); };

  struct Case {
    const char* name;
    Operation operation;
    std::optional<HidCapabilities> caps;
    int fail_output_from;
    bool fail_input;
    int result;
    std::size_t reports_sent;
  };
  const std::optional<HidCapabilities> none;
  const Case cases[] = {
      {"write: no capabilities", write, none, -1, false, 1, 0},
      {"write: output length 0", write, HidCapabilities{9, 0}, -1, false, 1, 0},
      {"write: output too short for a command", write, HidCapabilities{9, 4}, -1, false, 1, 0},
      {"write: set-address fails", write, HidCapabilities{9, 9}, 0, false, 2, 1},
      {"write: write-data fails", write, HidCapabilities{9, 9}, 1, false, 3, 2},
      {"write: shortest usable report", write, HidCapabilities{0, 5}, -1, false, 0, 2},
      {"read: output length 0", read, HidCapabilities{9, 0}, -1, false, 1, 0},
      {"read: output too short for a command", read, HidCapabilities{9, 4}, -1, false, 1, 0},
      {"read: set-address fails", read, HidCapabilities{9, 9}, 0, false, 2, 1},
      {"read: input length 0", read, HidCapabilities{0, 9}, -1, false, 3, 1},
      {"read: input too short for the value", read, HidCapabilities{2, 9}, -1, false, 3, 1},
      {"read: input report fails", read, HidCapabilities{9, 9}, -1, true, 4, 1},
      {"read: shortest usable input", read, HidCapabilities{3, 5}, -1, false, 0, 1},
      {"gpio write: output length 0", gpio_write, HidCapabilities{9, 0}, -1, false, 1, 0},
      {"gpio write: output of 4 bytes", gpio_write, HidCapabilities{9, 4}, -1, false, 2, 0},
      {"gpio write: report fails", gpio_write, HidCapabilities{9, 9}, 0, false, 3, 1},
      {"gpio read: output length 0", gpio_read, HidCapabilities{9, 0}, -1, false, 1, 0},
      {"gpio read: output of 4 bytes", gpio_read, HidCapabilities{9, 4}, -1, false, 2, 0},
      {"gpio read: request fails", gpio_read, HidCapabilities{9, 9}, 0, false, 3, 1},
      {"gpio read: input length 0", gpio_read, HidCapabilities{0, 9}, -1, false, 4, 1},
      {"gpio read: input of 4 bytes", gpio_read, HidCapabilities{4, 9}, -1, false, 5, 1},
      {"gpio read: input report fails", gpio_read, HidCapabilities{9, 9}, -1, true, 6, 1},
      {"closing: output length 0", closing, HidCapabilities{9, 0}, -1, false, 1, 0},
      {"closing: output too short", closing, HidCapabilities{9, 1}, -1, false, 1, 0},
      {"closing: report fails", closing, HidCapabilities{9, 9}, 0, false, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    device().capabilities = c.caps;
    device().fail_output_from = c.fail_output_from;
    device().fail_input = c.fail_input;
    device().sent.clear();
    EXPECT_EQ(c.operation(handle_.get()), c.result);
    EXPECT_EQ(device().sent.size(), c.reports_sent);
    for (const auto& report : device().sent) {
      EXPECT_EQ(report.size(), c.caps->output_report_length) << "report not of the reported length";
    }
  }
}

TEST(HidTransportWithoutHandle, EveryOperationReportsNoOutputLength) {
  std::uint8_t value = 0;
  GpioLines lines{};
  EXPECT_EQ(HidTransport::OutputReportLength(nullptr), 0);
  EXPECT_EQ(HidTransport::InputReportLength(nullptr), 0);
  EXPECT_EQ(HidTransport::RegisterWrite(nullptr, 1, 1), 1);
  EXPECT_EQ(HidTransport::RegisterRead(nullptr, 1, value), 1);
  EXPECT_EQ(HidTransport::GpioWrite(nullptr, lines), 1);
  EXPECT_EQ(HidTransport::GpioRead(nullptr, lines), 1);
  EXPECT_EQ(HidTransport::SendClosingReport(nullptr), 1);
}

}  // namespace
}  // namespace audio77
