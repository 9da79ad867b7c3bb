#pragma once
// The virtual device's trace.log read back as device traffic, in a compact form:
//   "w 0x120=0xFF"  a register write       "r 0x129"  a register read
//   "close"         the closing report     "lib <entry> <args>" a library call
//   "ext <code> <input>"                   a driver-extension request

#include <cstdio>
#include <string>
#include <vector>

#include "settings/HexText.h"

namespace audio77::test {

inline std::string Hex(unsigned value, int digits = 2) { return "0x" + HexDigits(value, digits); }

inline std::vector<unsigned> ReportBytes(const std::string& hex) {
  std::vector<unsigned> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<unsigned>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

// The trace as register and library traffic.
inline std::vector<std::string> Traffic(const std::vector<std::string>& trace) {
  std::vector<std::string> out;
  unsigned address = 0;
  for (std::size_t i = 0; i < trace.size(); ++i) {
    const std::string& line = trace[i];
    if (line.rfind("hid out ", 0) == 0) {
      const std::string hex = line.substr(8, line.find(' ', 8) - 8);
      const auto b = ReportBytes(hex);
      if (b.size() < 5) continue;
      if (b[1] == 0 && b[2] == 0 && b[3] == 0 && b[4] == 0) {
        out.push_back("close");
      } else if (b[4] == 0x10) {
        address = b[2] | b[3] << 8;
        if (i + 1 < trace.size() && trace[i + 1].rfind("hid in ", 0) == 0) out.push_back("r " + Hex(address, 3));
      } else if (b[4] == 0x20) {
        out.push_back("w " + Hex(address, 3) + "=" + Hex(b[2]));
      }
    } else if (line.rfind("lib ", 0) == 0) {
      out.push_back(line.substr(0, line.find(" = ")));
    } else if (line.rfind("ext ioctl ", 0) == 0) {
      out.push_back("ext " + line.substr(10, line.find(" = ") == std::string::npos ? std::string::npos : line.find(" = ") - 10));
    }
  }
  return out;
}

// Only the register lines of the traffic.
inline std::vector<std::string> Registers(const std::vector<std::string>& traffic) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("w ", 0) == 0 || line.rfind("r ", 0) == 0 || line == "close") out.push_back(line);
  }
  return out;
}

inline std::vector<std::string> Writes(const std::vector<std::string>& traffic) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("w ", 0) == 0) out.push_back(line);
  }
  return out;
}

inline std::vector<std::string> Library(const std::vector<std::string>& traffic, const std::string& entry_prefix) {
  std::vector<std::string> out;
  for (const auto& line : traffic) {
    if (line.rfind("lib " + entry_prefix, 0) == 0) out.push_back(line.substr(4));
  }
  return out;
}

inline std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const auto& line : lines) all += "\n  " + line;
  return all;
}

}  // namespace audio77::test
