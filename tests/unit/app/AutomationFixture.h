#pragma once
// A small main window for automation tests, built with the toolkit model: a
// background picture, a knob, a status label, a group box with a shape, two
// controls sharing a Tag, a hidden one, a button that asks a question, and a
// tray icon with a menu. Every mouse event, at the hook and at the controls,
// is recorded as one line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AutomationTarget.h"
#include "platform/ManualClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/Form.h"

namespace audio77::test {

class AutomationTestTarget : public AutomationTarget {
 public:
  explicit AutomationTestTarget(toolkit::Form& form) : form_(form) {}
  toolkit::Form& AutomationForm() override { return form_; }
  toolkit::TrayIcon* AutomationTray() override { return tray; }
  int AutomationPage() override { return page; }
  bool AutomationDeviceActive() override { return device_active; }
  std::string AutomationScreenshot(const std::string& png_path) override {
    screenshots.push_back(png_path);
    return screenshot_error;
  }

  toolkit::TrayIcon* tray = nullptr;
  int page = 0;
  bool device_active = false;
  std::string screenshot_error;
  std::vector<std::string> screenshots;

 private:
  toolkit::Form& form_;
};

class AutomationWindow : public ::testing::Test {
 protected:
  AutomationWindow() {
    using namespace toolkit;
    form.SetCaption("Audio77");
    form.SetClientSize({300, 200});
    form.SetPosition({100, 50});
    app.AddMouseHook([this](const HookMessage& m) {
      events.push_back("hook " + Action(m.action) + " " + std::to_string(m.screen.x) + "," +
                       std::to_string(m.screen.y) + ((m.shift & kLeftButton) != 0 ? " L" : ""));
    });

    Image& background = form.AddImage("Background");
    background.SetBounds({0, 0, 300, 200});
    background.SetPicture(std::make_shared<Picture>(Size{300, 200}, std::vector<std::uint32_t>{},
                                                    "/opt/audio77/skins/Dark/main.bmp"));
    Record(background);
    Image& knob = form.AddImage("Knob", 29);
    knob.SetBounds({10, 20, 20, 10});
    Record(knob);
    Label& label = form.AddLabel("LabelActive", 54);
    label.SetAutoSize(false);
    label.SetBounds({100, 5, 80, 14});
    label.SetCaption("Device \"A\"\\on");
    label.SetFontColor(RgbColor(0x12, 0x34, 0x56));
    GroupBox& group = form.AddGroupBox("Group", 7);
    group.SetBounds({50, 100, 100, 50});
    Shape& dot = form.AddShape("Dot", 238, &group);
    dot.SetBounds({5, 6, 10, 10});
    form.AddImage("Second238", 238).SetBounds({200, 150, 4, 4});
    Image& hidden = form.AddImage("Hidden", 238);
    hidden.SetBounds({1, 2, 3, 4});
    hidden.Hide();
    hidden.SetEnabled(false);
    Button& ask = form.AddButton("Ask", 60);
    ask.SetBounds({220, 20, 60, 20});
    ask.OnClick = [this](Control&) {
      const MessageAnswer answer = app.GetDialogs().ShowMessage(
          {"Save?\nNow", "Question", MessageIcon::kQuestion, MessageButtons::kYesNo});
      events.push_back("asked " + std::to_string(static_cast<int>(answer)));
    };

    PopupMenu& menu = form.AddPopupMenu("TrayMenu");
    menu.Add("Show", "&Show").OnClick = [this](MenuItem&) { events.push_back("menu Show"); };
    menu.Add("Sep", "-");
    MenuItem& skin = menu.Add("Skin", "S&kin");
    for (const char* name : {"Dark", "Light"}) {
      MenuItem& item = skin.Add(name, name);
      item.SetAutoCheck(true);
      item.SetRadioItem(true);
    }
    skin.Items()[0]->SetChecked(true);
    menu.Add("Secret", "Secret").SetVisible(false);
    menu.Add("Exit", "E&xit").SetEnabled(false);
    tray = &form.AddTrayIcon();
    tray->SetMenu(&menu);
    target.tray = tray;
  }

  static std::string Action(toolkit::MouseAction action) {
    switch (action) {
      case toolkit::MouseAction::kDown:
        return "down";
      case toolkit::MouseAction::kMove:
        return "move";
      case toolkit::MouseAction::kUp:
        return "up";
    }
    return "?";
  }

  void Record(toolkit::Control& control) {
    auto line = [this, &control](const char* what, const toolkit::MouseEvent& e) {
      events.push_back(control.Name() + " " + what + " " + std::to_string(e.position.x) + "," +
                       std::to_string(e.position.y) +
                       ((e.shift & toolkit::kLeftButton) != 0 ? " L" : ""));
    };
    control.OnMouseDown = [line](toolkit::Control&, const toolkit::MouseEvent& e) {
      line("down", e);
    };
    control.OnMouseMove = [line](toolkit::Control&, const toolkit::MouseEvent& e) {
      line("move", e);
    };
    control.OnMouseUp = [line](toolkit::Control&, const toolkit::MouseEvent& e) { line("up", e); };
    control.OnClick = [this, &control](toolkit::Control&) {
      events.push_back(control.Name() + " click");
    };
  }

  ManualClock clock{1000};
  toolkit::EventLoop loop{clock};
  toolkit::Application app{loop};
  toolkit::Form form{app, "AudioMainForm"};
  AutomationTestTarget target{form};
  toolkit::TrayIcon* tray = nullptr;
  std::vector<std::string> events;
};

}  // namespace audio77::test
