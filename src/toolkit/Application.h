#pragma once
// What is shared by all forms of the program: the event loop, the
// application-wide mouse hook, the pointer and screen, the title, the picture
// cache, the dialogs (and the message boxes of the layers below over them),
// text measuring, the menu presenter, the presenter of forms and tray icon,
// and the main form.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/Dialogs.h"
#include "toolkit/DialogsMessageBox.h"
#include "toolkit/EstimatedTextMeasurer.h"
#include "toolkit/EventLoop.h"
#include "toolkit/HeaderPictureLoader.h"
#include "toolkit/MouseEvent.h"
#include "toolkit/PictureCache.h"
#include "toolkit/Presenter.h"
#include "toolkit/ScriptedDialogs.h"
#include "toolkit/TextMeasurer.h"

namespace audio77::toolkit {

class Form;
class MenuPresenter;

class Application {
 public:
  using MouseHook = std::function<void(const HookMessage&)>;

  explicit Application(EventLoop& loop);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  EventLoop& Loop() const { return loop_; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  // The hook sees every press, move and release of every form before the
  // control does; it cannot consume them. Returns an id for RemoveMouseHook.
  int AddMouseHook(MouseHook hook);
  void RemoveMouseHook(int id);
  void RunMouseHooks(const HookMessage& message);

  // The pointer in screen coordinates, as the last input left it.
  Point CursorPos() const { return cursor_; }
  void SetCursorPos(Point screen) { cursor_ = screen; }
  Size ScreenSize() const { return screen_; }
  void SetScreenSize(Size screen) { screen_ = screen; }

  PictureCache& Pictures() { return pictures_; }
  // The loader stays owned by the caller and must outlive the application.
  void SetPictureLoader(PictureLoader& loader) { pictures_.SetLoader(loader); }
  Dialogs& GetDialogs() const { return *dialogs_; }
  void SetDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
  // Message boxes for the layers below the toolkit (the device library's
  // binding error), shown on the current dialogs.
  MessageBox& Boxes() { return boxes_; }
  Size MeasureText(std::string_view text, const Font& font, int wrap_width) const;
  void SetTextMeasurer(TextMeasurer& measurer) { measurer_ = &measurer; }
  MenuPresenter* GetMenuPresenter() const { return menu_presenter_; }
  // Puts forms and the tray icon on screen; nothing when headless.
  Presenter* GetPresenter() const { return presenter_; }
  void SetPresenter(Presenter* presenter) { presenter_ = presenter; }
  // Back to the headless loader, measurer and scripted dialogs, without a menu
  // presenter or presenter (when a presentation that installed its own goes away).
  void UseHeadlessServices();
  void SetMenuPresenter(MenuPresenter* presenter) { menu_presenter_ = presenter; }

  // The first form created, unless set otherwise; closing it ends the program.
  Form* MainForm() const { return main_form_; }
  void SetMainForm(Form& form) { main_form_ = &form; }
  const std::vector<Form*>& Forms() const { return forms_; }

  // Minimises the program (the main form) to the taskbar.
  void Minimize();
  // Shows the main form again, from the tray or the taskbar.
  void Restore();
  void Terminate();
  bool Terminated() const { return loop_.QuitRequested(); }

  // Runs a modal form when it has no view (headless): tests script here what
  // the user does while the form is up. The default returns at once.
  void SetModalRunner(std::function<void(Form&)> runner) { modal_runner_ = std::move(runner); }
  void RunModalHeadless(Form& form);

  // For Form only.
  void RegisterForm(Form& form);
  void UnregisterForm(Form& form);

 private:
  EventLoop& loop_;
  std::string title_;
  struct HookEntry {
    int id;
    MouseHook hook;
  };
  std::vector<HookEntry> hooks_;
  int next_hook_id_ = 1;
  Point cursor_;
  Size screen_{1920, 1080};
  HeaderPictureLoader header_loader_;
  PictureCache pictures_;
  ScriptedDialogs scripted_dialogs_;
  Dialogs* dialogs_;
  DialogsMessageBox boxes_;
  EstimatedTextMeasurer estimated_measurer_;
  TextMeasurer* measurer_;
  MenuPresenter* menu_presenter_ = nullptr;
  Presenter* presenter_ = nullptr;
  Form* main_form_ = nullptr;
  std::vector<Form*> forms_;
  std::function<void(Form&)> modal_runner_;
};

}  // namespace audio77::toolkit
