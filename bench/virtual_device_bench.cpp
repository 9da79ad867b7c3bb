// The virtual device's state lives in its state folder: every call takes the
// record's lock and reads it again when another object wrote it. These
// measure one register write and read back, in one device object and
// across two (as across two processes, where every read finds a newer record).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "sim/core/VirtualDevice.h"

namespace {

using audio77::sim::DeviceSetup;
using audio77::sim::DeviceState;
using audio77::sim::VirtualDevice;

std::string StateFolder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/audio77-bench-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

void Write(VirtualDevice& device, std::uint8_t value) {
  device.RunEntry("bench", true, [value](DeviceState& s, const DeviceSetup&) {
    s.registers[0x18A] = value;
    return 0;
  }, {});
}

std::uint8_t Read(VirtualDevice& device) {
  std::uint8_t value = 0;
  device.RunEntry("bench", true, [&value](DeviceState& s, const DeviceSetup&) {
    value = s.registers[0x18A];
    return 0;
  }, {});
  return value;
}

void RegisterRoundTripInOneObject(benchmark::State& state) {
  VirtualDevice device;
  device.Load(StateFolder());
  std::uint8_t value = 0;
  for (auto _ : state) {
    Write(device, ++value);
    benchmark::DoNotOptimize(Read(device));
  }
}
BENCHMARK(RegisterRoundTripInOneObject);

void RegisterRoundTripAcrossTwoObjects(benchmark::State& state) {
  VirtualDevice writer;
  writer.Load(StateFolder());
  VirtualDevice reader;
  reader.UseStateFolder(StateFolder());
  std::uint8_t value = 0;
  for (auto _ : state) {
    Write(writer, ++value);
    if (Read(reader) != value) state.SkipWithError("the reader missed the write");
  }
}
BENCHMARK(RegisterRoundTripAcrossTwoObjects);

}  // namespace
