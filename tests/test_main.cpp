#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "app/application_setup.h"

int main(int argc, char** argv) {
  // No display: Windows' offscreen platform has no fonts, its minimal one has the system's.
#if defined(Q_OS_WIN)
  const QByteArray headless("minimal:enable_fonts");
#else
  const QByteArray headless("offscreen");
#endif
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? headless : qgetenv("QT_QPA_PLATFORM"));
  QStandardPaths::setTestModeEnabled(true);
  // Qt's own file dialogs, which a test can answer; on Windows the program shows the system's,
  // which the Windows session under Wine drives.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication app(argc, argv);
  SetUpApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
