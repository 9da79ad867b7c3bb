// The virtual device's firmware (HID register exchange) and driver extension,
// reached through the virtual platform's HID backend and extension.
#include <array>

#include "SimFixture.h"
#include "device/HidTransport.h"
#include "sim/platform/VirtualDriverExtension.h"
#include "sim/platform/VirtualHidBackend.h"

namespace audio77::sim {
namespace {

using Report = std::vector<std::uint8_t>;

Report Command(std::uint8_t b1, std::uint8_t b2, std::uint8_t b3, std::uint8_t b4, std::size_t length = 17) {
  Report report(length, 0);
  report[1] = b1;
  report[2] = b2;
  report[3] = b3;
  report[4] = b4;
  return report;
}

class VirtualTransport : public SimFixture {
 protected:
  std::unique_ptr<HidHandle> OpenHid() {
    const auto paths = hid_.ListInterfaces();
    if (!paths || paths->size() != 1) return nullptr;
    return hid_.Open(paths->front());
  }
  VirtualHidBackend hid_{device()};
  VirtualDriverExtension extension_{device()};
};

TEST_F(VirtualTransport, RegisterWriteAndReadTravelInReports) {
  auto handle = OpenHid();
  ASSERT_TRUE(handle);
  const auto attributes = handle->Attributes();
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->vendor_id, 0x2E8D);
  EXPECT_EQ(attributes->product_id, 0x771F);
  const auto caps = handle->Capabilities();
  ASSERT_TRUE(caps);
  EXPECT_EQ(caps->output_report_length, 17);
  EXPECT_EQ(caps->input_report_length, 17);

  ASSERT_TRUE(handle->SetOutputReport(Command(0x60, 0x8A, 0x01, 0x10)));
  ASSERT_TRUE(handle->SetOutputReport(Command(0x60, 0x5C, 0x01, 0x20)));
  EXPECT_EQ(device().Snapshot().registers[0x18A], 0x5C);

  ASSERT_TRUE(handle->SetOutputReport(Command(0x60, 0x8A, 0x01, 0x10)));
  Report input(17, 0);
  ASSERT_TRUE(handle->GetInputReport(input));
  EXPECT_EQ(input[2], 0x5C);
  ASSERT_TRUE(handle->SetOutputReport(Report(17, 0)));
  handle.reset();

  const auto trace = TraceLines();
  ASSERT_EQ(trace.size(), 7u);
  EXPECT_EQ(trace[0], "hid open 2E8D:771F = 0");
  EXPECT_EQ(trace[1], "hid out 00608a0110" + std::string(24, '0') + " = 0");
  EXPECT_EQ(trace[2], "hid out 00605c0120" + std::string(24, '0') + " = 0");
  EXPECT_EQ(trace[4], "hid in 17 = 00605c" + std::string(28, '0'));
  EXPECT_EQ(trace[6], "hid close");
}

TEST_F(VirtualTransport, RegistersAreReadThroughTheTransportOnEveryInputLengthItAccepts) {
  // Three bytes (report ID, command, value) is the shortest answer the
  // transport takes; the firmware must fill it as it fills a long one.
  for (const char* length : {"3", "4", "17"}) {
    SCOPED_TRACE(length);
    ASSERT_TRUE(device().SetFault("input_report_length", length));
    auto handle = HidTransport(hid_).Open(0x2E8D, 0x771F);
    ASSERT_TRUE(handle);
    ASSERT_EQ(HidTransport::RegisterWrite(handle.get(), 0x18A, 0x5C), 0);
    std::uint8_t value = 0;
    ASSERT_EQ(HidTransport::RegisterRead(handle.get(), 0x18A, value), 0);
    EXPECT_EQ(value, 0x5C);
  }
}

TEST_F(VirtualTransport, GpioLinesAreWrittenAndReadBack) {
  auto handle = OpenHid();
  ASSERT_TRUE(handle);
  // GPIO 0, 8 and 9 high, the rest low.
  ASSERT_TRUE(handle->SetOutputReport(Command(0x60, 0x01, 0xFF, 0x3C | 0x01 | 0x02)));
  EXPECT_EQ(device().Snapshot().gpio, 0x301);
  ASSERT_TRUE(handle->SetOutputReport(Command(0x60, 0, 0, 0x30)));
  Report input(17, 0);
  ASSERT_TRUE(handle->GetInputReport(input));
  EXPECT_EQ(input[2], 0x01);
  EXPECT_EQ(input[3], 0x03);
}

TEST_F(VirtualTransport, ScriptedFaultsAndBadReportsFail) {
  struct Case {
    const char* fault;
    const char* value;
    bool output_fails;
    bool input_fails;
  };
  const Case cases[] = {
      {"hid.out", "1", true, false},
      {"hid.in", "1", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    Restart();
    ASSERT_TRUE(device().SetFault(c.fault, c.value));
    auto handle = OpenHid();
    ASSERT_TRUE(handle);
    EXPECT_EQ(handle->SetOutputReport(Command(0x60, 1, 0, 0x10)), !c.output_fails);
    Report input(17, 0);
    EXPECT_EQ(handle->GetInputReport(input), !c.input_fails);
    // The fault was for one call: an immediate repeat works.
    EXPECT_TRUE(handle->SetOutputReport(Command(0x60, 1, 0, 0x10)));
    EXPECT_TRUE(handle->GetInputReport(input));
  }
  Restart();
  auto handle = OpenHid();
  ASSERT_TRUE(handle);
  Report wrong_length(16, 0);
  EXPECT_FALSE(handle->SetOutputReport(wrong_length));
  EXPECT_FALSE(handle->GetInputReport(wrong_length));
}

TEST_F(VirtualTransport, ShortOutputReportLengthIsReported) {
  ASSERT_TRUE(device().SetFault("output_report_length", "4"));
  auto handle = OpenHid();
  ASSERT_TRUE(handle);
  EXPECT_EQ(handle->Capabilities()->output_report_length, 4);
  // A four-byte report is taken but carries no command.
  ASSERT_TRUE(handle->SetOutputReport(Report{0, 0x60, 0x01, 0xFF}));
  EXPECT_EQ(device().Snapshot().gpio, kAllGpioHigh);
}

TEST_F(VirtualTransport, UnplugEndsOpenSessionsAndHidesTheInterface) {
  auto handle = OpenHid();
  ASSERT_TRUE(handle);
  device().Unplug();
  EXPECT_FALSE(handle->SetOutputReport(Command(0x60, 1, 0, 0x10)));
  EXPECT_FALSE(handle->Attributes());
  EXPECT_TRUE(hid_.ListInterfaces()->empty());
  EXPECT_EQ(hid_.Open(kVirtualHidPath), nullptr);
  device().Plug();
  EXPECT_TRUE(OpenHid());
}

TEST_F(VirtualTransport, ExtensionAnswersItsFourRequests) {
  const std::string path = VirtualDevice::ExtensionPath(0x2E8D, 0x771F);
  EXPECT_EQ(path, "\\\\.\\Class#UsbAudioExtension&2E8D&771F");
  EXPECT_EQ(extension_.Open("\\\\.\\Class#UsbAudioExtension&2E8D&7720"), nullptr);
  auto handle = extension_.Open(path);
  ASSERT_TRUE(handle);

  std::array<std::uint8_t, 8> query{1, 0, 0, 0, 0, 0, 0, 0};
  std::array<std::uint8_t, 8> out{};
  std::uint32_t returned = 0;
  ASSERT_TRUE(handle->Control(0x00223028, query, out, returned));
  EXPECT_EQ(returned, 8u);
  EXPECT_EQ(out[4] | out[5] << 8, 0x0100);
  ASSERT_TRUE(handle->Control(0x00223190, std::array<std::uint8_t, 8>{1, 0, 0, 0, 0, 0, 0, 0}, out, returned));
  EXPECT_EQ(returned, 8u);

  struct Case {
    std::uint32_t code;
    std::int32_t value;
    bool ok;
  };
  const Case cases[] = {
      {0x08232008, 3, true}, {0x08232000, 1, true}, {0x08232008, 5, false},
      {0x08232008, -1, false}, {0x08232000, 2, false}, {0x12345678, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    const auto raw = static_cast<std::uint32_t>(c.value);
    const std::array<std::uint8_t, 4> in{static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
                                         static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
    EXPECT_EQ(handle->Control(c.code, in, {}, returned), c.ok);
  }
  EXPECT_EQ(device().Snapshot().effect_applied, 3);
  EXPECT_EQ(TraceLines().back().rfind("ext ioctl 0x12345678 in=00000000 = fail", 0), 0u);

  ASSERT_TRUE(device().SetFault("ext", "missing"));
  EXPECT_EQ(extension_.Open(path), nullptr);
  EXPECT_EQ(TraceLines().back(), "ext open " + path + " = fail");
}

}  // namespace
}  // namespace audio77::sim
