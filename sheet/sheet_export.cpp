#include "sheet/sheet_export.h"

#include <QDate>
#include <QFileInfo>

#include "document/document_file.h"
#include "platform/atomic_file.h"
#include "sheet/bill.h"
#include "sheet/sheet_painter.h"
#include "sheet/sheet_plan.h"
#include "sheet/sheet_svg.h"

std::optional<TSheetFormat> SheetFormatOfPath(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("pdf")) return TSheetFormat::Pdf;
  if (suffix == QLatin1String("svg")) return TSheetFormat::Svg;
  if (suffix == QLatin1String("csv")) return TSheetFormat::Csv;
  return std::nullopt;
}

QString SheetExtension(TSheetFormat format) {
  switch (format) {
    case TSheetFormat::Pdf:
      return QStringLiteral(".pdf");
    case TSheetFormat::Svg:
      return QStringLiteral(".svg");
    case TSheetFormat::Csv:
      return QStringLiteral(".csv");
  }
  return {};
}

namespace {

const char* const kSheetFilterEntries[] = {"PDF Document (*.pdf)", "SVG Image (*.svg)",
                                           "Ведомость CSV (*.csv)"};

}  // namespace

QString SheetDialogFilter() {
  QStringList entries;
  for (const char* e : kSheetFilterEntries) entries << QString::fromUtf8(e);
  return entries.join(QStringLiteral(";;"));
}

std::optional<TSheetFormat> SheetFormatFromFilter(const QString& selectedFilter) {
  for (int i = 0; i < 3; ++i) {
    if (selectedFilter == QString::fromUtf8(kSheetFilterEntries[i]))
      return static_cast<TSheetFormat>(i);
  }
  return std::nullopt;
}

TSheetTitle MakeSheetTitle(const QString& documentPath) {
  TSheetTitle t;
  t.Document = documentPath.isEmpty() ? QStringLiteral("Без имени")
                                      : QFileInfo(documentPath).completeBaseName();
  t.Date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
  t.Program = DocumentVersionText();
  return t;
}

QString WriteSheetFile(const TPlanModel& model, const TSheetSettings& settings,
                       const TSheetTitle& title, TSheetFormat format, const QString& path,
                       const TCheckSettings& checks, const QStringList& openingNotes) {
  const TSheetPlan plan = BuildSheetPlan(model);
  const TBill bill = BuildBill(plan, CheckSheetPlan(plan, checks), openingNotes);
  if (format == TSheetFormat::Csv) return WriteFileAtomically(path, BillToCsv(bill));
  const TSheet sheet = LayOutSheet(plan, bill, settings, title, format == TSheetFormat::Pdf);
  if (!sheet.Ok()) return sheet.Error;
  if (format == TSheetFormat::Pdf) return WriteSheetPdf(sheet, title.Document, path);
  return WriteSheetSvg(sheet, title.Document, path);
}
