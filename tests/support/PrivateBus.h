#pragma once
// A D-Bus daemon of the test's own, so that programs under test neither see
// nor disturb anybody else's bus names. Ends with the object.

#include <memory>
#include <string>

#include "support/BackgroundProcess.h"

namespace audio77::test {

class PrivateBus {
 public:
  PrivateBus();
  // The address to put into DBUS_SESSION_BUS_ADDRESS or DBUS_SYSTEM_BUS_ADDRESS;
  // empty when the daemon could not be started.
  const std::string& Address() const { return address_; }

 private:
  std::unique_ptr<BackgroundProcess> daemon_;
  std::string address_;
};

}  // namespace audio77::test
