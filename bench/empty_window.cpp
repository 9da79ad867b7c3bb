// The yardstick for the program's start: an empty frameless Qt window of the
// main window's size that reports when it was first painted and ends.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class EmptyWindow final : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (reported_) return;
    reported_ = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("first-paint-ns %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, &QApplication::quit);
  }

 private:
  bool reported_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  EmptyWindow window;
  window.setWindowFlags(Qt::FramelessWindowHint);
  window.resize(800, 600);
  window.show();
  return QApplication::exec();
}
