#include "app/headless_sheet.h"

#include <QFileInfo>

#include "app/headless_export.h"
#include "app/headless_opening.h"
#include "checks/design_checks.h"
#include "sheet/sheet_export.h"

namespace {

// The value after an option, removed with it; false when the option stands last.
bool TakeValue(QStringList& rest, const QString& option, QString* value, bool* given,
               QString* error) {
  const qsizetype at = rest.indexOf(option);
  if (at < 0) return true;
  if (at + 1 >= rest.size()) {
    *error = QStringLiteral("%1 ждёт значение").arg(option);
    return false;
  }
  *value = rest.at(at + 1);
  *given = true;
  rest.remove(at, 2);
  return true;
}

}  // namespace

bool TakeSheetOptions(QStringList& rest, THeadlessExport& job, QString* error) {
  QString scale, paper;
  bool scaleGiven = false, paperGiven = false;
  if (!TakeValue(rest, QStringLiteral("--scale"), &scale, &scaleGiven, error)) return false;
  if (!TakeValue(rest, QStringLiteral("--paper"), &paper, &paperGiven, error)) return false;
  if (scaleGiven) {
    const std::optional<int> s = ParseSheetScale(scale);
    if (!s) {
      *error = QStringLiteral("--scale: масштаб 1:N, N от 1 до %1, или fit, а не «%2»")
                   .arg(kSheetScaleMax)
                   .arg(scale);
      return false;
    }
    job.Sheet.Scale = *s;
  }
  if (paperGiven) {
    const std::optional<QSizeF> size = SheetPaperSize(paper);
    if (!size) {
      *error = QStringLiteral("--paper: лист A4 или A3, а не «%1»").arg(paper);
      return false;
    }
    job.Sheet.Paper = paper.trimmed().toUpper();
    job.Sheet.PaperSizeMm = *size;
  }
  const qsizetype landscape = rest.indexOf(QStringLiteral("--landscape"));
  if (landscape >= 0) {
    job.Sheet.Landscape = true;
    rest.removeAt(landscape);
  }
  job.SheetOptions = scaleGiven || paperGiven || landscape >= 0;
  return true;
}

bool IsSheetExport(const THeadlessExport& job) {
  return SheetFormatOfPath(job.Picture).has_value();
}

QString RunHeadlessSheetExport(const THeadlessExport& job) {
  const std::optional<TSheetFormat> format = SheetFormatOfPath(job.Picture);
  if (!format) return QStringLiteral("«%1»: это не файл листа").arg(job.Picture);
  if (job.SizeGiven)
    return QStringLiteral("--size бывает только у рисунков; у листа — --scale, --paper и --landscape");
  if (*format == TSheetFormat::Csv && job.SheetOptions)
    return QStringLiteral("--scale, --paper и --landscape бывают только у .pdf и .svg, не у ведомости");
  QString error;
  const std::optional<TOpenedPlan> plan = OpenHeadlessDocument(job.Document, job.Strict, &error);
  if (!plan) return error;
  // The bill's remarks: what the opening left out or changed, then the findings of the checks
  // with the user's clearances.
  return WriteSheetFile(plan->Model(), job.Sheet, MakeSheetTitle(job.Document), *format, job.Picture,
                        ReadCheckSettings(CheckSettingsPath()), plan->Warnings);
}
