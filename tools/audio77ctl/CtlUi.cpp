// audio77ctl ui: drives the running window instance through its automation
// endpoint (the session bus; served on the virtual platform, or on Linux when
// the program runs with AUDIO77_AUTOMATION=1). The window does the work; this
// side only makes file names absolute, since the window runs in a folder of
// its own, and prints the reply.
#include <filesystem>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CtlContext.h"

namespace audio77::ctl {
namespace {

// "key=value key=\"quoted \\\" value\"" as the window writes its records.
Json ParsePairs(std::string_view text) {
  Json pairs = Json::object();
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && text[at] == ' ') ++at;
    const auto equals = text.find('=', at);
    if (equals == std::string_view::npos) break;
    const std::string key(text.substr(at, equals - at));
    std::string value;
    at = equals + 1;
    if (at < text.size() && text[at] == '"') {
      for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) {
          ++at;
          value += text[at] == 'n' ? '\n' : text[at];
        } else {
          value += text[at];
        }
      }
      ++at;  // the closing quote
    } else {
      const auto space = text.find(' ', at);
      value = std::string(text.substr(at, space == std::string_view::npos ? std::string_view::npos : space - at));
      at = space == std::string_view::npos ? text.size() : space;
    }
    static const std::set<std::string> kNumbers = {"tag", "x", "y", "w", "h", "page", "region_rects"};
    static const std::set<std::string> kFlags = {"visible", "enabled", "minimised", "tray", "device_active"};
    if (kFlags.count(key) && (value == "0" || value == "1")) {
      pairs[key] = value == "1";
    } else if (kNumbers.count(key) && !value.empty() &&
               value.find_first_not_of("-0123456789") == std::string::npos) {
      pairs[key] = std::stol(value);
    } else {
      pairs[key] = value;
    }
  }
  return pairs;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The window's text reply of a listing command as one JSON document; null
// for commands that list nothing.
Json ReplyDocument(const std::string& verb, const std::string& reply) {
  if (verb == "list" || verb == "get" || verb == "find") {
    Json controls = Json::array();
    for (const auto& line : Lines(reply)) {
      const auto space = line.find(' ');
      Json control = {{"name", line.substr(0, space)}};
      if (space != std::string::npos) control.update(ParsePairs(std::string_view(line).substr(space + 1)));
      controls.push_back(control);
    }
    return {{"controls", controls}};
  }
  if (verb == "state") return ParsePairs(Lines(reply).empty() ? "" : Lines(reply).front());
  if (verb == "boxes") {
    Json boxes = Json::array();
    for (const auto& line : Lines(reply)) {
      const auto tab = line.find('\t');
      boxes.push_back({{"caption", line.substr(0, tab)},
                       {"text", tab == std::string::npos ? "" : line.substr(tab + 1)}});
    }
    return {{"boxes", boxes}};
  }
  if (verb == "menus") {
    Json items = Json::array();
    for (const auto& line : Lines(reply)) {
      // "[x] Caption/Path<TAB>name=Stable/Path" (the name part may be missing).
      const bool checked = line.rfind("[x] ", 0) == 0;
      const std::string rest = line.size() > 4 ? line.substr(4) : "";
      const auto tab = rest.find('\t');
      Json item = {{"path", rest.substr(0, tab)}, {"checked", checked}};
      if (tab != std::string::npos) item.update(ParsePairs(std::string_view(rest).substr(tab + 1)));
      items.push_back(item);
    }
    return {{"items", items}};
  }
  if (verb == "screenshot") return {{"file", Lines(reply).empty() ? "" : Lines(reply).front()}};
  return nullptr;
}

std::string Absolute(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

int RunUi(CtlContext& context, CtlArgs args) {
  if (args.empty())
    return context.UsageError("usage: ui COMMAND [ARGUMENTS] (see audio77ctl --help)");
  std::vector<std::string> words(args.begin(), args.end());
  if (words[0] == "screenshot" && words.size() == 2) words[1] = Absolute(words[1]);
  // The window instance runs in another folder: a picture of another window
  // goes where the caller means too.
  if (words[0] == "window" && words.size() == 4 && words[2] == "screenshot") words[3] = Absolute(words[3]);
  if (words[0] == "answer" && words.size() == 2 && words[1].starts_with("FILE=") &&
      words[1].size() > 5) {
    words[1] = "FILE=" + Absolute(words[1].substr(5));
  }
  const auto reply = context.platform().automation.Call(words);
  if (!reply) {
    return context.Fail(
        "no window instance answers; automation is served by audio77 on the virtual platform "
        "or when started with AUDIO77_AUTOMATION=1, on the same session bus");
  }
  if (reply->code == kExitUsage) return context.UsageError(reply->output);
  if (reply->code != kExitOk) {
    return context.Fail(reply->output.empty() ? "the window could not do it" : reply->output);
  }
  if (context.json) {
    if (const Json document = ReplyDocument(words[0], reply->output); !document.is_null()) context.Emit(document);
    return kExitOk;
  }
  context.out << reply->output;
  return kExitOk;
}

}  // namespace

std::vector<CtlNoun> UiNouns() {
  return {
      {"ui",
       "ui list                              every control of the main window, in creation order\n"
       "ui get NAME | ui find TAG            one control's line, by name or by Tag look-up\n"
       "ui press|release|click NAME [X Y]    left button at X Y (the centre of NAME, which must be shown)\n"
       "ui move X Y | ui drag NAME DX DY     pointer moves; a drag from the control's centre\n"
       "ui menu PATH | ui menus              pick a tray-menu item (\"Skin/Dark\"); list them\n"
       "ui answer OK|Cancel|Yes|No|FILE=PATH|COLOR=0xBBGGRR   answer the waiting dialog, or the next one\n"
       "ui boxes | ui state                  message boxes shown; the window's state\n"
       "ui screenshot FILE.png               save the window as painted\n"
       "ui window NAME COMMAND [ARGUMENTS]   list, get, find, press, release, click, move, drag, state,\n"
       "                                     screenshot or close on another window (AboutForm, LEDForm,\n"
       "                                     SimpleForm)\n",
       RunUi},
  };
}

}  // namespace audio77::ctl
