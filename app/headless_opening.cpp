#include "app/headless_opening.h"

#include <QFileInfo>

#include "app/console.h"
#include "bells/bell_catalogue.h"

std::optional<TOpenedPlan> OpenHeadlessDocument(const QString& path, bool strict, QString* error) {
  if (!QFileInfo(path).isFile()) {
    *error = QStringLiteral("«%1»: такого документа нет").arg(path);
    return std::nullopt;
  }
  TOpenedPlan plan = OpenPlanFile(path, LoadBellDiameters());
  if (!plan.Ok()) {
    *error = plan.Error;
    return std::nullopt;
  }
  for (const QString& line : plan.Warnings) PrintError(QStringLiteral("tarvosk: %1\n").arg(line));
  if (strict && !plan.Warnings.isEmpty()) {
    *error = StrictFailureMessage(path, plan.Warnings.size());
    return std::nullopt;
  }
  return plan;
}

QString StrictFailureMessage(const QString& path, qsizetype notes) {
  return QStringLiteral("документ «%1» открывается не таким, как записан (замечаний: %2), а с "
                        "--strict это ошибка: ничего не сделано")
      .arg(path)
      .arg(notes);
}
