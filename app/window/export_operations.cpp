// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "controls/plan_panel.h"
#include "render/plan_picture.h"
#include "platform/layer.h"
#include "platform/unsplit_painting.h"

QImage TfmMain::FixedPlanPicture() {
  // The picture is the fitted plan at the panel's size, however the plan is looked at now.
  const TPlanView view = FRenderer.FView;
  if (!IsFitted(view)) {
    FRenderer.FView = TPlanView{};
    ViewControl.ShowView();
  }
  TLayer* selection = FRenderer.FLayers[SelectionLayer];
  selection->hide();
  FixArrangement();
  const QImage picture = FRenderer.ComposePlanImage();
  selection->show();
  if (!IsFitted(view)) {
    FRenderer.FView = view;
    ViewControl.ShowView();
  }
  return picture;
}

QString TfmMain::ExportPlanAs(const QString& exactPath, TExportFormat format) {
  const QImage picture = FixedPlanPicture();
  return picture.isNull() ? NoPictureMessage(pnlImg->size()) : WriteImage(picture, exactPath, format);
}

QString TfmMain::ExportPlan(const QString& chosenPath, TExportFormat format) {
  return ExportPlanAs(ExportFileName(chosenPath, format), format);
}

void TfmMain::SetPlanClientSize(QSize size) {
  pnlImg->setFixedSize(size);
  SettleLayout();
  RelayoutPlan();
}

void TfmMain::nExportDocClick() {
  QFileDialog dialog(this);
  dialog.setObjectName(QStringLiteral("dlgExport"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilter(ExportDialogFilter() + QStringLiteral(";;") + SheetDialogFilter());
  dialog.selectFile(QStringLiteral("Тарвоск"));
  if (!FExportFilter.isEmpty()) dialog.selectNameFilter(FExportFilter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  FExportFilter = dialog.selectedNameFilter();
  if (const std::optional<TSheetFormat> sheet = SheetFormatFromFilter(FExportFilter)) {
    if (*sheet != TSheetFormat::Csv && !Sheet.AskSheetSettings()) return;
    const QString path = FileNameWithExtension(dialog.selectedFiles().constFirst(), SheetExtension(*sheet));
    const QString error = Sheet.ExportSheetAs(path, *sheet);
    if (!error.isEmpty()) ReportError(error);
    return;
  }
  const std::optional<TExportFormat> format = ExportFormatFromFilter(FExportFilter);
  if (!format) return;
  const QString error = ExportPlan(dialog.selectedFiles().constFirst(), *format);
  if (!error.isEmpty()) ReportError(error);
}
