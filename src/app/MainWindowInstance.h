#pragma once
// The window instance with its four windows: the main window (whose
// construction is the whole start-up), the about window, the LED dialog and
// the simple mode window, created in that order. It runs the event loop
// until the main window closes and comes forward when a second instance
// asks for it.

#include <memory>
#include <vector>

#include "app/AudioMainForm.h"
#include "app/FirstActivation.h"
#include "app/WindowInstance.h"
#include "lighting/ULEDForm.h"
#include "windows/AboutForm.h"
#include "windows/SimpleModeForm.h"

namespace audio77 {

class MainWindowInstance final : public WindowInstance {
 public:
  explicit MainWindowInstance(const WindowInstanceContext& context);
  ~MainWindowInstance() override;

  void Run() override;
  void BringForward() override;
  void Close() override;

  TAudioMainForm* MainForm() const { return main_.get(); }

 private:
  void CreateWindows();
  // The about window, the LED dialog and the simple window on screen, each
  // shown or hidden as its form says.
  void PresentOtherWindows();
  void OnActivate();

  Platform& platform_;
  toolkit::Application& app_;
  FirstActivation activation_;
  std::unique_ptr<TAudioMainForm> main_;
  std::unique_ptr<TAboutForm> about_;
  std::unique_ptr<TLEDForm> led_;
  // The LED dialog on screen; goes before the dialog.
  std::unique_ptr<TSimpleForm> simple_;
  // Destroyed before the forms they show.
  std::vector<std::unique_ptr<toolkit::Presentation>> presentations_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace audio77
