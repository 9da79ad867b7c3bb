#pragma once
// Automation inside one process: Call runs the served handler directly. The
// virtual platform of tests uses it, so an in-process program is driven with
// the same words as a real one without a bus.

#include "platform/AutomationEndpoint.h"

namespace audio77 {

class InProcessAutomationEndpoint final : public AutomationEndpoint {
 public:
  bool Serve(AutomationHandler handler) override;
  void Withdraw() override { handler_ = nullptr; }
  std::optional<AutomationReply> Call(const std::vector<std::string>& args) override;

 private:
  AutomationHandler handler_;
};

}  // namespace audio77
