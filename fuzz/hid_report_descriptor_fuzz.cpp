// Report descriptors of any shape: the length computation never overflows,
// reads past the descriptor or takes long.
#include <cstdint>
#include <span>

// The computation lives with the Linux backend, which the fuzz build leaves
// out; it is plain C++, so its source is compiled in here.
#include "../src/platform/linux/HidReportDescriptor.cpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto lengths = audio77::HidReportDescriptor::ReportLengths(std::span(data, size));
  if (size == 0 && (lengths.input | lengths.output | lengths.feature) != 0) __builtin_trap();
  return 0;
}
