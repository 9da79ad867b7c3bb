// Equalizer and 3D: configured first, then switched on or off, with read-back.
#include "sim/dllqk/EntryTrace.h"

using namespace audio77::sim;
using namespace audio77::sim::dllqk;

namespace {

struct Feature {
  bool DeviceState::*configured;
  bool DeviceState::*on;
};
constexpr Feature kEqualizer{&DeviceState::eq_configured, &DeviceState::eq_on};
constexpr Feature kSound3D{&DeviceState::sound3d_configured, &DeviceState::sound3d_on};

std::int32_t Configure(DeviceState& state, const Feature& feature) {
  state.*feature.configured = true;
  return DLLQK_DONE;
}

std::int32_t Switch(DeviceState& state, const Feature& feature, std::int32_t on) {
  if (!IsFlag(on)) return DLLQK_BAD_ARGUMENT;
  if (!(state.*feature.configured)) return DLLQK_NOT_READY;
  state.*feature.on = on == 1;
  return DLLQK_DONE;
}

std::int32_t Query(DeviceState& state, const Feature& feature, std::int32_t* on) {
  if (on == nullptr) return DLLQK_BAD_ARGUMENT;
  *on = state.*feature.on ? 1 : 0;
  return DLLQK_DONE;
}

std::int32_t Reset(DeviceState& state, const Feature& feature) {
  state.*feature.on = false;
  return DLLQK_DONE;
}

std::int32_t WithIndex(std::uint8_t index, std::int32_t (*step)(DeviceState&, const Feature&), DeviceState& state,
                       const Feature& feature) {
  return IsDeviceIndex(index) ? step(state, feature) : DLLQK_BAD_ARGUMENT;
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_ConfigEQ(void) {
  return Run("DLLQK_ConfigEQ", true, [](DeviceState& s) { return Configure(s, kEqualizer); },
             [] { return std::string(); });
}
DLLQK_API int32_t DLLQK_ConfigEQ_ById(uint8_t index) {
  return Run("DLLQK_ConfigEQ_ById", true, [&](DeviceState& s) { return WithIndex(index, Configure, s, kEqualizer); },
             [&] { return Byte(index); });
}
DLLQK_API int32_t DLLQK_SetEQ_OnOff(int32_t on) {
  return Run("DLLQK_SetEQ_OnOff", true, [&](DeviceState& s) { return Switch(s, kEqualizer, on); },
             [&] { return Int(on); });
}
DLLQK_API int32_t DLLQK_SetEQ_OnOff_ById(int32_t on, uint8_t index) {
  return Run("DLLQK_SetEQ_OnOff_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? Switch(s, kEqualizer, on) : DLLQK_BAD_ARGUMENT; },
             [&] { return Int(on) + " " + Byte(index); });
}
DLLQK_API int32_t DLLQK_IsEQ_Enable(int32_t* on) {
  return Run("DLLQK_IsEQ_Enable", true, [&](DeviceState& s) { return Query(s, kEqualizer, on); },
             [&] { return OutInt(on); });
}
DLLQK_API int32_t DLLQK_IsEQ_Enable_ById(int32_t* on, uint8_t index) {
  return Run("DLLQK_IsEQ_Enable_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? Query(s, kEqualizer, on) : DLLQK_BAD_ARGUMENT; },
             [&] { return OutInt(on) + " " + Byte(index); });
}

DLLQK_API int32_t DLLQK_Config3D(void) {
  return Run("DLLQK_Config3D", true, [](DeviceState& s) { return Configure(s, kSound3D); },
             [] { return std::string(); });
}
DLLQK_API int32_t DLLQK_Config3D_ById(uint8_t index) {
  return Run("DLLQK_Config3D_ById", true, [&](DeviceState& s) { return WithIndex(index, Configure, s, kSound3D); },
             [&] { return Byte(index); });
}
DLLQK_API int32_t DLLQK_Reset3D(void) {
  return Run("DLLQK_Reset3D", true, [](DeviceState& s) { return Reset(s, kSound3D); }, [] { return std::string(); });
}
DLLQK_API int32_t DLLQK_Reset3D_ById(uint8_t index) {
  return Run("DLLQK_Reset3D_ById", true, [&](DeviceState& s) { return WithIndex(index, Reset, s, kSound3D); },
             [&] { return Byte(index); });
}
DLLQK_API int32_t DLLQK_Set3D_OnOff(int32_t on) {
  return Run("DLLQK_Set3D_OnOff", true, [&](DeviceState& s) { return Switch(s, kSound3D, on); },
             [&] { return Int(on); });
}
DLLQK_API int32_t DLLQK_Set3D_OnOff_ById(int32_t on, uint8_t index) {
  return Run("DLLQK_Set3D_OnOff_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? Switch(s, kSound3D, on) : DLLQK_BAD_ARGUMENT; },
             [&] { return Int(on) + " " + Byte(index); });
}
DLLQK_API int32_t DLLQK_Is3D_Enable(int32_t* on) {
  return Run("DLLQK_Is3D_Enable", true, [&](DeviceState& s) { return Query(s, kSound3D, on); },
             [&] { return OutInt(on); });
}
DLLQK_API int32_t DLLQK_Is3D_Enable_ById(int32_t* on, uint8_t index) {
  return Run("DLLQK_Is3D_Enable_ById", true,
             [&](DeviceState& s) { return IsDeviceIndex(index) ? Query(s, kSound3D, on) : DLLQK_BAD_ARGUMENT; },
             [&] { return OutInt(on) + " " + Byte(index); });
}

}  // extern "C"
