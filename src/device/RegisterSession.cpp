#include "device/RegisterSession.h"

#include <utility>

namespace audio77 {

RegisterSession::RegisterSession(std::unique_ptr<HidHandle> handle) : RegisterSession(std::move(handle), nullptr) {}

RegisterSession::RegisterSession(std::unique_ptr<HidHandle> owned, HidHandle* handle)
    : owned_(std::move(owned)), handle_(owned_ ? owned_.get() : handle) {
  ended_ = handle_ == nullptr;
}

RegisterSession RegisterSession::Borrow(HidHandle* handle) { return RegisterSession(nullptr, handle); }

RegisterSession::RegisterSession(RegisterSession&& other) noexcept
    : owned_(std::move(other.owned_)),
      handle_(std::exchange(other.handle_, nullptr)),
      first_failure_(other.first_failure_),
      ended_(std::exchange(other.ended_, true)) {}

RegisterSession::~RegisterSession() {
  if (!ended_ && handle_ != nullptr) HidTransport::SendClosingReport(handle_);
}

int RegisterSession::Remember(int step) {
  if (step != 0 && first_failure_ == 0) first_failure_ = step;
  return step;
}

int RegisterSession::Read(std::uint16_t address, std::uint8_t& value) {
  if (!handle_) return Remember(kNoInterface);
  return Remember(HidTransport::RegisterRead(handle_, address, value));
}

int RegisterSession::Write(std::uint16_t address, std::uint8_t value) {
  if (!handle_) return Remember(kNoInterface);
  return Remember(HidTransport::RegisterWrite(handle_, address, value));
}

int RegisterSession::SetBits(std::uint16_t address, std::uint8_t mask, bool on) {
  std::uint8_t value = 0;
  if (const int step = Read(address, value); step != 0) return step;
  value = static_cast<std::uint8_t>(on ? value | mask : value & ~mask);
  return Write(address, value);
}

int RegisterSession::ReadGpio(GpioLines& lines) {
  if (!handle_) return Remember(kNoInterface);
  return Remember(HidTransport::GpioRead(handle_, lines));
}

int RegisterSession::WriteGpio(const GpioLines& lines) {
  if (!handle_) return Remember(kNoInterface);
  return Remember(HidTransport::GpioWrite(handle_, lines));
}

int RegisterSession::Commit() {
  if (!handle_) return Remember(kNoInterface);
  if (ended_) return first_failure_;
  ended_ = true;
  const int closing = HidTransport::SendClosingReport(handle_);
  return first_failure_ != 0 ? first_failure_ : closing;
}

int RegisterSession::Abandon() {
  ended_ = true;
  return handle_ ? first_failure_ : Remember(kNoInterface);
}

}  // namespace audio77
