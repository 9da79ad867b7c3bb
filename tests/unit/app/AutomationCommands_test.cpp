// The words of `audio77ctl ui …` against a small window built with the
// toolkit model: exact output, usage errors, unknown names, mouse input
// through the hook, the tray menu, dialog answers and the window's state.
#include "app/AutomationCommands.h"

#include <gtest/gtest.h>

#include "AutomationFixture.h"
#include "toolkit/ScriptedDialogs.h"

namespace audio77::test {
namespace {

using Args = std::vector<std::string>;

class AutomationCommandsTest : public AutomationWindow {
 protected:
  AutomationReply Run(const Args& args) { return commands.Run(args); }
  std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }

  toolkit::ScriptedDialogs inner;
  AutomationDialogs dialogs{inner};
  AutomationCommands commands{target, dialogs};
};

constexpr const char* kBackgroundLine =
    "Background tag=0 kind=image visible=1 enabled=1 x=0 y=0 w=300 h=200 picture=main.bmp\n";
constexpr const char* kKnobLine =
    "Knob tag=29 kind=image visible=1 enabled=1 x=10 y=20 w=20 h=10 picture=-\n";
constexpr const char* kLabelLine =
    "LabelActive tag=54 kind=label visible=1 enabled=1 x=100 y=5 w=80 h=14 picture=- "
    "caption=\"Device \\\"A\\\"\\\\on\" color=0x563412\n";
constexpr const char* kSecondLine =
    "Second238 tag=238 kind=image visible=1 enabled=1 x=200 y=150 w=4 h=4 picture=-\n";
constexpr const char* kHiddenLine =
    "Hidden tag=238 kind=image visible=0 enabled=0 x=1 y=2 w=3 h=4 picture=-\n";

TEST_F(AutomationCommandsTest, ListGivesEveryControlInCreationOrderInClientSpace) {
  const AutomationReply reply = Run({"list"});
  EXPECT_EQ(reply.code, 0);
  EXPECT_EQ(reply.output,
            std::string(kBackgroundLine) + kKnobLine + kLabelLine +
                "Group tag=7 kind=groupbox visible=1 enabled=1 x=50 y=100 w=100 h=50 picture=-\n"
                "Dot tag=238 kind=shape visible=1 enabled=1 x=55 y=106 w=10 h=10 picture=-\n" +
                kSecondLine + kHiddenLine +
                "Ask tag=60 kind=button visible=1 enabled=1 x=220 y=20 w=60 h=20 picture=-\n");
}

TEST_F(AutomationCommandsTest, GetAndFindGiveOneLineOrFail) {
  struct Case {
    Args args;
    int code;
    std::string output;
  };
  const Case cases[] = {
      {{"get", "Knob"}, 0, kKnobLine},
      {{"get", "LabelActive"}, 0, kLabelLine},
      {{"get", "knob"}, 1, "the window has no control named 'knob'"},
      // A look-up by Tag finds the last created control, hidden or not.
      {{"find", "238"}, 0, kHiddenLine},
      {{"find", "29"}, 0, kKnobLine},
      {{"find", "0"}, 0, kBackgroundLine},
      {{"find", "-5"}, 1, "the window has no control with Tag -5"},
      {{"find", "2x"}, 2, "TAG must be a whole number, not '2x'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    EXPECT_EQ(Run(c.args), (AutomationReply{c.code, c.output}));
  }
}

TEST_F(AutomationCommandsTest, MalformedCommandsAreUsageErrorsAndChangeNothing) {
  const Args cases[] = {
      {},
      {"bogus"},
      {"list", "extra"},
      {"get"},
      {"press"},
      {"press", "Knob", "5"},
      {"click", "Knob", "5", "y"},
      {"press", "Nope", "x", "1"},
      {"move", "1"},
      {"move", "1", "2.5"},
      {"drag", "Knob", "10"},
      {"drag", "Knob", "ten", "0"},
      {"menu"},
      {"answer", "Maybe"},
      {"answer", "ok"},
      {"answer", "FILE="},
      {"answer", "COLOR=123"},
      {"answer", "COLOR=0x"},
      {"answer", "COLOR=0x1234567"},
      {"answer", "COLOR=0x12345G"},
      {"state", "now"},
      {"screenshot", "window.jpg"},
      {"screenshot"},
  };
  for (const Args& args : cases) {
    std::string line;
    for (const auto& word : args) line += word + " ";
    SCOPED_TRACE(line);
    const AutomationReply reply = Run(args);
    EXPECT_EQ(reply.code, 2);
    EXPECT_FALSE(reply.output.empty()) << "a usage error says what is wrong";
  }
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(dialogs.QueuedAnswers(), 0u);
  EXPECT_TRUE(target.screenshots.empty());
}

TEST_F(AutomationCommandsTest, InputOnANameTheWindowDoesNotHaveFails) {
  for (const Args& args : {Args{"press", "Nope"}, Args{"release", "Nope", "1", "2"},
                           Args{"click", "Nope"}, Args{"drag", "Nope", "1", "1"}}) {
    SCOPED_TRACE(args[0]);
    EXPECT_EQ(Run(args), (AutomationReply{1, "the window has no control named 'Nope'"}));
  }
  EXPECT_TRUE(events.empty()) << "no input reaches the window";
}

TEST_F(AutomationCommandsTest, InputAtAHiddenControlsCentreFailsButAPointIsPressed) {
  // Its centre lies over the background: that press would reach the background.
  for (const Args& args : {Args{"press", "Hidden"}, Args{"release", "Hidden"}, Args{"click", "Hidden"},
                           Args{"drag", "Hidden", "1", "1"}}) {
    SCOPED_TRACE(args[0]);
    EXPECT_EQ(Run(args), (AutomationReply{1, "'Hidden' is not shown; give X Y to press at a point"}));
  }
  EXPECT_TRUE(events.empty()) << "no input reaches the window";
  EXPECT_EQ(Run({"click", "Hidden", "2", "3"}).code, 0);
  EXPECT_FALSE(events.empty());
}

TEST_F(AutomationCommandsTest, ClickGoesThroughTheHookThenTheControlAtItsCentre) {
  EXPECT_EQ(Run({"click", "Knob"}), (AutomationReply{0, ""}));
  // Knob's centre is (20,25) in the client area, (120,75) on the screen.
  EXPECT_EQ(TakeEvents(),
            (std::vector<std::string>{"hook down 120,75 L", "Knob down 10,5 L", "hook up 120,75",
                                      "Knob click", "Knob up 10,5"}));
}

TEST_F(AutomationCommandsTest, PointsAreClientCoordinatesAndReachWhateverIsThere) {
  // Pressing "Knob" at a point outside it hits the background, as a real
  // press there would; a hidden control is never hit.
  EXPECT_EQ(Run({"press", "Knob", "2", "3"}).code, 0);
  EXPECT_EQ(Run({"release", "Knob", "2", "3"}).code, 0);
  EXPECT_EQ(TakeEvents(),
            (std::vector<std::string>{"hook down 102,53 L", "Background down 2,3 L",
                                      "hook up 102,53", "Background click", "Background up 2,3"}));
}

TEST_F(AutomationCommandsTest, MovesBetweenPressAndReleaseStayWithThePressedControl) {
  EXPECT_EQ(Run({"move", "15", "25"}).code, 0);
  EXPECT_EQ(Run({"press", "Knob"}).code, 0);
  EXPECT_EQ(Run({"move", "250", "180"}).code, 0);
  EXPECT_EQ(Run({"release", "Knob", "250", "180"}).code, 0);
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                              "hook move 115,75", "Knob move 5,5",  // no button: the hover
                              "hook down 120,75 L", "Knob down 10,5 L", "hook move 350,230 L",
                              "Knob move 240,160 L", "hook up 350,230", "Knob up 240,160"}))
      << "released away from the knob: no click";
}

TEST_F(AutomationCommandsTest, DragPressesAtTheCentreMovesInStepsAndReleases) {
  EXPECT_EQ(Run({"drag", "Knob", "10", "-3"}), (AutomationReply{0, ""}));
  EXPECT_EQ(TakeEvents(),
            (std::vector<std::string>{
                "hook down 120,75 L", "Knob down 10,5 L", "hook move 123,74 L", "Knob move 13,4 L",
                "hook move 126,73 L", "Knob move 16,3 L", "hook move 130,72 L", "Knob move 20,2 L",
                "hook up 130,72", "Knob up 20,2"}));
  EXPECT_EQ(Run({"drag", "Knob", "0", "0"}).code, 0);
  EXPECT_EQ(TakeEvents(), (std::vector<std::string>{
                              "hook down 120,75 L", "Knob down 10,5 L", "hook move 120,75 L",
                              "Knob move 10,5 L", "hook up 120,75", "Knob click", "Knob up 10,5"}))
      << "a drag back to where it started is a click";
}

TEST_F(AutomationCommandsTest, MenusListVisibleItemsAndMenuPicksByCaptions) {
  EXPECT_EQ(Run({"menus"}), (AutomationReply{0, "[ ] Show\tname=Show\n[ ] Skin\tname=Skin\n"
                                                "[x] Skin/Dark\tname=Skin/Dark\n[ ] Skin/Light\tname=Skin/Light\n"
                                                "[ ] Exit\tname=Exit\n"}));
  EXPECT_EQ(Run({"menu", "Skin/Light"}), (AutomationReply{0, ""}));
  EXPECT_EQ(Run({"menus"}).output, "[ ] Show\tname=Show\n[ ] Skin\tname=Skin\n[ ] Skin/Dark\tname=Skin/Dark\n"
                                   "[x] Skin/Light\tname=Skin/Light\n[ ] Exit\tname=Exit\n");
  EXPECT_EQ(Run({"menu", "Show"}).code, 0);
  EXPECT_EQ(events, std::vector<std::string>{"menu Show"});

  struct Case {
    std::string path;
    std::string reason;
  };
  const Case failures[] = {
      {"Skin", "'Skin' opens a submenu; name one of its items"},
      {"Skin/Blue", "the tray menu has no item 'Skin/Blue'"},
      {"Secret", "the tray menu has no item 'Secret'"},
      {"-", "the tray menu has no item '-'"},
      {"Exit", "'Exit' is disabled"},
      {"", "the tray menu has no item ''"},
  };
  for (const Case& c : failures) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(Run({"menu", c.path}), (AutomationReply{1, c.reason}));
  }
  target.tray = nullptr;
  EXPECT_EQ(Run({"menus"}), (AutomationReply{1, "the window has no tray menu"}));
  EXPECT_EQ(Run({"menu", "Show"}), (AutomationReply{1, "the window has no tray menu"}));
}

TEST_F(AutomationCommandsTest, AnswersAreUsedByTheNextDialogsInTurnThenTheRealOnesAnswer) {
  using toolkit::MessageAnswer;
  const toolkit::MessageRequest yes_no{"Keep?", "Audio77", toolkit::MessageIcon::kQuestion,
                                       toolkit::MessageButtons::kYesNo};
  for (const char* answer : {"Yes", "FILE=/tmp/take one.wav", "COLOR=0x00FF80", "Cancel", "OK"}) {
    EXPECT_EQ(Run({"answer", answer}), (AutomationReply{0, ""}));
  }
  inner.QueueMessageAnswer(MessageAnswer::kNo);

  EXPECT_EQ(dialogs.ShowMessage(yes_no), MessageAnswer::kYes);
  EXPECT_EQ(dialogs.OpenFile({}), "/tmp/take one.wav");
  EXPECT_EQ(dialogs.ChooseColor({}), toolkit::Color{0x00FF80});
  EXPECT_EQ(dialogs.SaveFile({}), std::nullopt) << "Cancel";
  // OK cannot be the answer of a Yes/No box: it is used up, the box is dismissed.
  EXPECT_EQ(dialogs.ShowMessage(yes_no), MessageAnswer::kNo);
  EXPECT_EQ(inner.Messages().size(), 0u) << "no real dialog while answers were queued";
  EXPECT_EQ(dialogs.ShowMessage({"Done", "Audio77"}), MessageAnswer::kNo)
      << "the inner dialogs' answer";
  EXPECT_EQ(inner.Messages().size(), 1u);

  EXPECT_EQ(Run({"answer", "FILE=/tmp/x.wav"}).code, 0);
  EXPECT_EQ(dialogs.ShowMessage({"Wrong", "Audio77", toolkit::MessageIcon::kNone,
                                 toolkit::MessageButtons::kOkCancel}),
            MessageAnswer::kCancel)
      << "a file answer for a message box dismisses it";
  EXPECT_EQ(dialogs.QueuedAnswers(), 0u);

  // The open and save dialogs are listed with their title, folder, file and filter.
  EXPECT_EQ(Run({"boxes"}), (AutomationReply{0, "Audio77\tKeep?\n\topen / ()\n\tsave / ()\nAudio77\tKeep?\n"
                                                "Audio77\tDone\nAudio77\tWrong\n"}));
}

// Scripts name items the same way in every language: by the window's name for
// them, or the folder an item lists.
TEST_F(AutomationCommandsTest, MenuItemsAreAlsoReachedByTheirStableNames) {
  toolkit::MenuItem& root = target.tray->Menu()->Root();
  toolkit::MenuItem& language = root.Add("LanguageMenu", "Sprache");
  toolkit::MenuItem& german = language.Add("LanguageMenuItem1", "Deutsch");
  german.OnClick = [this](toolkit::MenuItem&) { events.push_back("menu German"); };
  EXPECT_NE(Run({"menus"}).output.find("[ ] Sprache/Deutsch\tname=Language/Deutsch\n"), std::string::npos);
  for (const char* path : {"Language/Deutsch", "LanguageMenu/Deutsch", "Sprache/Deutsch"}) {
    events.clear();
    EXPECT_EQ(Run({"menu", path}), (AutomationReply{0, ""})) << path;
    EXPECT_EQ(events, std::vector<std::string>{"menu German"}) << path;
  }
  EXPECT_EQ(Run({"menu", "Language/LanguageMenuItem2"}).code, 1);
}

TEST_F(AutomationCommandsTest, AnAnswerServesTheNextActingCommandAndThenNoLaterBox) {
  std::vector<std::string> waited;
  dialogs.SetBeforeWaiting([&waited](const std::string& line) { waited.push_back(line); });
  const toolkit::MessageRequest box{"Unplugged", "Audio77"};

  // Reading the window in between keeps the answer for the next acting command.
  EXPECT_EQ(Run({"answer", "OK"}), (AutomationReply{0, ""}));
  Run({"state"});
  Run({"move", "1", "1"});
  EXPECT_EQ(dialogs.ShowMessage(box), toolkit::MessageAnswer::kOk);
  EXPECT_TRUE(waited.empty());

  // Unused through one acting command, it is dropped when the next one starts.
  EXPECT_EQ(Run({"answer", "Cancel"}), (AutomationReply{0, ""}));
  Run({"move", "1", "1"});
  EXPECT_EQ(dialogs.QueuedAnswers(), 1u);
  Run({"move", "2", "2"});
  EXPECT_EQ(dialogs.QueuedAnswers(), 0u);
  dialogs.ShowMessage(box);
  EXPECT_EQ(inner.Messages().size(), 1u) << "the real dialog answered";
  EXPECT_EQ(waited, std::vector<std::string>{"Audio77\tUnplugged"}) << "told before it waited";
}

TEST_F(AutomationCommandsTest, BoxesKeepOneLinePerBox) {
  dialogs.ShowMessage({"First line\r\nsecond\tcolumn", "Cap\ttion"});
  EXPECT_EQ(Run({"boxes"}).output, "Cap\\ttion\tFirst line\\nsecond\\tcolumn\n");
}

TEST_F(AutomationCommandsTest, StateDescribesTheWindow) {
  EXPECT_EQ(Run({"state"}), (AutomationReply{0,
                                             "visible=0 minimised=0 tray=1 page=0 device_active=0 "
                                             "region_rects=0 title=\"Audio77\"\n"}));
  form.Show();
  form.Minimize();
  form.SetRegion(toolkit::WindowRegion({{0, 0, 10, 10}, {0, 10, 300, 190}}));
  form.SetCaption("My \"Audio\"");
  target.page = 3;
  target.device_active = true;
  tray->SetVisible(false);
  EXPECT_EQ(Run({"state"}).output,
            "visible=1 minimised=1 tray=0 page=3 device_active=1 region_rects=2 title=\"My "
            "\\\"Audio\\\"\"\n");
  target.tray = nullptr;
  EXPECT_NE(Run({"state"}).output.find(" tray=0 "), std::string::npos);
}

TEST_F(AutomationCommandsTest, ScreenshotSavesThroughTheWindowAndReportsFailure) {
  EXPECT_EQ(Run({"screenshot", "/tmp/shot.PNG"}), (AutomationReply{0, "/tmp/shot.PNG\n"}));
  target.screenshot_error = "cannot write /nowhere/shot.png";
  EXPECT_EQ(Run({"screenshot", "/nowhere/shot.png"}),
            (AutomationReply{1, "cannot write /nowhere/shot.png"}));
  EXPECT_EQ(target.screenshots, (std::vector<std::string>{"/tmp/shot.PNG", "/nowhere/shot.png"}));
}

}  // namespace
}  // namespace audio77::test

namespace audio77::test {
namespace {

TEST_F(AutomationCommandsTest, AnotherWindowIsReachedByItsFormName) {
  toolkit::Form about{app, "AboutForm"};
  toolkit::Label& web = about.AddLabel("WebLabel");
  web.SetBounds({88, 51, 200, 18});
  int clicks = 0;
  web.OnClick = [&clicks](toolkit::Control&) { ++clicks; };

  EXPECT_EQ(Run({"window", "AboutForm", "get", "WebLabel"}).code, 0);
  EXPECT_EQ(Run({"window", "AboutForm", "click", "WebLabel"}).code, 0);
  EXPECT_EQ(clicks, 1);
  // The main window is the one addressed again afterwards.
  EXPECT_EQ(Run({"get", "WebLabel"}).code, 1);
  EXPECT_EQ(Run({"window", "NoSuchForm", "list"}), (AutomationReply{1, "no window named 'NoSuchForm'"}));
  EXPECT_EQ(Run({"window", "AboutForm", "menu", "Skin/Dark"}).code, 2);
  EXPECT_EQ(Run({"window", "AboutForm"}).code, 2);

  // Another window can be closed; the main window only from its tray menu.
  about.Show();
  EXPECT_EQ(Run({"window", "AboutForm", "close"}).code, 0);
  EXPECT_FALSE(about.Visible());
  EXPECT_EQ(Run({"close"}).code, 2);
  EXPECT_FALSE(app.Terminated());
}

}  // namespace
}  // namespace audio77::test
