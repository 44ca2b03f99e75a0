// The sheet from the window: the print command, the remembered settings, the export and the
// printing itself, and a plan too large for its paper said before anything is printed.
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "controls/sheet_dialog.h"
#include "sheet/sheet_export.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace {

using SheetWindowTest = MainWindowTest;

TEST_F(SheetWindowTest, PrintStandsUnderFileWithCtrlP) {
  ASSERT_NE(W->Menu.nPrintDoc, nullptr);
  EXPECT_EQ(W->Menu.nPrintDoc->text(), QStringLiteral("Печать ..."));
  EXPECT_EQ(W->Menu.nPrintDoc->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
  EXPECT_TRUE(W->Menu.nFile->actions().contains(W->Menu.nPrintDoc));
}

TEST_F(SheetWindowTest, TheExportDialogOffersTheSheetsFiles) {
  const QStringList entries = SheetDialogFilter().split(QStringLiteral(";;"));
  ASSERT_EQ(entries.size(), 3);
  EXPECT_EQ(SheetFormatFromFilter(entries[0]), TSheetFormat::Pdf);
  EXPECT_EQ(SheetFormatFromFilter(entries[1]), TSheetFormat::Svg);
  EXPECT_EQ(SheetFormatFromFilter(entries[2]), TSheetFormat::Csv);
  EXPECT_FALSE(SheetFormatFromFilter(QStringLiteral("PNG Image (*.png)")));
  EXPECT_FALSE(ExportFormatFromFilter(entries[0]));  // not taken for a picture
}

TEST_F(SheetWindowTest, ExportFixesTheArrangementAndWritesTheSheet) {
  for (int slot = 0; slot < 5; ++slot) {
    W->pnlBells->FBellButtons[static_cast<size_t>(slot)]->click();
    ClickPlan(QPoint(230 + 35 * slot, 100 + 15 * slot));
  }
  const QString pdf = TempPath(QStringLiteral("plan.pdf"));
  EXPECT_EQ(W->Sheet.ExportSheetAs(pdf, TSheetFormat::Pdf), QString());
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF-"));
  EXPECT_TRUE(W->FRenderer.FLayers[AnnotationLayer]->isVisible());  // the ringing lines are on the plan too
  const QString csv = TempPath(QStringLiteral("bill.csv"));
  EXPECT_EQ(W->Sheet.ExportSheetAs(csv, TSheetFormat::Csv), QString());
  EXPECT_EQ(QString::fromUtf8(ReadAll(csv)).count(QStringLiteral("к руке")), 2);
  // A name chosen without the extension gets it, as the pictures do.
  EXPECT_EQ(FileNameWithExtension(TempPath(QStringLiteral("plan")), QStringLiteral(".svg")),
            TempPath(QStringLiteral("plan.svg")));
}

TEST_F(SheetWindowTest, SettingsAreRememberedOnlyWhereTold) {
  EXPECT_EQ(W->Sheet.SheetSettingsFile(), QString());  // tests keep no user state
  TStartOptions options;
  options.RegisterFileType = false;
  options.ReadViewSettings = false;
  options.SheetSettingsFile = TempPath(QStringLiteral("sheet.ini"));
  {
    TfmMain w(options);
    TSheetSettings s;
    s.Paper = QStringLiteral("A3");
    s.PaperSizeMm = QSizeF(297, 420);
    s.Landscape = true;
    s.Scale = 20;
    w.Sheet.RememberSheetSettings(s);
  }
  TfmMain again(options);
  EXPECT_EQ(again.Sheet.SheetSettings().Scale, 20);
  EXPECT_EQ(again.Sheet.SheetSettings().Paper, QStringLiteral("A3"));
  EXPECT_TRUE(again.Sheet.SheetSettings().Landscape);
  // The dialog shows them and hands back what is chosen.
  TSheetDialog dialog(again.Sheet.SheetSettings(), {});
  EXPECT_EQ(dialog.cbScale->currentText(), QStringLiteral("1:20"));
  EXPECT_TRUE(dialog.rbLandscape->isChecked());
  dialog.cbScale->setCurrentIndex(dialog.cbScale->findText(QStringLiteral("По размеру листа")));
  dialog.cbPaper->setCurrentIndex(dialog.cbPaper->findText(QStringLiteral("A4")));
  dialog.rbPortrait->setChecked(true);
  const TSheetSettings chosen = dialog.Settings();
  EXPECT_EQ(chosen.Scale, kSheetFitScale);
  EXPECT_EQ(chosen.PaperSizeMm, QSizeF(210, 297));
  EXPECT_FALSE(chosen.Landscape);
}

TEST_F(SheetWindowTest, PrintingPaintsThePagesOnThePrinter) {
  TSheetSettings s;
  s.Scale = 50;
  W->Sheet.RememberSheetSettings(s);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString out = TempPath(QStringLiteral("printed.pdf"));
  printer.setOutputFileName(out);
  printer.setFullPage(true);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Landscape, QMarginsF()));
  EXPECT_EQ(W->Sheet.PrintSheet(printer), QString());
  EXPECT_TRUE(ReadAll(out).startsWith("%PDF-"));
}

TEST_F(SheetWindowTest, APlanTooLargeForThePaperIsSaidAndNothingPrinted) {
  TSheetSettings s;
  s.Scale = 10;  // the default walls need some 577 mm at 1:10
  W->Sheet.RememberSheetSettings(s);
  bool previewShown = false;
  // Accepts the settings dialog as it stands; a preview would be noticed and closed.
  QTimer timer;
  timer.setInterval(20);
  QObject::connect(&timer, &QTimer::timeout, [&previewShown] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (modal->objectName() == QLatin1String("dlgPrintPreview")) previewShown = true;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->accept();
  });
  timer.start();
  W->Menu.nPrintDoc->trigger();
  timer.stop();
  EXPECT_FALSE(previewShown);
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors.front().contains(QStringLiteral("не помещается")))
      << Errors.front().toStdString();
}

}  // namespace
