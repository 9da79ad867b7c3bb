#include "toolkit/qt/RadioGroupWidget.h"

#include <QGridLayout>
#include <QRadioButton>
#include <QSignalBlocker>

#include "toolkit/RadioGroup.h"

namespace audio77::toolkit::qt {

RadioGroupWidget::RadioGroupWidget(QWidget* parent, std::function<void(int)> on_select)
    : QGroupBox(parent), on_select_(std::move(on_select)) {
  new QGridLayout(this);
}

void RadioGroupWidget::Rebuild(const RadioGroup& group) {
  qDeleteAll(buttons_);
  buttons_.clear();
  auto* grid = static_cast<QGridLayout*>(layout());
  const int rows = (static_cast<int>(group.Items().size()) + group.Columns() - 1) / group.Columns();
  for (std::size_t i = 0; i < group.Items().size(); ++i) {
    auto* button = new QRadioButton(QString::fromStdString(group.Items()[i]), this);
    // The model decides what is selected; the buttons only report the choice.
    button->setAutoExclusive(false);
    const int index = static_cast<int>(i);
    connect(button, &QRadioButton::clicked, this, [this, index] { on_select_(index); });
    grid->addWidget(button, index % std::max(rows, 1), index / std::max(rows, 1));
    buttons_.push_back(button);
  }
  columns_ = group.Columns();
}

void RadioGroupWidget::Sync(const RadioGroup& group) {
  setTitle(QString::fromStdString(group.Caption()));
  bool same = buttons_.size() == static_cast<qsizetype>(group.Items().size()) &&
              columns_ == group.Columns();
  for (qsizetype i = 0; same && i < buttons_.size(); ++i) {
    same =
        buttons_[i]->text() == QString::fromStdString(group.Items()[static_cast<std::size_t>(i)]);
  }
  if (!same) Rebuild(group);
  for (qsizetype i = 0; i < buttons_.size(); ++i) {
    const QSignalBlocker block(buttons_[i]);
    buttons_[i]->setChecked(i == group.ItemIndex());
  }
}

}  // namespace audio77::toolkit::qt
