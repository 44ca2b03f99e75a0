#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "app/application_setup.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                  : qgetenv("QT_QPA_PLATFORM"));
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  SetUpApplication(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
