#pragma once
// The words of `audio77ctl ui …`, run against the main window. Each command
// gives an exit code (0 done, 1 failed, 2 usage) and its output, one line per
// item:
//   list                 every control in creation order, as ControlLine writes it
//   get NAME             that line for one control
//   find TAG             the line of the control a look-up by Tag finds (the
//                        last created control with that Tag)
//   press NAME [X Y]     left button down at X Y (the control's centre when
//                        left out); release, click likewise; move X Y
//   drag NAME DX DY      press at the centre, moves in steps, release DX DY away
//   menu PATH            picks a tray-menu item by its captions ("Skin/Dark")
//   menus                every visible item: "[x] Skin/Dark", "[ ] Skin/Light"
//   answer A             pre-answers the next dialog: OK, Cancel, Yes, No,
//                        FILE=PATH or COLOR=0xBBGGRR
//   boxes                the message boxes shown so far, "CAPTION<TAB>TEXT"
//   state                visible=0|1 minimised=0|1 tray=0|1 page=N
//                        device_active=0|1 region_rects=N title="…"
//   screenshot FILE.png  saves the window as painted; prints the file name
//   window NAME COMMAND  runs list, get, find, press, release, click, move,
//                        drag, state or screenshot on another window of the
//                        program by its form name (AboutForm, LEDForm,
//                        SimpleForm); close closes that window
// Coordinates are in the form's client space. Mouse input goes through the
// form's own entry points: the hook first, then the control under the point
// (or the one holding the press), as with a real mouse.

#include <string>
#include <vector>

#include "app/AutomationDialogs.h"
#include "app/AutomationTarget.h"
#include "platform/AutomationEndpoint.h"

namespace audio77 {

class AutomationCommands {
 public:
  AutomationCommands(AutomationTarget& target, AutomationDialogs& dialogs)
      : target_(target), dialogs_(dialogs) {}

  AutomationReply Run(const std::vector<std::string>& args);

 private:
  AutomationReply List();
  AutomationReply Get(const std::vector<std::string>& args);
  AutomationReply FindTag(const std::vector<std::string>& args);
  AutomationReply Mouse(const std::vector<std::string>& args);
  AutomationReply Move(const std::vector<std::string>& args);
  AutomationReply Drag(const std::vector<std::string>& args);
  AutomationReply Menu(const std::vector<std::string>& args);
  AutomationReply Menus();
  AutomationReply Answer(const std::vector<std::string>& args);
  AutomationReply Boxes();
  AutomationReply State();
  AutomationReply Screenshot(const std::vector<std::string>& args);
  AutomationReply OnWindow(const std::vector<std::string>& args);
  // The window the command acts on: the main window, or the one `window` names.
  toolkit::Form& Form();

  void Press(toolkit::Point client);
  void MoveTo(toolkit::Point client);
  void Release(toolkit::Point client);

  AutomationTarget& target_;
  AutomationDialogs& dialogs_;
  // The left button as automation left it, so that moves between a press and
  // a release carry it, as a real drag's do.
  bool left_down_ = false;
  toolkit::Form* window_ = nullptr;
};

// One control as `ui list` shows it:
// NAME tag=T kind=K visible=0|1 enabled=0|1 x=L y=T w=W h=H picture=FILE
// and, for labels, caption="TEXT" color=0xBBGGRR (the font colour). The
// rectangle is in the form's client space; picture is the file name only, "-"
// when there is none. In the caption, " \ and line breaks are written \" \\ \n.
std::string ControlLine(const toolkit::Control& control);

}  // namespace audio77
