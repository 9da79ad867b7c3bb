#pragma once
// The window instance until the main window and its companions exist: it
// registers the session messages, keeps the activation behaviour, runs the
// application's event loop and ends on the exit message. The main controller
// takes its place in WindowInstance.

#include "app/FirstActivation.h"
#include "app/RegisteredMessages.h"
#include "app/WindowInstance.h"

namespace audio77 {

class PendingMainWindow final : public WindowInstance {
 public:
  explicit PendingMainWindow(const WindowInstanceContext& context);
  ~PendingMainWindow() override;

  void Run() override;
  void BringForward() override;
  void Close() override;
  bool Minimised() const { return minimised_; }

 private:
  void Activate();
  void OnMessage(std::uint32_t message);

  Platform& platform_;
  toolkit::Application& app_;
  RegisteredMessages messages_;
  FirstActivation activation_;
  bool minimised_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace audio77
