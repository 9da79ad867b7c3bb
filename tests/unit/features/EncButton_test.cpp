#include "features/EncButton.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/RecordingDebugOutput.h"

namespace audio77 {
namespace {

using Report = EncButton::Report;

// A report as the device sends it: the GPIO lines in bytes 2 and 3, idle high.
Report Lines(std::uint16_t lines) {
  return {0x00, 0x5A, static_cast<std::uint8_t>(lines), static_cast<std::uint8_t>(lines >> 8), 0x5B};
}
constexpr std::uint16_t kIdle = 0x03FF;
Report Held(int gpio) { return Lines(static_cast<std::uint16_t>(kIdle & ~(1u << gpio))); }

struct Button {
  explicit Button(int gpio, int toggle_result = 0)
      : button(debug, gpio, [this, toggle_result] {
          ++toggles;
          return toggle_result;
        }) {}
  std::vector<int> Feed(const std::vector<Report>& reports) {
    std::vector<int> results;
    for (const auto& report : reports) results.push_back(button.Receive(report));
    return results;
  }
  RecordingDebugOutput debug;
  int toggles = 0;
  EncButton button;
};

TEST(EncButton, EachLineHasItsPlaceInTheReport) {
  const std::pair<int, std::optional<EncButton::Bit>> cases[] = {
      {0, EncButton::Bit{2, 0x01}}, {1, EncButton::Bit{2, 0x02}}, {2, EncButton::Bit{2, 0x04}},
      {3, EncButton::Bit{2, 0x08}}, {8, EncButton::Bit{3, 0x01}}, {9, EncButton::Bit{3, 0x02}},
      {4, std::nullopt},           {5, std::nullopt},           {7, std::nullopt},
      {10, std::nullopt},          {-1, std::nullopt},          {264, std::nullopt},
  };
  for (const auto& [gpio, bit] : cases) {
    SCOPED_TRACE(gpio);
    EXPECT_EQ(EncButton::BitFor(gpio), bit);
  }
}

TEST(EncButton, ThePressesOfTheConfiguredLineToggleOnceEachAfterTheFirstReport) {
  struct Case {
    int gpio;
    std::vector<Report> reports;
    std::vector<int> results;
    int toggles;
  };
  const Case cases[] = {
      // The idle state when scanning starts is skipped; a press toggles, the
      // same report again is dropped, the release is not a press.
      {3, {Lines(kIdle), Held(3), Held(3), Lines(kIdle), Held(3), Lines(kIdle)}, {0, 0, 0, -1, 0, -1}, 2},
      // The first changed report is skipped even when it is a press.
      {2, {Held(2), Lines(kIdle), Held(2)}, {0, -1, 0}, 1},
      // Line 8 is byte 3 bit 0; other lines moving are no press of it.
      {8, {Lines(kIdle), Held(3), Held(8), Lines(kIdle)}, {0, -1, 0, -1}, 1},
      {9, {Lines(kIdle), Held(9)}, {0, 0}, 1},
      // A line with no place in the report: every report is ignored.
      {5, {Lines(kIdle), Held(5), Lines(0), Lines(kIdle)}, {0, -1, -1, -1}, 0},
      // Line 0 counts as "no button line": reports are never taken.
      {0, {Lines(kIdle), Held(0), Lines(kIdle), Held(0)}, {0, 0, 0, 0}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.gpio);
    Button b(c.gpio);
    EXPECT_EQ(b.Feed(c.reports), c.results);
    EXPECT_EQ(b.toggles, c.toggles);
  }
}

TEST(EncButton, ANewReportIsLoggedWithThePreviousOneAndAFailedToggleIsNamed) {
  Button b(1, -3);
  b.Feed({Lines(kIdle), Lines(kIdle), Held(1)});
  EXPECT_EQ(b.debug.Lines(), (std::vector<std::string>{
                                 "Previous = ", "", "Current = ", "Raw Data = 00 5A FF 03 5B\n\n",
                                 "Previous = ", "Raw Data = 00 5A FF 03 5B\n\n", "Current = ",
                                 "Raw Data = 00 5A FD 03 5B\n\n", "***** SendEncButton FAIL! ***** (ret = -3)\n"}));
  EXPECT_EQ(b.toggles, 1);
}

TEST(EncButton, AfterTheDeviceLeftTheNextReportIsTakenAgain) {
  Button b(3);
  b.Feed({Lines(kIdle), Held(3)});
  b.button.DeviceRemoved();
  EXPECT_FALSE(b.button.ReportsSeen());
  EXPECT_EQ(b.button.HandleEncButton(Held(3)), 0) << "nothing is taken before a report arrives";
  // The idle report of the new scan, then a press: skip-first is spent already.
  EXPECT_EQ(b.Feed({Lines(kIdle), Held(3)}), (std::vector<int>{-1, 0}));
  EXPECT_EQ(b.toggles, 2);
}

}  // namespace
}  // namespace audio77
