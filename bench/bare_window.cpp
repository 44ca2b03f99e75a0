// The yardsticks for the editor's start-up: the least a Qt Widgets program does to show a main
// window sized to the screen's work area. With "--text" the window also carries a menu and a
// status line, so the fonts are loaded as in any window that shows a word.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  if (QApplication::arguments().contains(QStringLiteral("--text"))) {
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"));
    window.statusBar()->showMessage(QStringLiteral("Готово"));
  }
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    window.setGeometry(screen->availableGeometry());
  window.show();
  return app.exec();
}
