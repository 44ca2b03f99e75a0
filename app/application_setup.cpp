#include "app/application_setup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void SetUpApplication(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("tarvosk"));
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  QLocale::setDefault(russian);
  // Debian's Qt translations; where they are missing Qt's texts simply stay English.
  auto* qtTexts = new QTranslator(&app);
  if (qtTexts->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(qtTexts);
  } else {
    delete qtTexts;
  }
}

QString ApplicationTitle() { return QStringLiteral("Тарвоск"); }
