#include "toolkit/qt/FormWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QWindow>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/qt/ContainerWidget.h"
#include "toolkit/qt/FormPainter.h"
#include "toolkit/qt/RadioGroupWidget.h"

namespace audio77::toolkit::qt {
namespace {

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

MouseButton ToButton(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton:
      return MouseButton::kRight;
    case Qt::MiddleButton:
      return MouseButton::kMiddle;
    default:
      return MouseButton::kLeft;
  }
}

ShiftState ToShift(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  ShiftState shift = kShiftNone;
  if (modifiers & Qt::ShiftModifier) shift |= kShiftKey;
  if (modifiers & Qt::AltModifier) shift |= kAltKey;
  if (modifiers & Qt::ControlModifier) shift |= kCtrlKey;
  if (buttons & Qt::LeftButton) shift |= kLeftButton;
  if (buttons & Qt::RightButton) shift |= kRightButton;
  if (buttons & Qt::MiddleButton) shift |= kMiddleButton;
  return shift;
}

Point ToPoint(const QPointF& p) { return {static_cast<int>(p.x()), static_cast<int>(p.y())}; }

QRegion ToQRegion(const WindowRegion& region) {
  QRegion q;
  for (const Rect& r : region.Rects()) q += QRect(r.left, r.top, r.width, r.height);
  return q;
}

}  // namespace

FormWidget::FormWidget(Form& form, QWidget* parent) : QWidget(parent), form_(form) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // the hook sees moves without a button, too
  form_.SetView(this);
  for (const auto& control : form_.Controls()) {
    if (!control->IsGraphic()) CreateWidget(*control);
  }
  ApplyWindowFlags();
  ApplyFormState();
}

FormWidget::~FormWidget() {
  if (modal_loop_ != nullptr) modal_loop_->quit();
  if (!form_gone_ && form_.View() == this) form_.SetView(nullptr);
}

void FormWidget::FormDestroyed() {
  // The controls go with the form: drop every reference to them and stop
  // feeding input into it.
  form_gone_ = true;
  if (modal_loop_ != nullptr) modal_loop_->quit();
  for (auto& [control, widget] : widgets_) {
    widget->removeEventFilter(this);
    QObject::disconnect(widget, nullptr, this, nullptr);
    if (widget->parentWidget() == this) widget->deleteLater();
  }
  widgets_.clear();
  controls_by_widget_.clear();
  hide();
  setEnabled(false);
}

QWidget* FormWidget::WidgetFor(const Control& control) const {
  const auto found = widgets_.find(&control);
  return found == widgets_.end() ? nullptr : found->second;
}

QWidget* FormWidget::CreateWidget(Control& control) {
  if (QWidget* existing = WidgetFor(control)) return existing;
  QWidget* parent = this;
  if (control.Parent() != nullptr) parent = CreateWidget(*control.Parent());
  QWidget* widget = nullptr;
  switch (control.Kind()) {
    case ControlKind::kCheckBox: {
      auto* box = new QCheckBox(parent);
      connect(box, &QCheckBox::clicked, this, [this, &control] {
        control.Click();
        Sync(control);
      });
      widget = box;
      break;
    }
    case ControlKind::kRadioButton: {
      auto* radio = new QRadioButton(parent);
      radio->setAutoExclusive(false);  // grouping is the model's
      connect(radio, &QRadioButton::clicked, this, [this, &control] {
        control.Click();
        Sync(control);
      });
      widget = radio;
      break;
    }
    case ControlKind::kTrackBar: {
      auto* slider = new QSlider(Qt::Horizontal, parent);
      connect(slider, &QSlider::valueChanged, this, [this, &control](int value) {
        static_cast<TrackBar&>(control).MoveTo(value);
        Sync(control);
      });
      widget = slider;
      break;
    }
    case ControlKind::kButton: {
      auto* button = new QPushButton(parent);
      connect(button, &QPushButton::clicked, this, [&control] { control.Click(); });
      widget = button;
      break;
    }
    case ControlKind::kGroupBox:
      widget = new ContainerWidget(control, parent);
      break;
    case ControlKind::kRadioGroup:
      widget = new RadioGroupWidget(parent, [this, &control](int index) {
        static_cast<RadioGroup&>(control).Select(index);
        Sync(control);
      });
      break;
    case ControlKind::kDirectoryList:
      widget = new QListWidget(parent);
      break;
    default:
      return nullptr;
  }
  widget->setObjectName(QString::fromStdString(control.Name()));
  widget->installEventFilter(this);
  widgets_[&control] = widget;
  controls_by_widget_[widget] = &control;
  Sync(control);
  return widget;
}

// A skinned window may be dark: a standard control's caption takes the
// window's text colour when it has one.
void FormWidget::SyncTextColor(QWidget& widget, const std::optional<Color>& color) {
  QPalette palette = widget.palette();
  const QColor text = color ? QColor(RedOf(*color), GreenOf(*color), BlueOf(*color))
                            : QApplication::palette(&widget).color(QPalette::WindowText);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::ButtonText, text);
  widget.setPalette(palette);
}

void FormWidget::Sync(Control& control) {
  QWidget* widget = WidgetFor(control);
  if (widget == nullptr) return;
  const QSignalBlocker block(widget);
  const Rect b = control.Bounds();
  widget->setGeometry(b.left, b.top, b.width, b.height);
  widget->setEnabled(control.Enabled());
  switch (control.Kind()) {
    case ControlKind::kCheckBox: {
      const auto& box = static_cast<const CheckBox&>(control);
      static_cast<QCheckBox*>(widget)->setText(QString::fromStdString(box.Caption()));
      static_cast<QCheckBox*>(widget)->setChecked(box.Checked());
      SyncTextColor(*widget, box.TextColor());
      break;
    }
    case ControlKind::kRadioButton: {
      const auto& radio = static_cast<const RadioButton&>(control);
      static_cast<QRadioButton*>(widget)->setText(QString::fromStdString(radio.Caption()));
      static_cast<QRadioButton*>(widget)->setChecked(radio.Checked());
      break;
    }
    case ControlKind::kTrackBar: {
      const auto& bar = static_cast<const TrackBar&>(control);
      auto* slider = static_cast<QSlider*>(widget);
      slider->setOrientation(bar.GetOrientation() == Orientation::kHorizontal ? Qt::Horizontal
                                                                              : Qt::Vertical);
      slider->setRange(bar.Min(), bar.Max());
      slider->setPageStep(bar.PageSize());
      slider->setValue(bar.Position());
      slider->setTickPosition(QSlider::TicksBelow);
      break;
    }
    case ControlKind::kButton:
      static_cast<QPushButton*>(widget)->setText(
          QString::fromStdString(static_cast<const Button&>(control).Caption()));
      break;
    case ControlKind::kGroupBox:
      static_cast<QGroupBox*>(widget)->setTitle(
          QString::fromStdString(static_cast<const GroupBox&>(control).Caption()));
      break;
    case ControlKind::kRadioGroup:
      static_cast<RadioGroupWidget*>(widget)->Sync(static_cast<const RadioGroup&>(control));
      break;
    case ControlKind::kDirectoryList: {
      auto* list = static_cast<QListWidget*>(widget);
      list->clear();
      for (const std::string& item : static_cast<const DirectoryList&>(control).Items()) {
        list->addItem(QString::fromStdString(item));
      }
      break;
    }
    default:
      break;
  }
  widget->setVisible(control.Visible());
}

void FormWidget::Invalidate(const Rect& r) { update(QRect(r.left, r.top, r.width, r.height)); }

void FormWidget::ControlStateChanged(Control& control) {
  if (WidgetFor(control) == nullptr) {
    CreateWidget(control);
  } else {
    Sync(control);
  }
}

void FormWidget::FormChanged() { ApplyFormState(); }

void FormWidget::ApplyWindowFlags() {
  frameless_applied_ = form_.Frameless();
  Qt::WindowFlags flags = Qt::Window;
  if (form_.Frameless()) flags |= Qt::FramelessWindowHint;
  const bool shown = isVisible();
  setWindowFlags(flags);
  if (shown) show();
}

void FormWidget::ApplyFormState() {
  if (applying_ || form_gone_) return;
  applying_ = true;
  if (frameless_applied_ != form_.Frameless()) ApplyWindowFlags();
  setWindowTitle(QString::fromStdString(form_.Caption()));
  const Size size = form_.ClientSize();
  setFixedSize(size.width, size.height);
  const Point pos = form_.Position();
  if (geometry().topLeft() != QPoint(pos.x, pos.y))
    setGeometry(pos.x, pos.y, size.width, size.height);
  if (form_.Region().Empty()) {
    clearMask();
  } else {
    setMask(ToQRegion(form_.Region()));
  }
  if (form_.Visible() && !isVisible()) {
    setWindowModality(form_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
    show();
  } else if (!form_.Visible() && isVisible()) {
    hide();
  }
  if (form_.Visible()) {
    if (form_.State() == WindowState::kMinimized && !isMinimized()) showMinimized();
    if (form_.State() == WindowState::kNormal && isMinimized()) showNormal();
  }
  if (!form_.Visible() && modal_loop_ != nullptr) modal_loop_->quit();
  applying_ = false;
}

void FormWidget::StartSystemMove() {
  if (QWindow* window = windowHandle()) window->startSystemMove();
}

void FormWidget::RunModal() {
  if (!form_.Visible()) return;
  QEventLoop loop;
  modal_loop_ = &loop;
  loop.exec();
  modal_loop_ = nullptr;
}

QImage FormWidget::RenderToImage() {
  if (form_gone_) return {};
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
  if (!form_.Region().Empty()) {
    QImage mask(size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter mask_painter(&mask);
    for (const Rect& r : form_.Region().Rects())
      mask_painter.fillRect(r.left, r.top, r.width, r.height, Qt::black);
    mask_painter.end();
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, mask);
  }
  return image.convertToFormat(QImage::Format_ARGB32);
}

void FormWidget::paintEvent(QPaintEvent* event) {
  ++paint_count_;
  last_painted_ = event->region();
  QPainter painter(this);
  if (form_gone_) return;
  painter.fillRect(event->rect(), ToQColor(form_.BackgroundColor()));
  FormPainter::Paint(painter, form_, nullptr, event->rect());
}

bool FormWidget::AlreadyForwarded(const QInputEvent* event) {
  // An event a child widget ignores comes again to its parent; the model must
  // see each press, move and release once.
  const auto key = std::make_pair(event->timestamp(), static_cast<int>(event->type()));
  if (last_forwarded_ == key) return true;
  last_forwarded_ = key;
  return false;
}

void FormWidget::ForwardMouse(QMouseEvent* event, Point p, bool double_click) {
  if (form_gone_) return;
  if (AlreadyForwarded(event)) return;
  ShiftState shift = ToShift(event->modifiers(), event->buttons());
  if (double_click) shift |= kDoubleClick;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      form_.MouseDown(p, ToButton(event->button()), shift);
      break;
    case QEvent::MouseButtonRelease:
      form_.MouseUp(p, ToButton(event->button()), shift);
      break;
    default:
      form_.MouseMove(p, shift);
      break;
  }
}

void FormWidget::mousePressEvent(QMouseEvent* event) {
  ForwardMouse(event, ToPoint(event->position()), false);
}
void FormWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  ForwardMouse(event, ToPoint(event->position()), true);
}
void FormWidget::mouseMoveEvent(QMouseEvent* event) {
  ForwardMouse(event, ToPoint(event->position()), false);
}
void FormWidget::mouseReleaseEvent(QMouseEvent* event) {
  ForwardMouse(event, ToPoint(event->position()), false);
}

void FormWidget::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (applying_ || form_gone_) return;
  const QPoint origin = geometry().topLeft();
  applying_ = true;
  form_.SetPosition({origin.x(), origin.y()});
  applying_ = false;
}

void FormWidget::closeEvent(QCloseEvent* event) {
  // The model decides what closing means (hide, minimise, end the program).
  if (form_gone_) return;
  event->ignore();
  form_.Close();
}

void FormWidget::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (!form_gone_ && event->type() == QEvent::ActivationChange && isActiveWindow()) form_.Activate();
}

bool FormWidget::eventFilter(QObject* watched, QEvent* event) {
  const auto found = controls_by_widget_.find(watched);
  if (found != controls_by_widget_.end())
    ForwardWidgetMouse(*found->second, static_cast<QWidget*>(watched), event);
  return QWidget::eventFilter(watched, event);
}

void FormWidget::ForwardWidgetMouse(Control& control, QWidget* widget, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
      type != QEvent::MouseMove && type != QEvent::MouseButtonDblClick) {
    return;
  }
  auto* mouse = static_cast<QMouseEvent*>(event);
  ShiftState shift = ToShift(mouse->modifiers(), mouse->buttons());
  if (type == QEvent::MouseButtonDblClick) shift |= kDoubleClick;
  if (control.IsContainer()) {
    // Graphic controls inside a container are the form's to route.
    const QPoint in_form = widget->mapTo(this, mouse->position().toPoint());
    ForwardMouse(mouse, {in_form.x(), in_form.y()}, type == QEvent::MouseButtonDblClick);
    return;
  }
  if (AlreadyForwarded(mouse)) return;
  const MouseAction action = type == QEvent::MouseMove            ? MouseAction::kMove
                             : type == QEvent::MouseButtonRelease ? MouseAction::kUp
                                                                  : MouseAction::kDown;
  form_.ControlMouse(control, action, ToPoint(mouse->position()), ToButton(mouse->button()), shift);
}

}  // namespace audio77::toolkit::qt
