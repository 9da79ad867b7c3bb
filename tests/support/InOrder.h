#pragma once
// Whether every prefix, in this order, begins some line of lines (other lines
// may come between them). The failure names the first prefix missing and
// lists the lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/DeviceTraffic.h"

namespace audio77::test {

inline ::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                          const std::vector<std::string>& prefixes) {
  std::size_t at = 0;
  for (const auto& prefix : prefixes) {
    while (at < lines.size() && lines[at].rfind(prefix, 0) != 0) ++at;
    if (at == lines.size()) return ::testing::AssertionFailure() << "missing in order: " << prefix << Joined(lines);
    ++at;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace audio77::test
