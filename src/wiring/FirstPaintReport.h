#pragma once
// For the start-up benchmark (AUDIO77_REPORT_FIRST_PAINT=1): when the first
// window has been painted, "first-paint-ns <wall clock>" goes to standard
// output and the program closes as on the exit message.

#include <QObject>
#include <functional>

namespace audio77 {

class FirstPaintReport final : public QObject {
 public:
  // Installs itself on the application when the variable asks for it.
  static void InstallIfRequested(std::function<void()> close);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit FirstPaintReport(std::function<void()> close) : close_(std::move(close)) {}
  std::function<void()> close_;
  bool reported_ = false;
};

}  // namespace audio77
