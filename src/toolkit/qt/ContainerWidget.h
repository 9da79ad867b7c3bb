#pragma once
// A group box that also draws the graphic controls placed inside it.

#include <QGroupBox>

namespace audio77::toolkit {
class Control;
}

namespace audio77::toolkit::qt {

class ContainerWidget final : public QGroupBox {
 public:
  ContainerWidget(const Control& container, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const Control& container_;
};

}  // namespace audio77::toolkit::qt
