#pragma once
// One Qt window per form. It paints the form's graphic controls (only the
// rectangles the model reports as changed), shows the standard controls as
// real Qt widgets kept in step with the model, feeds Qt's mouse input into the
// model (hook first, then the control under the pointer) and does what only the
// window system can: frame, mask, system move, modal loop. No behaviour lives
// here.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <map>
#include <optional>
#include <utility>

#include "toolkit/Color.h"
#include "toolkit/FormView.h"
#include "toolkit/Geometry.h"

class QEventLoop;
class QInputEvent;

namespace audio77::toolkit {
class Form;
class Control;
}  // namespace audio77::toolkit

namespace audio77::toolkit::qt {

class FormWidget final : public QWidget, public FormView {
 public:
  explicit FormWidget(Form& form, QWidget* parent = nullptr);
  ~FormWidget() override;

  Form& GetForm() const { return form_; }
  QWidget* WidgetFor(const Control& control) const;

  // The form as it looks, with the window region cut out (transparent).
  QImage RenderToImage();
  // What the last paint event covered, for checking partial repaints.
  QRegion LastPaintedRegion() const { return last_painted_; }
  int PaintCount() const { return paint_count_; }

  void Invalidate(const Rect& client_rect) override;
  void ControlStateChanged(Control& control) override;
  void FormChanged() override;
  void StartSystemMove() override;
  void RunModal() override;
  void FormDestroyed() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* CreateWidget(Control& control);
  void Sync(Control& control);
  static void SyncTextColor(QWidget& widget, const std::optional<Color>& color);
  void ApplyFormState();
  void ApplyWindowFlags();
  void ForwardMouse(QMouseEvent* event, Point client, bool double_click);
  bool AlreadyForwarded(const QInputEvent* event);
  void ForwardWidgetMouse(Control& control, QWidget* widget, QEvent* event);

  Form& form_;
  bool form_gone_ = false;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const QObject*, Control*> controls_by_widget_;
  QEventLoop* modal_loop_ = nullptr;
  bool applying_ = false;
  bool frameless_applied_ = false;
  QRegion last_painted_;
  int paint_count_ = 0;
  std::pair<quint64, int> last_forwarded_{0, -1};
};

}  // namespace audio77::toolkit::qt
