#pragma once
// A radio group shown as a group box with one radio button per item, laid out
// in the group's columns.

#include <QGroupBox>
#include <QList>
#include <functional>

class QRadioButton;

namespace audio77::toolkit {
class RadioGroup;
}

namespace audio77::toolkit::qt {

class RadioGroupWidget final : public QGroupBox {
 public:
  RadioGroupWidget(QWidget* parent, std::function<void(int)> on_select);

  void Sync(const RadioGroup& group);
  const QList<QRadioButton*>& Buttons() const { return buttons_; }

 private:
  void Rebuild(const RadioGroup& group);

  std::function<void(int)> on_select_;
  QList<QRadioButton*> buttons_;
  int columns_ = 0;
};

}  // namespace audio77::toolkit::qt
