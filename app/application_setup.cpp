#include "app/application_setup.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void SetUpApplication(QGuiApplication& app) {
  QCoreApplication::setApplicationName(QStringLiteral("tarvosk"));
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  QLocale::setDefault(russian);
  // Qt's own texts (the dialogs' buttons, the file dialog): on Windows built into the program,
  // elsewhere Debian's translations; where they are missing they simply stay English.
#if defined(Q_OS_WIN)
  const QString folder = QStringLiteral(":/translations");
#else
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
  auto* qtTexts = new QTranslator(&app);
  if (qtTexts->load(russian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
    QCoreApplication::installTranslator(qtTexts);
  } else {
    delete qtTexts;
  }
}

QString ApplicationTitle() { return QStringLiteral("Тарвоск"); }
