#include "app/AutomationCommands.h"

#include "settings/HexText.h"
#include "toolkit/Application.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace audio77 {
namespace {

using toolkit::Control;
using toolkit::ControlKind;
using toolkit::MenuItem;
using toolkit::Point;

// Moves of a drag are at most this many pixels apart along the longer axis.
constexpr int kDragStep = 4;

AutomationReply Done(std::string output = {}) { return {0, std::move(output)}; }
AutomationReply Failed(std::string reason) { return {1, std::move(reason)}; }
AutomationReply Usage(std::string reason) { return {2, std::move(reason)}; }

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || last != end) return std::nullopt;
  return value;
}

std::string_view KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kImage:
      return "image";
    case ControlKind::kLabel:
      return "label";
    case ControlKind::kShape:
      return "shape";
    case ControlKind::kCheckBox:
      return "checkbox";
    case ControlKind::kRadioButton:
      return "radiobutton";
    case ControlKind::kTrackBar:
      return "trackbar";
    case ControlKind::kButton:
      return "button";
    case ControlKind::kGroupBox:
      return "groupbox";
    case ControlKind::kRadioGroup:
      return "radiogroup";
    case ControlKind::kDirectoryList:
      return "directorylist";
  }
  return "control";
}

std::string PictureName(const Control& control) {
  const auto* image = dynamic_cast<const toolkit::Image*>(&control);
  if (image == nullptr || !image->HasPicture() || image->GetPicture()->Source().empty()) return "-";
  const std::string& source = image->GetPicture()->Source();
  const auto slash = source.find_last_of("/\\");
  return slash == std::string::npos ? source : source.substr(slash + 1);
}

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out + '"';
}

std::string Hex6(std::uint32_t value) { return "0x" + HexDigits(value & 0xFFFFFF, 6); }

Point Centre(const Control& control) {
  const toolkit::Rect r = control.ClientRect();
  return {r.left + r.width / 2, r.top + r.height / 2};
}

// The point of "NAME [X Y]": X Y when given, else the control's centre.
std::optional<Point> PointOf(const Control& control, const std::vector<std::string>& args) {
  if (args.size() == 2) return Centre(control);
  const auto x = ParseInt(args[2]);
  const auto y = ParseInt(args[3]);
  if (!x || !y) return std::nullopt;
  return Point{*x, *y};
}

std::string NoControl(const std::string& name) {
  return "the window has no control named '" + name + "'";
}

// Input aimed at a control's centre would land on whatever lies there while
// the control itself is hidden (another page's button at the same place).
std::string NotShown(const std::string& name) {
  return "'" + name + "' is not shown; give X Y to press at a point";
}

// Menu items as shown: visible, separators left out; path of plain captions.
// An item's name for scripts, the same in every language: the window's own
// name for it without the "Menu" ending ("SkinMenu" is "Skin"); items that
// list folders (skins, languages, plug-ins) go by their folder's name.
std::string StableName(const MenuItem& item) {
  const std::string& name = item.Name();
  const auto listed = name.rfind("MenuItem");
  if (listed != std::string::npos && listed + 8 < name.size() &&
      std::all_of(name.begin() + static_cast<std::ptrdiff_t>(listed + 8), name.end(),
                  [](unsigned char c) { return std::isdigit(c) != 0; })) {
    return item.PlainCaption();
  }
  if (name.size() > 4 && name.ends_with("Menu")) return name.substr(0, name.size() - 4);
  return name;
}

bool NamedBy(const MenuItem& item, const std::string& word) {
  return item.PlainCaption() == word || item.Name() == word || StableName(item) == word;
}

// "[x] Caption/Path<TAB>name=Stable/Path" per visible item.
void ListItems(const MenuItem& parent, const std::string& prefix, const std::string& stable_prefix,
               std::string& out) {
  for (const auto& item : parent.Items()) {
    if (!item->Visible() || item->Caption() == "-") continue;
    const std::string path = prefix + item->PlainCaption();
    const std::string stable = stable_prefix + StableName(*item);
    out += item->Checked() ? "[x] " : "[ ] ";
    out += path + "\tname=" + stable + '\n';
    ListItems(*item, path + '/', stable + '/', out);
  }
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto slash = path.find('/', start);
    parts.push_back(path.substr(start, slash - start));
    if (slash == std::string::npos) return parts;
    start = slash + 1;
  }
}

std::optional<DialogAnswer> ParseAnswer(const std::string& word) {
  using toolkit::MessageAnswer;
  static const std::map<std::string, MessageAnswer> kButtons = {{"OK", MessageAnswer::kOk},
                                                                {"Cancel", MessageAnswer::kCancel},
                                                                {"Yes", MessageAnswer::kYes},
                                                                {"No", MessageAnswer::kNo}};
  if (const auto found = kButtons.find(word); found != kButtons.end()) return found->second;
  if (word.starts_with("FILE=") && word.size() > 5) return FileAnswer{word.substr(5)};
  if (word.starts_with("COLOR=0x") || word.starts_with("COLOR=0X")) {
    const std::string_view digits = std::string_view(word).substr(8);
    std::uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [last, error] = std::from_chars(digits.data(), end, value, 16);
    if (!digits.empty() && digits.size() <= 6 && error == std::errc{} && last == end) {
      return ColorAnswer{value};
    }
  }
  return std::nullopt;
}

bool EndsWithPng(const std::string& path) {
  if (path.size() <= 4) return false;
  std::string suffix = path.substr(path.size() - 4);
  std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return suffix == ".png";
}

}  // namespace

std::string ControlLine(const Control& control) {
  const toolkit::Rect r = control.ClientRect();
  std::string line = control.Name() + " tag=" + std::to_string(control.Tag()) +
                     " kind=" + std::string(KindName(control.Kind())) +
                     " visible=" + (control.Visible() ? "1" : "0") +
                     " enabled=" + (control.Enabled() ? "1" : "0") +
                     " x=" + std::to_string(r.left) + " y=" + std::to_string(r.top) +
                     " w=" + std::to_string(r.width) + " h=" + std::to_string(r.height) +
                     " picture=" + PictureName(control);
  if (const auto* label = dynamic_cast<const toolkit::Label*>(&control)) {
    line += " caption=" + Quoted(label->Caption()) + " color=" + Hex6(label->GetFont().color);
  }
  return line;
}

AutomationReply AutomationCommands::Run(const std::vector<std::string>& args) {
  // Reading the window never uses up or drops a queued answer.
  static const std::vector<std::string> kReading = {"list",  "get",   "find",  "menus",
                                                    "boxes", "state", "screenshot", "answer"};
  // Once per request: `ui window NAME VERB` comes back here for its verb.
  if (window_ == nullptr && !args.empty()) {
    const std::string& acting = args[0] == "window" && args.size() > 2 ? args[2] : args[0];
    if (std::find(kReading.begin(), kReading.end(), acting) == kReading.end()) dialogs_.BeginActingCommand();
  }
  if (!args.empty() && args[0] == "window") return OnWindow(args);
  if (args.empty()) return Usage("ui needs a command");
  const std::string& verb = args[0];
  const std::size_t n = args.size();
  if (verb == "list" && n == 1) return List();
  if (verb == "get" && n == 2) return Get(args);
  if (verb == "find" && n == 2) return FindTag(args);
  if ((verb == "press" || verb == "release" || verb == "click") && (n == 2 || n == 4))
    return Mouse(args);
  if (verb == "move" && n == 3) return Move(args);
  if (verb == "drag" && n == 4) return Drag(args);
  if (verb == "menu" && n == 2) return Menu(args);
  if (verb == "menus" && n == 1) return Menus();
  if (verb == "answer" && n == 2) return Answer(args);
  if (verb == "boxes" && n == 1) return Boxes();
  if (verb == "state" && n == 1) return State();
  if (verb == "screenshot" && n == 2) return Screenshot(args);
  // Only another window: closing the main window ends the program.
  if (verb == "close" && n == 1 && window_ != nullptr) {
    window_->Close();
    return Done();
  }
  static const std::vector<std::string> kVerbs = {
      "list", "get",  "find",  "press",  "release", "click", "move",
      "drag", "menu", "menus", "answer", "boxes",   "state", "screenshot", "window"};
  if (std::find(kVerbs.begin(), kVerbs.end(), verb) == kVerbs.end()) {
    return Usage("unknown ui command '" + verb + "'");
  }
  return Usage("wrong number of arguments for 'ui " + verb + "'");
}

AutomationReply AutomationCommands::List() {
  std::string out;
  for (const auto& control : Form().Controls())
    out += ControlLine(*control) + '\n';
  return Done(std::move(out));
}

AutomationReply AutomationCommands::Get(const std::vector<std::string>& args) {
  const Control* control = Form().FindControl(args[1]);
  if (control == nullptr) return Failed(NoControl(args[1]));
  return Done(ControlLine(*control) + '\n');
}

AutomationReply AutomationCommands::FindTag(const std::vector<std::string>& args) {
  const auto tag = ParseInt(args[1]);
  if (!tag) return Usage("TAG must be a whole number, not '" + args[1] + "'");
  const Control* control = Form().FindByTag<Control>(*tag);
  if (control == nullptr) return Failed("the window has no control with Tag " + args[1]);
  return Done(ControlLine(*control) + '\n');
}

AutomationReply AutomationCommands::Mouse(const std::vector<std::string>& args) {
  const Control* control = Form().FindControl(args[1]);
  const auto point = control != nullptr ? PointOf(*control, args) : std::nullopt;
  if (args.size() == 4 && (!ParseInt(args[2]) || !ParseInt(args[3]))) {
    return Usage("X and Y must be whole numbers");
  }
  if (control == nullptr) return Failed(NoControl(args[1]));
  if (args.size() == 2 && !control->Showing()) return Failed(NotShown(args[1]));
  if (args[0] == "press" || args[0] == "click") Press(*point);
  if (args[0] == "release" || args[0] == "click") Release(*point);
  return Done();
}

AutomationReply AutomationCommands::Move(const std::vector<std::string>& args) {
  const auto x = ParseInt(args[1]);
  const auto y = ParseInt(args[2]);
  if (!x || !y) return Usage("X and Y must be whole numbers");
  MoveTo({*x, *y});
  return Done();
}

AutomationReply AutomationCommands::Drag(const std::vector<std::string>& args) {
  const auto dx = ParseInt(args[2]);
  const auto dy = ParseInt(args[3]);
  if (!dx || !dy) return Usage("DX and DY must be whole numbers");
  const Control* control = Form().FindControl(args[1]);
  if (control == nullptr) return Failed(NoControl(args[1]));
  if (!control->Showing()) return Failed(NotShown(args[1]));
  const Point start = Centre(*control);
  Press(start);
  const int longest = std::max(std::abs(*dx), std::abs(*dy));
  const int steps = std::max(1, (longest + kDragStep - 1) / kDragStep);
  for (int step = 1; step <= steps; ++step) {
    MoveTo({start.x + *dx * step / steps, start.y + *dy * step / steps});
  }
  Release({start.x + *dx, start.y + *dy});
  return Done();
}

void AutomationCommands::Press(Point client) {
  Form().MouseDown(client, toolkit::MouseButton::kLeft, toolkit::kLeftButton);
  left_down_ = true;
}

void AutomationCommands::MoveTo(Point client) {
  Form().MouseMove(client,
                                     left_down_ ? toolkit::kLeftButton : toolkit::kShiftNone);
}

void AutomationCommands::Release(Point client) {
  left_down_ = false;
  Form().MouseUp(client, toolkit::MouseButton::kLeft, toolkit::kShiftNone);
}

AutomationReply AutomationCommands::Menu(const std::vector<std::string>& args) {
  toolkit::TrayIcon* tray = target_.AutomationTray();
  toolkit::PopupMenu* menu = tray != nullptr ? tray->Menu() : nullptr;
  if (menu == nullptr) return Failed("the window has no tray menu");
  MenuItem* item = &menu->Root();
  for (const std::string& word : SplitPath(args[1])) {
    const auto& items = item->Items();
    // The caption shown wins over another item's stable name.
    auto found = std::find_if(items.begin(), items.end(), [&](const auto& candidate) {
      return candidate->Visible() && candidate->Caption() != "-" && candidate->PlainCaption() == word;
    });
    if (found == items.end()) {
      found = std::find_if(items.begin(), items.end(), [&](const auto& candidate) {
        return candidate->Visible() && candidate->Caption() != "-" && NamedBy(*candidate, word);
      });
    }
    if (found == items.end()) return Failed("the tray menu has no item '" + args[1] + "'");
    item = found->get();
  }
  if (!item->Items().empty())
    return Failed("'" + args[1] + "' opens a submenu; name one of its items");
  if (!item->Enabled()) return Failed("'" + args[1] + "' is disabled");
  item->Click();
  return Done();
}

AutomationReply AutomationCommands::Menus() {
  toolkit::TrayIcon* tray = target_.AutomationTray();
  toolkit::PopupMenu* menu = tray != nullptr ? tray->Menu() : nullptr;
  if (menu == nullptr) return Failed("the window has no tray menu");
  std::string out;
  ListItems(menu->Root(), "", "", out);
  return Done(std::move(out));
}

AutomationReply AutomationCommands::Answer(const std::vector<std::string>& args) {
  auto answer = ParseAnswer(args[1]);
  if (!answer) return Usage("the answer must be OK, Cancel, Yes, No, FILE=PATH or COLOR=0xBBGGRR");
  // A dialog already waiting takes the answer now; otherwise it waits for
  // the dialog the next command opens.
  if (dialogs_.AnswerWaiting(*answer)) return Done("answered the waiting dialog\n");
  dialogs_.QueueAnswer(std::move(*answer));
  return Done();
}

AutomationReply AutomationCommands::Boxes() {
  std::string out;
  for (const std::string& box : dialogs_.Boxes()) out += box + '\n';
  return Done(std::move(out));
}

AutomationReply AutomationCommands::State() {
  const toolkit::Form& form = Form();
  const toolkit::TrayIcon* tray = target_.AutomationTray();
  const bool tray_shown = tray != nullptr && tray->Visible();
  std::string out = std::string("visible=") + (form.Visible() ? "1" : "0") +
                    " minimised=" + (form.State() == toolkit::WindowState::kMinimized ? "1" : "0") +
                    " tray=" + (tray_shown ? "1" : "0") +
                    " page=" + std::to_string(target_.AutomationPage()) +
                    " device_active=" + (target_.AutomationDeviceActive() ? "1" : "0") +
                    " region_rects=" + std::to_string(form.Region().Rects().size()) +
                    " title=" + Quoted(form.Caption()) + '\n';
  return Done(std::move(out));
}

AutomationReply AutomationCommands::Screenshot(const std::vector<std::string>& args) {
  if (!EndsWithPng(args[1])) return Usage("the picture's file name must end in .png");
  const std::string error = window_ != nullptr ? target_.AutomationScreenshotOf(*window_, args[1])
                                               : target_.AutomationScreenshot(args[1]);
  if (!error.empty()) return Failed(error);
  return Done(args[1] + '\n');
}

toolkit::Form& AutomationCommands::Form() { return window_ != nullptr ? *window_ : target_.AutomationForm(); }

AutomationReply AutomationCommands::OnWindow(const std::vector<std::string>& args) {
  if (args.size() < 3) return Usage("usage: ui window NAME COMMAND [ARGUMENTS]");
  toolkit::Form* found = nullptr;
  for (toolkit::Form* form : Form().App().Forms()) {
    if (form->Name() == args[1]) found = form;
  }
  if (found == nullptr) return AutomationReply{1, "no window named '" + args[1] + "'"};
  static const std::vector<std::string> kWindowVerbs = {"list", "get",  "find",       "press", "release", "click",
                                                        "move", "drag", "screenshot", "state", "close"};
  if (std::find(kWindowVerbs.begin(), kWindowVerbs.end(), args[2]) == kWindowVerbs.end()) {
    return Usage("'ui window' takes list, get, find, press, release, click, move, drag, state, screenshot or close");
  }
  window_ = found;
  const bool was_down = std::exchange(left_down_, false);
  AutomationReply reply = Run(std::vector<std::string>(args.begin() + 2, args.end()));
  left_down_ = was_down;
  window_ = nullptr;
  return reply;
}

}  // namespace audio77
