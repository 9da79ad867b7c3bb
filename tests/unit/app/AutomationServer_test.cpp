// Serving the window's automation: requests through the endpoint, the dialogs
// put in front of the application's while it serves, and nothing when
// automation is off.
#include "app/AutomationServer.h"

#include <gtest/gtest.h>

#include "AutomationFixture.h"
#include "platform/InProcessAutomationEndpoint.h"

namespace audio77::test {
namespace {

// An endpoint where serving is not allowed (the Linux platform without
// AUDIO77_AUTOMATION=1).
class ClosedEndpoint final : public AutomationEndpoint {
 public:
  bool Serve(AutomationHandler) override { return false; }
  void Withdraw() override {}
  std::optional<AutomationReply> Call(const std::vector<std::string>&) override {
    return std::nullopt;
  }
};

using AutomationServerTest = AutomationWindow;

TEST_F(AutomationServerTest, AnsweredQuestionAndBoxesTravelThroughTheEndpoint) {
  InProcessAutomationEndpoint endpoint;
  toolkit::Dialogs& real = app.GetDialogs();
  {
    AutomationServer server(endpoint, target);
    EXPECT_EQ(endpoint.Call({"state"}), std::nullopt) << "nothing served before Start";
    ASSERT_TRUE(server.Start());
    EXPECT_EQ(&app.GetDialogs(), &server.Dialogs());

    EXPECT_EQ(endpoint.Call({"answer", "Yes"}), (AutomationReply{0, ""}));
    EXPECT_EQ(endpoint.Call({"click", "Ask"}), (AutomationReply{0, ""}));
    EXPECT_EQ(events, (std::vector<std::string>{"hook down 350,80 L", "hook up 350,80", "asked 6"}))
        << "the button's click got the queued Yes (6)";
    EXPECT_EQ(endpoint.Call({"boxes"}), (AutomationReply{0, "Question\tSave?\\nNow\n"}));
    EXPECT_EQ(endpoint.Call({"get", "Nope"})->code, 1);
  }
  EXPECT_EQ(&app.GetDialogs(), &real) << "the application's own dialogs are back";
  EXPECT_EQ(endpoint.Call({"state"}), std::nullopt) << "withdrawn with the server";
}

TEST_F(AutomationServerTest, WhereServingIsOffTheDialogsStayAsTheyWere) {
  ClosedEndpoint endpoint;
  toolkit::Dialogs& real = app.GetDialogs();
  AutomationServer server(endpoint, target);
  EXPECT_FALSE(server.Start());
  EXPECT_FALSE(server.Serving());
  EXPECT_EQ(&app.GetDialogs(), &real);
}

}  // namespace
}  // namespace audio77::test
