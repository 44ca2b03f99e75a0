#include <QApplication>
#include <QLocale>

#include "app/splash.h"
#include "app/tfm_main.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  RunSplash(arguments, QApplication::applicationFilePath());
  TStartOptions options;
  options.Arguments = arguments;
  TfmMain window(options);
  window.show();
  return app.exec();
}
