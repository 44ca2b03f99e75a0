// The yardstick for the editor's start-up: the least a Qt Widgets program does to show a main
// window sized to the screen's work area.
#include <QApplication>
#include <QMainWindow>
#include <QScreen>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.setGeometry(screen->availableGeometry());
  window.show();
  return app.exec();
}
