#include "device/ExtensionTransport.h"

#include <array>
#include <span>

namespace audio77 {
namespace {

void PutLe16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLe32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetLe32(const std::uint8_t* at) {
  return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
         (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

}  // namespace

int ExtensionTransport::PresenceTest(std::uint16_t vendor_id, std::uint16_t product_id) {
  path_.Select(vendor_id, product_id);
  return extension_.Open(path_.Get()) ? 0 : 1;
}

int ExtensionTransport::Send(std::uint32_t code, const std::uint8_t* in, std::size_t in_size,
                             std::uint8_t* out, std::size_t out_size, std::uint32_t& returned) {
  auto handle = extension_.Open(path_.Get());
  if (!handle) return 1;
  returned = 0;
  const bool done = handle->Control(code, std::span(in, in_size), std::span(out, out_size), returned);
  handle.reset();
  return done ? 0 : 2;
}

int ExtensionTransport::Query(std::uint16_t selector, std::uint32_t& value) {
  std::array<std::uint8_t, 8> request{};
  PutLe16(&request[0], 1);
  PutLe16(&request[2], selector);
  PutLe32(&request[4], value);
  // One buffer serves as input and output: bytes the driver leaves alone keep the request.
  auto buffer = request;
  std::uint32_t returned = 0;
  if (const int result = Send(kQueryCode, request.data(), request.size(), buffer.data(), buffer.size(), returned)) {
    return result;
  }
  if (returned == 0) return 3;
  value = GetLe32(&buffer[4]);
  return 0;
}

int ExtensionTransport::StatusQuery(std::uint32_t& value) {
  std::array<std::uint8_t, 8> request{};
  PutLe32(&request[0], 1);
  auto buffer = request;
  std::uint32_t returned = 0;
  if (const int result = Send(kStatusQueryCode, request.data(), request.size(), buffer.data(), buffer.size(), returned)) {
    return result;
  }
  value = GetLe32(&buffer[4]);
  return 0;
}

int ExtensionTransport::SelectEffect(std::uint32_t effect_index) {
  std::array<std::uint8_t, 4> request{};
  PutLe32(request.data(), effect_index);
  std::uint32_t returned = 0;
  return Send(kSelectEffectCode, request.data(), request.size(), nullptr, 0, returned);
}

int ExtensionTransport::ApplyEffect(std::uint32_t value) {
  std::array<std::uint8_t, 4> request{};
  PutLe32(request.data(), value);
  std::uint32_t returned = 0;
  return Send(kApplyEffectCode, request.data(), request.size(), nullptr, 0, returned);
}

}  // namespace audio77
