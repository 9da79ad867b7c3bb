#include "platform/InProcessAutomationEndpoint.h"

namespace audio77 {

bool InProcessAutomationEndpoint::Serve(AutomationHandler handler) {
  if (!handler) return false;
  handler_ = std::move(handler);
  return true;
}

std::optional<AutomationReply> InProcessAutomationEndpoint::Call(
    const std::vector<std::string>& args) {
  if (!handler_) return std::nullopt;
  // A copy: the request may withdraw the endpoint (closing the window).
  const AutomationHandler handler = handler_;
  return handler(args);
}

}  // namespace audio77
