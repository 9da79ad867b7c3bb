// Service requests against a systemd manager stand-in on a private bus.
#include "platform/linux/SystemdServiceManager.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDBusConnectionInterface>
#include <array>
#include <cstring>

#include "QtApplication.h"
#include "platform/linux/ControlDatagram.h"
#include "support/PrivateBus.h"
#include "support/TempDir.h"

namespace audio77 {
namespace {

// Every case works on a unit of its own, so the cases do not depend on their order.
constexpr const char* kUnits = R"({"units": {
  "Stopped.service": {"state": "inactive"},
  "Failed.service": {"state": "failed"},
  "Running.service": {"state": "active"},
  "Refusing.service": {"state": "inactive", "start": "fail"},
  "Stuck.service": {"state": "inactive", "start": "pending"},
  "RunningToStop.service": {"state": "active"},
  "AlreadyStopped.service": {"state": "inactive"},
  "RefusingStop.service": {"state": "active", "stop": "fail"},
  "StuckStop.service": {"state": "active", "stop": "pending"},
  "Reloading.service": {"state": "reloading"},
  "Unknown.service": {"state": "maintenance-ish"},
  "Coded.service": {"state": "active"},
  "CodedNoSocket.service": {"state": "active"}}})";

// A bound datagram socket that stands for the service's control socket.
class ControlSocket {
 public:
  explicit ControlSocket(const std::string& path) : path_(path) {
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  ~ControlSocket() { ::close(fd_); }
  std::string Receive() const {
    std::array<char, 64> buffer{};
    const ssize_t n = ::recv(fd_, buffer.data(), buffer.size(), MSG_DONTWAIT);
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
  }

 private:
  std::string path_;
  int fd_ = -1;
};

class SystemdStandIn : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::EnsureQtApplication();
    bus_ = std::make_unique<test::PrivateBus>();
    ASSERT_FALSE(bus_->Address().empty()) << "no private bus";
    mock_ = std::make_unique<test::BackgroundProcess>(
        "/usr/bin/python3",
        std::vector<std::string>{"-m", "dbusmock", "--template", (test::SourceDir() / "tests/dbus/systemd_units.py").string(), "-p",
         kUnits},
        std::map<std::string, std::string>{{"DBUS_SYSTEM_BUS_ADDRESS", bus_->Address()}});
    QDBusConnection connection = Connection();
    ASSERT_TRUE(connection.isConnected());
    ASSERT_TRUE(test::WaitUntil(
        [&] { return connection.interface()->isServiceRegistered("org.freedesktop.systemd1").value(); },
        std::chrono::seconds(20)))
        << mock_->Err();
  }
  static void TearDownTestSuite() {
    QDBusConnection::disconnectFromBus("systemd-stand-in");
    mock_.reset();
    bus_.reset();
  }
  static QDBusConnection Connection() {
    return QDBusConnection::connectToBus(QString::fromStdString(bus_->Address()), "systemd-stand-in");
  }

  test::TempDir folder_;
  SystemdServiceManager manager_{[] { return Connection(); }, folder_.File("control")};

  static std::unique_ptr<test::PrivateBus> bus_;
  static std::unique_ptr<test::BackgroundProcess> mock_;
};

std::unique_ptr<test::PrivateBus> SystemdStandIn::bus_;
std::unique_ptr<test::BackgroundProcess> SystemdStandIn::mock_;

std::unique_ptr<ServiceHandle> Open(ServiceManager& manager, const std::string& name) {
  const auto connection = manager.OpenManager(1);
  return connection ? connection->OpenService(name, 0xF01FF) : nullptr;
}

TEST_F(SystemdStandIn, StatesFollowTheUnitsActiveState) {
  struct Case {
    const char* service;
    std::optional<ServiceState> state;
  };
  const Case cases[] = {
      {"Stopped", ServiceState::kStopped},     {"Failed", ServiceState::kStopped},
      {"Running", ServiceState::kRunning},     {"Reloading", ServiceState::kRunning},
      {"Unknown", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.service);
    const auto service = Open(manager_, c.service);
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(service->QueryState(), c.state);
  }
  EXPECT_EQ(Open(manager_, "NotInstalled"), nullptr) << "a unit systemd cannot find is no service";
}

TEST_F(SystemdStandIn, StartAndStopRunTheUnitsJobs) {
  struct Case {
    const char* service;
    bool stop;
    bool accepted;
    std::optional<ServiceState> after;
  };
  const Case cases[] = {
      {"Stopped", false, true, ServiceState::kRunning},
      {"Refusing", false, false, ServiceState::kStopped},
      {"Stuck", false, true, ServiceState::kStartPending},
      {"RunningToStop", true, true, ServiceState::kStopped},
      {"RefusingStop", true, false, ServiceState::kRunning},
      {"StuckStop", true, true, ServiceState::kStopPending},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.service);
    const auto service = Open(manager_, c.service);
    ASSERT_NE(service, nullptr);
    EXPECT_EQ(c.stop ? service->Control(1) : service->Start(), c.accepted);
    EXPECT_EQ(service->QueryState(), c.after);
  }
  // Standard codes other than stop have no counterpart in systemd.
  EXPECT_FALSE(Open(manager_, "Running")->Control(2));
}

TEST_F(SystemdStandIn, OwnCodesGoToTheControlSocketAsLittleEndianDatagrams) {
  const ControlSocket socket(folder_.File("control"));
  const auto service = Open(manager_, "Coded");
  ASSERT_NE(service, nullptr);
  EXPECT_TRUE(service->Control(196));
  EXPECT_EQ(socket.Receive(), std::string("\xC4\0\0\0", 4));
  EXPECT_TRUE(service->Control(193));
  EXPECT_EQ(socket.Receive(), std::string("\xC1\0\0\0", 4));

  SystemdServiceManager deaf([] { return Connection(); }, folder_.File("nobody"));
  EXPECT_FALSE(Open(deaf, "CodedNoSocket")->Control(196)) << "nobody listens";
  EXPECT_FALSE(SendControlDatagram(std::string(200, 'x'), 196)) << "a path too long for a socket";
}

TEST(SystemdServiceManager, WithoutASystemBusTheManagerIsUnreachable) {
  test::EnsureQtApplication();
  SystemdServiceManager manager(
      [] { return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "no-bus"); },
      "/nonexistent/control");
  EXPECT_EQ(manager.OpenManager(1), nullptr);
  QDBusConnection::disconnectFromBus("no-bus");
}

}  // namespace
}  // namespace audio77
