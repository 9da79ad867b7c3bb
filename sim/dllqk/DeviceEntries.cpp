// Versions, driver check, device selection, the generic audio command, virtual
// 7.1 and noise-cancellation parameters.
#include <algorithm>
#include <cstring>

#include "sim/core/HexText.h"
#include "sim/dllqk/EntryTrace.h"

using namespace audio77::sim;
using namespace audio77::sim::dllqk;

namespace {

constexpr wchar_t kLibraryVersion[] = L"1.0.0.1";
constexpr wchar_t kApplicationVersion[] = L"1.0.0.0";
constexpr float kLongestDistance = 1.7f;
constexpr std::int32_t kHighestEncLevel = 30;
constexpr std::int16_t kLargestPitchOffset = 12;

// Audio command groups and sub-commands the device knows.
constexpr std::uint8_t kEncGroup = 4;
constexpr std::uint8_t kVoiceGroup = 7;
constexpr std::uint8_t kSwitch = 0;
constexpr std::uint8_t kEncReadAll = 8;
constexpr std::uint8_t kVoiceSet = 2;
constexpr std::size_t kCompanionLength = 8;
constexpr std::size_t kVoicePayloadLength = 10;

std::int32_t ReadInt32(const std::uint8_t* bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  return static_cast<std::int32_t>(value);
}

void WriteInt32(std::uint8_t* bytes, std::int32_t value) {
  const auto raw = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(raw >> (8 * i));
}

std::int32_t CopyVersion(const wchar_t* version, wchar_t* text, std::int32_t chars) {
  const auto length = static_cast<std::int32_t>(std::wcslen(version));
  if (text == nullptr || chars <= length) return DLLQK_BAD_ARGUMENT;
  std::wmemcpy(text, version, static_cast<std::size_t>(length) + 1);
  return DLLQK_DONE;
}

bool Matches(const DeviceSetup& setup, std::uint16_t vendor_id, std::uint16_t product_id) {
  return setup.present && setup.identity.vendor_id == vendor_id && setup.identity.product_id == product_id;
}

std::int32_t EncCommand(DeviceState& state, std::uint8_t* block) {
  const std::uint8_t sub = block[1];
  std::uint8_t* payload = block + DLLQK_AUDIO_COMMAND_PAYLOAD;
  if (sub == kSwitch) {
    const std::int32_t on = ReadInt32(payload);
    if (!IsFlag(on)) return DLLQK_BAD_ARGUMENT;
    state.enc_on = on == 1;
    return DLLQK_DONE;
  }
  if (sub == kEncReadAll) {
    std::fill_n(payload, kCompanionLength, std::uint8_t{0});
    WriteInt32(payload, state.enc_on ? 1 : 0);
    std::copy(state.enc_parameters.begin(), state.enc_parameters.end(), block + DLLQK_AUDIO_COMMAND_SECOND_REPLY);
    return DLLQK_DONE;
  }
  return DLLQK_BAD_ARGUMENT;
}

std::int32_t VoiceCommand(DeviceState& state, const std::uint8_t* block) {
  const std::uint8_t sub = block[1];
  const std::uint8_t* payload = block + DLLQK_AUDIO_COMMAND_PAYLOAD;
  if (sub == kSwitch) {
    const std::int32_t on = ReadInt32(payload);
    if (!IsFlag(on)) return DLLQK_BAD_ARGUMENT;
    state.voice_on = on == 1;
    return DLLQK_DONE;
  }
  if (sub == kVoiceSet) {
    const auto pitch = static_cast<std::int16_t>(payload[4] | payload[5] << 8);
    if (!IsFlag(ReadInt32(payload)) || pitch < -kLargestPitchOffset || pitch > kLargestPitchOffset) {
      return DLLQK_BAD_ARGUMENT;
    }
    std::copy_n(payload, kVoicePayloadLength, state.voice_payload.begin());
    return DLLQK_DONE;
  }
  return DLLQK_BAD_ARGUMENT;
}

bool PlacementIsSound(const DLLQK_Virtual7ch1Placement& placement) {
  if (!IsFlag(placement.enable)) return false;
  for (int i = 0; i < 8; ++i) {
    const float distance = placement.distance[i];
    if (!IsFiniteFloat(distance) || distance < 0.0f || distance > kLongestDistance) return false;
    if (!IsFiniteFloat(placement.angle[i])) return false;
  }
  return true;
}

std::string PlacementText(const DLLQK_Virtual7ch1Placement* placement) {
  return Buffer(reinterpret_cast<const std::uint8_t*>(placement), sizeof(DLLQK_Virtual7ch1Placement));
}

}  // namespace

extern "C" {

DLLQK_API int32_t DLLQK_GetAP_VersionW(wchar_t* text, int32_t chars) {
  return Run("DLLQK_GetAP_VersionW", false, [&](DeviceState&) { return CopyVersion(kApplicationVersion, text, chars); },
             [&] { return Wide(text, chars) + " " + Int(chars); });
}

DLLQK_API int32_t DLLQK_GetDLL_VersionW(wchar_t* text, int32_t chars) {
  return Run("DLLQK_GetDLL_VersionW", false, [&](DeviceState&) { return CopyVersion(kLibraryVersion, text, chars); },
             [&] { return Wide(text, chars) + " " + Int(chars); });
}

DLLQK_API int32_t DLLQK_CheckDriver(void) {
  return Run("DLLQK_CheckDriver", false,
             [&](DeviceState&, const DeviceSetup& setup) {
               return setup.present && !setup.faults.extension_missing ? DLLQK_DONE : DLLQK_NO_DEVICE;
             },
             [] { return std::string(); });
}

DLLQK_API int32_t DLLQK_CheckDriverEx(uint16_t vendor_id, uint16_t product_id) {
  return Run("DLLQK_CheckDriverEx", false,
             [&](DeviceState&, const DeviceSetup& setup) {
               return Matches(setup, vendor_id, product_id) && !setup.faults.extension_missing ? DLLQK_DONE
                                                                                              : DLLQK_NO_DEVICE;
             },
             [&] { return Int(vendor_id) + " " + Int(product_id); });
}

DLLQK_API int32_t DLLQK_Search_Present_Device(int32_t* count) {
  return Run("DLLQK_Search_Present_Device", false,
             [&](DeviceState&, const DeviceSetup& setup) {
               if (count == nullptr) return DLLQK_BAD_ARGUMENT;
               *count = setup.present ? 1 : 0;
               return DLLQK_DONE;
             },
             [&] { return OutInt(count); });
}

DLLQK_API int32_t DLLQK_SetActive_Device(uint16_t vendor_id, uint16_t product_id) {
  return Run("DLLQK_SetActive_Device", false,
             [&](DeviceState& state, const DeviceSetup& setup) {
               state.device_selected = Matches(setup, vendor_id, product_id);
               return state.device_selected ? DLLQK_DONE : DLLQK_NO_DEVICE;
             },
             [&] { return Int(vendor_id) + " " + Int(product_id); });
}

DLLQK_API int32_t DLLQK_AudioCommand(uint8_t* block, int32_t* length) {
  const bool sound = block != nullptr && length != nullptr && *length == DLLQK_AUDIO_COMMAND_LENGTH;
  return Run("DLLQK_AudioCommand", true,
             [&](DeviceState& state) {
               if (!sound) return DLLQK_BAD_ARGUMENT;
               // Work on a copy so that a refused command leaves the caller's block as it was.
               std::uint8_t work[DLLQK_AUDIO_COMMAND_LENGTH];
               std::memcpy(work, block, sizeof work);
               DeviceState changed = state;
               std::int32_t result = DLLQK_BAD_ARGUMENT;
               if (work[0] == kEncGroup) result = EncCommand(changed, work);
               else if (work[0] == kVoiceGroup) result = VoiceCommand(changed, work);
               if (result == DLLQK_DONE) {
                 state = std::move(changed);
                 std::memcpy(block, work, sizeof work);
               }
               return result;
             },
             [&] {
               return (sound ? Buffer(block, DLLQK_AUDIO_COMMAND_LENGTH) : block == nullptr ? "null" : "?") + " " +
                      OutInt(length);
             });
}

DLLQK_API int32_t DLLQK_IsVirtual7ch1_Enable(int32_t* on) {
  return Run("DLLQK_IsVirtual7ch1_Enable", true,
             [&](DeviceState& state) {
               if (on == nullptr) return DLLQK_BAD_ARGUMENT;
               *on = state.virtual71_on ? 1 : 0;
               return DLLQK_DONE;
             },
             [&] { return OutInt(on); });
}

DLLQK_API int32_t DLLQK_SetVirtual7ch1_OnOff(int32_t on) {
  return Run("DLLQK_SetVirtual7ch1_OnOff", true,
             [&](DeviceState& state) {
               if (!IsFlag(on)) return DLLQK_BAD_ARGUMENT;
               state.virtual71_on = on == 1;
               return DLLQK_DONE;
             },
             [&] { return Int(on); });
}

DLLQK_API int32_t DLLQK_SetVirtual7ch1(const DLLQK_Virtual7ch1Placement* placement) {
  return Run("DLLQK_SetVirtual7ch1", true,
             [&](DeviceState& state) {
               if (placement == nullptr || !PlacementIsSound(*placement)) return DLLQK_BAD_ARGUMENT;
               std::memcpy(state.placement.data(), placement, state.placement.size());
               return DLLQK_DONE;
             },
             [&] { return PlacementText(placement); });
}

DLLQK_API int32_t DLLQK_GetVirtual7ch1(DLLQK_Virtual7ch1Placement* placement) {
  return Run("DLLQK_GetVirtual7ch1", true,
             [&](DeviceState& state) {
               if (placement == nullptr) return DLLQK_BAD_ARGUMENT;
               std::memcpy(placement, state.placement.data(), state.placement.size());
               return DLLQK_DONE;
             },
             [&] { return PlacementText(placement); });
}

DLLQK_API int32_t DLLQK_SetVirtual7ch1_Scalar(float scale) {
  return Run("DLLQK_SetVirtual7ch1_Scalar", true,
             [&](DeviceState& state) {
               if (!IsFiniteFloat(scale) || scale < 0.0f) return DLLQK_BAD_ARGUMENT;
               state.virtual71_scale = scale;
               return DLLQK_DONE;
             },
             [&] { return Float(scale); });
}

DLLQK_API int32_t DLLQK_GetVirtual7ch1_Scalar(float* scale) {
  return Run("DLLQK_GetVirtual7ch1_Scalar", true,
             [&](DeviceState& state) {
               if (scale == nullptr) return DLLQK_BAD_ARGUMENT;
               *scale = state.virtual71_scale;
               return DLLQK_DONE;
             },
             [&] { return OutFloat(scale); });
}

DLLQK_API int32_t DLLQK_SetEnc_Parameters(const uint8_t* parameters) {
  return Run("DLLQK_SetEnc_Parameters", true,
             [&](DeviceState& state) {
               if (parameters == nullptr) return DLLQK_BAD_ARGUMENT;
               const std::int32_t level = ReadInt32(parameters + 8);
               if (level < 0 || level > kHighestEncLevel) return DLLQK_BAD_ARGUMENT;
               std::copy_n(parameters, state.enc_parameters.size(), state.enc_parameters.begin());
               return DLLQK_DONE;
             },
             [&] { return Buffer(parameters, DLLQK_ENC_PARAMETERS_LENGTH); });
}

DLLQK_API int32_t DLLQK_GetEnc_Parameters(uint8_t* parameters) {
  return Run("DLLQK_GetEnc_Parameters", true,
             [&](DeviceState& state) {
               if (parameters == nullptr) return DLLQK_BAD_ARGUMENT;
               std::copy(state.enc_parameters.begin(), state.enc_parameters.end(), parameters);
               return DLLQK_DONE;
             },
             [&] { return Buffer(parameters, DLLQK_ENC_PARAMETERS_LENGTH); });
}

}  // extern "C"
