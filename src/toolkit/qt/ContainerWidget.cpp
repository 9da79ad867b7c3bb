#include "toolkit/qt/ContainerWidget.h"

#include <QPaintEvent>
#include <QPainter>

#include "toolkit/Form.h"
#include "toolkit/qt/FormPainter.h"

namespace audio77::toolkit::qt {

ContainerWidget::ContainerWidget(const Control& container, QWidget* parent)
    : QGroupBox(parent), container_(container) {}

void ContainerWidget::paintEvent(QPaintEvent* event) {
  QGroupBox::paintEvent(event);
  QPainter painter(this);
  FormPainter::Paint(painter, container_.Owner(), &container_, event->rect());
}

}  // namespace audio77::toolkit::qt
