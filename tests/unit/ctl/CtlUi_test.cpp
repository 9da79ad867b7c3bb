// `audio77ctl ui …` as a separate program against a window served on a
// private session bus: the reply's output and exit code arrive as the window
// gave them, virtual devices are told apart by their state folder, and a bus
// without a serving window gives a clear failure.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "../app/AutomationFixture.h"
#include "../platform_linux/QtApplication.h"
#include "CtlTestRun.h"
#include "app/AutomationServer.h"
#include "platform/linux/SessionAutomationEndpoint.h"
#include "support/BackgroundProcess.h"
#include "support/PrivateBus.h"
#include "support/TempDir.h"

namespace audio77::test {
namespace {

class CtlUiOverSessionBus : public AutomationWindow {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ASSERT_FALSE(bus_.Address().empty());
  }
  void TearDown() override { QDBusConnection::disconnectFromBus("automation-window"); }

  std::function<QDBusConnection()> Connection() {
    const QString address = QString::fromStdString(bus_.Address());
    return [address] { return QDBusConnection::connectToBus(address, "automation-window"); };
  }

  // Runs audio77ctl while this process answers its request.
  ctl::Outcome Ctl(const std::vector<std::string>& args,
                   std::map<std::string, std::string> environment) {
    environment["DBUS_SESSION_BUS_ADDRESS"] = bus_.Address();
    BackgroundProcess ctl((DistDir() / "audio77ctl").string(), args, environment);
    std::optional<int> code;
    for (int round = 0; round < 2000 && !code; ++round) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
      code = ctl.Wait(std::chrono::milliseconds(0));
      if (!code) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return {code.value_or(-1), ctl.Out(), ctl.Err()};
  }

  PrivateBus bus_;
  const std::map<std::string, std::string> linux_{{"AUDIO77_PLATFORM", "linux"}};
};

TEST_F(CtlUiOverSessionBus, ListFailuresAndUsageComeBackAsTheWindowGaveThem) {
  SessionAutomationEndpoint endpoint(Connection(), SessionAutomationEndpoint::LinuxBusName(), true);
  AutomationServer server(endpoint, target);
  ASSERT_TRUE(server.Start());

  const auto list = Ctl({"ui", "list"}, linux_);
  EXPECT_EQ(list.code, 0) << list.err;
  EXPECT_EQ(list.out, AutomationCommands(target, server.Dialogs()).Run({"list"}).output);
  EXPECT_EQ(list.err, "");

  const auto missing = Ctl({"ui", "click", "Nope"}, linux_);
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "audio77ctl: the window has no control named 'Nope'\n");

  const auto usage = Ctl({"ui", "move", "1"}, linux_);
  EXPECT_EQ(usage.code, 2);
  EXPECT_EQ(usage.err.rfind("audio77ctl: wrong number of arguments for 'ui move'\n", 0), 0u)
      << usage.err;

  const auto shot = Ctl({"ui", "screenshot", "relative/shot.png"}, linux_);
  EXPECT_EQ(shot.code, 0) << shot.err;
  ASSERT_EQ(target.screenshots.size(), 1u);
  EXPECT_TRUE(target.screenshots[0].starts_with("/")) << "made absolute on the calling side";
  EXPECT_TRUE(target.screenshots[0].ends_with("/relative/shot.png"));
}

TEST_F(CtlUiOverSessionBus, JsonRecordsCarryTheFieldsOfTheTextLines) {
  SessionAutomationEndpoint endpoint(Connection(), SessionAutomationEndpoint::LinuxBusName(), true);
  AutomationServer server(endpoint, target);
  ASSERT_TRUE(server.Start());
  server.Dialogs().ShowMessage(
      {"Line one\nline \"two\"", "Caption", toolkit::MessageIcon::kWarning, toolkit::MessageButtons::kOk});

  const auto text = Ctl({"ui", "list"}, linux_);
  const auto json = Ctl({"--json", "ui", "list"}, linux_);
  ASSERT_EQ(json.code, 0) << json.err;
  const auto document = nlohmann::json::parse(json.out);
  std::istringstream lines(text.out);
  std::size_t index = 0;
  for (std::string line; std::getline(lines, line); ++index) {
    ASSERT_LT(index, document["controls"].size());
    const auto& control = document["controls"][index];
    // Each field of the line, in the line's spelling.
    std::string rebuilt = control["name"].get<std::string>() + " tag=" + std::to_string(control["tag"].get<int>()) +
                          " kind=" + control["kind"].get<std::string>() +
                          " visible=" + (control["visible"].get<bool>() ? "1" : "0") +
                          " enabled=" + (control["enabled"].get<bool>() ? "1" : "0");
    EXPECT_EQ(line.rfind(rebuilt, 0), 0u) << line;
    EXPECT_NE(line.find(" x=" + std::to_string(control["x"].get<int>()) + " "), std::string::npos) << line;
    if (control.contains("caption")) {
      EXPECT_NE(line.find(" color=" + control["color"].get<std::string>()), std::string::npos) << line;
    }
  }
  EXPECT_EQ(index, document["controls"].size());

  const auto boxes = nlohmann::json::parse(Ctl({"ui", "boxes", "--json"}, linux_).out);
  ASSERT_EQ(boxes["boxes"].size(), 1u);
  EXPECT_EQ(boxes["boxes"][0]["caption"], "Caption");
  EXPECT_EQ(boxes["boxes"][0]["text"], "Line one\\nline \"two\"");

  const auto state = nlohmann::json::parse(Ctl({"--json", "ui", "state"}, linux_).out);
  EXPECT_TRUE(state["visible"].is_boolean()) << state.dump();
  EXPECT_TRUE(state["page"].is_number()) << state.dump();
  EXPECT_TRUE(state["title"].is_string()) << state.dump();

  const auto missing = Ctl({"--json", "ui", "get", "Nope"}, linux_);
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(nlohmann::json::parse(missing.err)["error"], "the window has no control named 'Nope'");
}

TEST_F(CtlUiOverSessionBus, EachVirtualDeviceHasItsOwnWindowAndNoneMeansFailure) {
  TempDir state;
  SessionAutomationEndpoint endpoint(
      Connection(), SessionAutomationEndpoint::VirtualBusName(state.path().string()), true);
  AutomationServer server(endpoint, target);
  ASSERT_TRUE(server.Start());

  const auto same = Ctl({"ui", "get", "Knob"}, {{"AUDIO77_PLATFORM", "virtual"},
                                                {"AUDIO77_VIRTUAL_DIR", state.path().string()}});
  EXPECT_EQ(same.code, 0) << same.err;
  EXPECT_EQ(same.out, "Knob tag=29 kind=image visible=1 enabled=1 x=10 y=20 w=20 h=10 picture=-\n");

  TempDir other;
  for (const auto& environment : {linux_, std::map<std::string, std::string>{
                                              {"AUDIO77_PLATFORM", "virtual"},
                                              {"AUDIO77_VIRTUAL_DIR", other.path().string()}}}) {
    const auto nobody = Ctl({"ui", "state"}, environment);
    EXPECT_EQ(nobody.code, 1);
    EXPECT_EQ(nobody.err.rfind("audio77ctl: no window instance answers", 0), 0u) << nobody.err;
  }
}

TEST_F(CtlUiOverSessionBus, ARequestThatEndsTheServingStillGetsItsReply) {
  // As when `ui menu Close` closes the window and its server goes.
  SessionAutomationEndpoint endpoint(Connection(), SessionAutomationEndpoint::LinuxBusName(), true);
  ASSERT_TRUE(endpoint.Serve([&endpoint](const std::vector<std::string>&) {
    endpoint.Withdraw();
    return AutomationReply{0, "closing\n"};
  }));
  const auto last = Ctl({"ui", "menu", "Close"}, linux_);
  EXPECT_EQ(last.code, 0) << last.err;
  EXPECT_EQ(last.out, "closing\n");
  EXPECT_EQ(Ctl({"ui", "state"}, linux_).code, 1) << "nobody serves any more";
}

TEST_F(CtlUiOverSessionBus, TheLinuxPlatformServesOnlyWhenAskedTo) {
  SessionAutomationEndpoint off(Connection(), SessionAutomationEndpoint::LinuxBusName(), false);
  AutomationServer server(off, target);
  EXPECT_FALSE(server.Start());
  EXPECT_EQ(Ctl({"ui", "list"}, linux_).code, 1);
}

}  // namespace
}  // namespace audio77::test
