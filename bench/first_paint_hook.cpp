// Preloaded into a Qt program (LD_PRELOAD) with TARVOSK_FIRST_PAINT_EXIT=1, it ends the process
// as soon as its main window has painted for the first time, so that a parent can time the whole
// start-up of any program the same way without a hook in the program itself. The program's own
// teardown is skipped on purpose: it is not part of starting.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace {

class TFirstPaintWatch : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!FSeen && event->type() == QEvent::Paint && watched->isWidgetType() &&
        qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window())) {
      FSeen = true;
      // The whole window is painted and flushed in one pass; the next turn of the loop comes
      // after that pass.
      QTimer::singleShot(0, [] {
        std::fputs("first-paint\n", stdout);
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool FSeen = false;
};

void InstallFirstPaintWatch() {
  if (qEnvironmentVariableIntValue("TARVOSK_FIRST_PAINT_EXIT") != 1) return;
  QCoreApplication* app = QCoreApplication::instance();
  app->installEventFilter(new TFirstPaintWatch(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallFirstPaintWatch)
