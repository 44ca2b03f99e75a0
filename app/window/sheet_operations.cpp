// The true-scale sheet from the window: the settings asked and remembered, the export of the
// sheet and the bill, printing with a preview.
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "app/window/sheet_operations.h"

#include "app/tfm_main.h"
#include "sheet/bill.h"
#include "controls/sheet_dialog.h"
#include "sheet/sheet_painter.h"
#include "sheet/sheet_plan.h"

QString TSheetOperations::SheetSettingsFile() const { return FSettingsFile; }

const TSheetSettings& TSheetOperations::SheetSettings() {
  if (!FSheetSettingsRead) {
    FSheetSettingsRead = true;
    const QString file = SheetSettingsFile();
    if (!file.isEmpty()) FSheetSettings = ReadSheetSettings(file);
  }
  return FSheetSettings;
}

void TSheetOperations::RememberSheetSettings(const TSheetSettings& settings) {
  SheetSettings();
  FSheetSettings = settings;
  const QString file = SheetSettingsFile();
  // Settings that cannot be kept cost nothing else; the sheet is made all the same.
  if (!file.isEmpty()) WriteSheetSettings(file, settings);
}

bool TSheetOperations::AskSheetSettings(const QList<QPageSize>& printerSizes) {
  TSheetDialog dialog(SheetSettings(), printerSizes, &FWindow);
  if (dialog.exec() != QDialog::Accepted) return false;
  RememberSheetSettings(dialog.Settings());
  return true;
}

QString TSheetOperations::ExportSheetAs(const QString& exactPath, TSheetFormat format) {
  // As the picture export does, the arrangement is fixed first and stays fixed on the plan.
  FWindow.FixArrangement();
  return WriteSheetFile(TPlanModel::Capture(FWindow.FObjects), SheetSettings(),
                        MakeSheetTitle(FWindow.FDocument.Path()), format, exactPath, FWindow.CheckSettings(), FWindow.FOpeningNotes);
}

TSheet TSheetOperations::LayOutSheetFor(const QSizeF& paperMm, const QString& paperName, bool landscape) {
  TSheetSettings settings = SheetSettings();
  settings.Landscape = landscape;
  settings.Paper = paperName;
  settings.PaperSizeMm = paperMm.width() <= paperMm.height() ? paperMm : paperMm.transposed();
  const TSheetPlan plan = BuildSheetPlan(TPlanModel::Capture(FWindow.FObjects));
  return LayOutSheet(plan, BuildBill(plan, CheckSheetPlan(plan, FWindow.CheckSettings()), FWindow.FOpeningNotes), settings,
                     MakeSheetTitle(FWindow.FDocument.Path()));
}

QString TSheetOperations::PrintSheet(QPrinter& printer) {
  const QPageLayout layout = printer.pageLayout();
  const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
  const TSheet sheet = LayOutSheetFor(paper, layout.pageSize().name(),
                                      layout.orientation() == QPageLayout::Landscape);
  QPainter painter;
  if (!painter.begin(&printer)) return QStringLiteral("Не удалось начать печать");
  ScalePainterToMillimetres(painter, printer.resolution());
  if (!sheet.Ok()) {
    // A paper changed in the preview that cannot hold the plan: the page says so instead of
    // showing a cut plan.
    QFont font;
    font.setPixelSize(qMax(1, printer.resolution() / 8));
    painter.resetTransform();
    painter.setFont(font);
    painter.drawText(printer.pageLayout().paintRectPixels(printer.resolution()),
                     Qt::AlignCenter | Qt::TextWordWrap, sheet.Error);
    return sheet.Error;
  }
  for (std::size_t i = 0; i < sheet.Pages.size(); ++i) {
    if (i > 0) printer.newPage();
    PaintSheetPage(painter, sheet.Pages[i]);
  }
  return {};
}

void TSheetOperations::nPrintDocClick() {
  QPrinter printer(QPrinter::HighResolution);
  // The printer's own sizes beside A4 and A3; a system without printers offers those two.
  if (!AskSheetSettings(QPrinterInfo(printer).supportedPageSizes())) return;
  FWindow.FixArrangement();
  const TSheetSettings& s = SheetSettings();
  const TSheet sheet = LayOutSheetFor(s.PaperSizeMm, s.Paper, s.Landscape);
  if (!sheet.Ok()) {  // said before anything is printed
    FWindow.ReportError(sheet.Error);
    return;
  }
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(QPageSize(s.PaperSizeMm, QPageSize::Millimeter),
                                    s.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                    QMarginsF(), QPageLayout::Millimeter));
  printer.setDocName(MakeSheetTitle(FWindow.FDocument.Path()).Document);
  QPrintPreviewDialog preview(&printer, &FWindow);
  preview.setObjectName(QStringLiteral("dlgPrintPreview"));
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* p) { PrintSheet(*p); });
  preview.exec();
}
