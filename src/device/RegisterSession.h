#pragma once
// One register transaction over the device's vendor HID interface: the
// interface is opened once, any number of register and GPIO exchanges run on
// it, and Commit() ends the transaction with the closing report. The first
// step that failed is kept, so the caller gets one honest result for the whole
// transaction. A transaction that is dropped without Commit() or Abandon()
// still sends its closing report: the device never stays mid-transaction.

#include <cstdint>
#include <memory>

#include "device/HidTransport.h"

namespace audio77 {

class RegisterSession {
 public:
  // The step numbers a transaction reports beyond those of HidTransport.
  static constexpr int kNoInterface = 1;

  // Owns the interface (null: no interface, every exchange gives kNoInterface).
  explicit RegisterSession(std::unique_ptr<HidHandle> handle);
  // Runs on an interface someone else holds (the one kept from start-up).
  static RegisterSession Borrow(HidHandle* handle);
  ~RegisterSession();
  RegisterSession(RegisterSession&& other) noexcept;
  RegisterSession& operator=(RegisterSession&&) = delete;
  RegisterSession(const RegisterSession&) = delete;
  RegisterSession& operator=(const RegisterSession&) = delete;

  bool IsOpen() const { return handle_ != nullptr; }
  explicit operator bool() const { return IsOpen(); }

  // Each exchange returns HidTransport's step (0 done) and remembers the
  // first failure.
  int Read(std::uint16_t address, std::uint8_t& value);
  int Write(std::uint16_t address, std::uint8_t value);
  // Read-modify-write: only the bits of mask change.
  int SetBits(std::uint16_t address, std::uint8_t mask, bool on);
  int ReadGpio(GpioLines& lines);
  int WriteGpio(const GpioLines& lines);

  // The first failed step so far; 0 when every exchange was done.
  int FirstFailure() const { return first_failure_; }
  // Sends the closing report and ends the transaction. Returns the first
  // failed exchange, else the closing report's step (0 done).
  int Commit();
  // Ends the transaction without a closing report, where a device sequence
  // stops early on a failed exchange. Returns the first failed step.
  int Abandon();

  // For exchanges this class does not wrap; the transaction stays open.
  HidHandle* Handle() const { return handle_; }

 private:
  RegisterSession(std::unique_ptr<HidHandle> owned, HidHandle* handle);
  int Remember(int step);

  std::unique_ptr<HidHandle> owned_;
  HidHandle* handle_ = nullptr;
  int first_failure_ = 0;
  bool ended_ = false;
};

// Where features start their register transactions: the current device's
// interface, opened for one transaction.
class RegisterPort {
 public:
  virtual ~RegisterPort() = default;
  virtual RegisterSession BeginRegisters() = 0;
};

}  // namespace audio77
