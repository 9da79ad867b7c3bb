// Shows the toolkit's demo form: every kind of control, painted by the Qt
// presentation. "--render <file.png>" writes the offscreen picture instead.

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <cstring>

#include "platform/SteadyClock.h"
#include "toolkit/Application.h"
#include "toolkit/EventLoop.h"
#include "toolkit/qt/DemoForm.h"
#include "toolkit/qt/FormWidget.h"
#include "toolkit/qt/QtToolkit.h"
#include "toolkit/qt/QtTrayIcon.h"

int main(int argc, char** argv) {
  using namespace audio77::toolkit;
  const char* render_to = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--render") == 0 && i + 1 < argc) {
      render_to = argv[++i];
    } else {
      std::fprintf(stderr, "usage: toolkit-demo [--render file.png]\n");
      return 2;
    }
  }
  QApplication qt_app(argc, argv);
  audio77::SteadyClock clock;
  EventLoop loop(clock);
  Application app(loop);
  qt::QtToolkit toolkit(app);
  Form form(app, "DemoForm");
  qt::DemoForm demo(form);
  qt::FormWidget widget(form);
  demo.button.OnClick = [&form](Control&) { form.Close(); };
  demo.background.OnMouseDown = [&form](Control&, const MouseEvent& e) {
    if (e.button == MouseButton::kLeft) form.StartSystemMove();
  };
  demo.track.OnChange = [&demo](TrackBar& bar) {
    demo.level_bar.SetWidth(bar.Position() * 100 / 255);
  };
  demo.circle.OnMouseDown = [&app, &demo](Control&, const MouseEvent&) {
    if (const auto chosen = app.GetDialogs().ChooseColor({demo.circle.BrushColor()})) {
      demo.circle.SetBrushColor(*chosen);
    }
  };

  // The tray icon: double click restores, the right button opens the menu.
  TrayIcon& tray = form.AddTrayIcon();
  PopupMenu& menu = form.AddPopupMenu("PopupMenu");
  menu.Add("RestoreMenu", "&Restore").OnClick = [&app](MenuItem&) { app.Restore(); };
  menu.Add("CloseMenu", "&Close").OnClick = [&form](MenuItem&) { form.Close(); };
  tray.SetMenu(&menu);
  tray.SetHint("Audio77 toolkit demo");
  tray.SetPicture(Picture::Filled({16, 16}, 0xFFFF8000));
  qt::QtTrayIcon tray_icon(tray);

  if (render_to != nullptr) {
    if (!widget.RenderToImage().save(render_to, "PNG")) {
      std::fprintf(stderr, "toolkit-demo: cannot write %s\n", render_to);
      return 1;
    }
    return 0;
  }
  form.Show();
  return QApplication::exec();
}
