// Registered messages and the instance link between two connections of a
// private session bus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <atomic>
#include <thread>

#include "QtApplication.h"
#include "platform/linux/SessionInstanceLink.h"
#include "platform/linux/SessionMessageBus.h"
#include "support/PrivateBus.h"

namespace audio77 {
namespace {

class PrivateSessionBus : public ::testing::Test {
 protected:
  void SetUp() override {
    test::EnsureQtApplication();
    ASSERT_FALSE(bus_.Address().empty());
  }
  void TearDown() override {
    for (const char* name : {"one", "two", "three"}) QDBusConnection::disconnectFromBus(name);
  }
  std::function<QDBusConnection()> Connection(const char* name) {
    const QString address = QString::fromStdString(bus_.Address());
    return [address, name] { return QDBusConnection::connectToBus(address, name); };
  }
  // Lets the event loop run until condition holds (or a generous limit passes).
  static bool Pump(const std::function<bool()>& condition) {
    for (int round = 0; round < 500 && !condition(); ++round) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return condition();
  }

  test::PrivateBus bus_;
};

TEST_F(PrivateSessionBus, BroadcastsTravelByNameAndReachTheSenderOnce) {
  SessionMessageBus sender(Connection("one"));
  SessionMessageBus receiver(Connection("two"));
  const auto sent_exit = sender.Register("WM_AUDIO_EFFECT_EXIT");
  const auto sent_other = sender.Register("WM_SOMETHING_ELSE");
  // The receiver numbers its names differently: only the name travels.
  receiver.Register("WM_APP_EXIT_RESUME");
  const auto received_exit = receiver.Register("WM_AUDIO_EFFECT_EXIT");
  ASSERT_NE(sent_exit, received_exit);

  std::vector<std::uint32_t> at_sender;
  std::vector<std::uint32_t> at_receiver;
  sender.SetHandler([&](std::uint32_t m) { at_sender.push_back(m); });
  receiver.SetHandler([&](std::uint32_t m) { at_receiver.push_back(m); });

  // The send runs none of this program's events: a due timer waits, and so
  // does the receiving connection, which is served by this thread's loop.
  bool timer_ran = false;
  QTimer::singleShot(0, [&] { timer_ran = true; });
  sender.Broadcast(sent_exit);
  EXPECT_EQ(at_sender, std::vector<std::uint32_t>{sent_exit}) << "the sender hears itself at once";
  EXPECT_FALSE(timer_ran);
  EXPECT_TRUE(at_receiver.empty());
  EXPECT_TRUE(Pump([&] { return !at_receiver.empty(); }));
  EXPECT_TRUE(timer_ran);
  EXPECT_EQ(at_receiver, std::vector<std::uint32_t>{received_exit});

  sender.Broadcast(sent_other);  // a name the receiver never registered
  sender.Broadcast(0x1234);      // a number nobody registered goes nowhere
  Pump([] { return false; });
  EXPECT_EQ(at_sender, (std::vector<std::uint32_t>{sent_exit, sent_other}));
  EXPECT_EQ(at_receiver, std::vector<std::uint32_t>{received_exit});
}

TEST_F(PrivateSessionBus, WithoutABusOnlyTheSenderHearsItself) {
  SessionMessageBus alone(
      [] { return QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), "three"); });
  const auto exit = alone.Register("WM_QKW77xxAPP_EXIT");
  EXPECT_EQ(alone.Register("WM_QKW77xxAPP_EXIT"), exit);
  int heard = 0;
  alone.SetHandler([&](std::uint32_t m) { heard += m == exit; });
  alone.Broadcast(exit);
  EXPECT_EQ(heard, 1);
}

TEST_F(PrivateSessionBus, SecondInstanceActivatesTheRunningOneOnlyUnderTheSameTitle) {
  std::atomic<int> activations = 0;
  auto running = std::make_unique<SessionInstanceLink>(Connection("one"));
  ASSERT_TRUE(running->Publish("Audio77", [&] { ++activations; }));
  SessionInstanceLink rival(Connection("three"));
  EXPECT_FALSE(rival.Publish("Audio77", [] {})) << "the title is taken";

  SessionInstanceLink second(Connection("two"));
  // The running instance answers on this thread's loop, so the caller waits on another.
  auto activate = [&](const std::string& title) {
    std::atomic<bool> done = false;
    bool found = false;
    std::thread caller([&] {
      found = second.ActivateRunning(title);
      done = true;
    });
    Pump([&] { return done.load(); });
    caller.join();
    return found;
  };
  EXPECT_TRUE(activate("Audio77"));
  EXPECT_EQ(activations, 1);
  EXPECT_FALSE(activate("Headset Center"));
  EXPECT_EQ(activations, 1);

  running.reset();
  EXPECT_FALSE(activate("Audio77")) << "the name went with the instance";
}

TEST(SessionInstanceLink, BusNamesAreValidForAnyTitle) {
  EXPECT_EQ(SessionInstanceLink::BusNameFor("Audio77"), "org.audio77.Instance.T417564696F3737");
  EXPECT_EQ(SessionInstanceLink::BusNameFor(""), "org.audio77.Instance.T");
  const QString long_name = SessionInstanceLink::BusNameFor(std::string(300, '\xE4'));
  EXPECT_LE(long_name.size(), 255);
  EXPECT_NE(long_name, SessionInstanceLink::BusNameFor(std::string(301, '\xE4')));
}

}  // namespace
}  // namespace audio77
