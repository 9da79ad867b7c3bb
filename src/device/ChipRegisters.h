#pragma once
// The audio controller's chip registers the window writes, each named once.
// Features build their register traffic from these in their codecs.

#include <cstdint>

namespace audio77::chip {

// Effect enables: one bit per effect block.
inline constexpr std::uint16_t kEffectEnable = 0x100;
inline constexpr std::uint8_t kEqEnableBit = 0x04;
inline constexpr std::uint8_t k3DEnableBit = 0x80;

// Equalizer: a low and a high register per band, from here on.
inline constexpr std::uint16_t kFirstEqBand = 0x120;
// Band 4's high register also carries four bits of the device's own (4..7).
inline constexpr std::uint16_t kEqBand4High = 0x129;

// 3D: the switch register with FBM and on/off bits, one parameter pair per side.
inline constexpr std::uint16_t k3DSwitch = 0x18A;
inline constexpr std::uint8_t kFbmBit = 0x01;
inline constexpr std::uint8_t k3DSwitchBit = 0x40;
inline constexpr std::uint16_t k3DLeft = 0x18B;
inline constexpr std::uint16_t k3DRight = 0x18C;
// Two registers whose 0xA nibbles must read 0xF while 3D is on.
inline constexpr std::uint16_t k3DNibbleFix[] = {0x1CD, 0x1CE};

}  // namespace audio77::chip
