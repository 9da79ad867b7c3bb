#pragma once
// Driving the running window instance from outside (end-to-end tests, demos,
// scripts). The window instance serves one handler; `audio77ctl ui …` calls it
// with its argument words and prints the reply. The handler always runs on the
// UI thread of the serving process.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace audio77 {

// What a request gives back: the exit code (0 done, 1 failed, 2 usage) and the
// text to print (the result on success, the reason otherwise).
struct AutomationReply {
  int code = 0;
  std::string output;
  friend bool operator==(const AutomationReply&, const AutomationReply&) = default;
};

using AutomationHandler = std::function<AutomationReply(const std::vector<std::string>& args)>;

class AutomationEndpoint {
 public:
  virtual ~AutomationEndpoint() = default;
  // The window instance: answer requests with handler until Withdraw (or the
  // end of the endpoint). False when serving is not allowed here or the
  // transport refused.
  virtual bool Serve(AutomationHandler handler) = 0;
  virtual void Withdraw() = 0;
  // While a request runs: sends its reply now, before the handler returns
  // (a dialog the request opened waits for a person); what the handler
  // returns later is dropped. Does nothing where a request cannot be answered
  // early (in-process endpoints).
  virtual void ReplyNow(const AutomationReply& /*reply*/) {}
  // A client: runs one request in the serving instance; nothing when no
  // instance answered.
  virtual std::optional<AutomationReply> Call(const std::vector<std::string>& args) = 0;
};

}  // namespace audio77
