// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "plan/plan_panel.h"
#include "platform/layer.h"
#include "platform/unsplit_painting.h"

QImage TfmMain::ComposePlanImage() const {
  // A canvas that could not be had (out of memory) counts as blank to the layer; for the
  // picture it is a part missing, and an incomplete picture is no picture.
  for (const TLayer* layer : pnlImg->Layers().Order())
    if (!layer->isHidden() && !layer->HasDrawing() && !layer->Stretch() && layer->CanvasSize().isEmpty()) return QImage();
  QImage image(pnlImg->size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  // Composed as the panel composes the fitted plan, the picture is the plan the user sees.
  PaintUnsplit([&] { pnlImg->Layers().Paint(image, image.rect()); });
  return image;
}

QImage TfmMain::FixedPlanPicture() {
  // The picture is the fitted plan at the panel's size, however the plan is looked at now.
  const TPlanView view = FView;
  if (!IsFitted(view)) {
    FView = TPlanView{};
    ShowView();
  }
  TLayer* selection = FLayers[SelectionLayer];
  selection->hide();
  FixArrangement();
  const QImage picture = ComposePlanImage();
  selection->show();
  if (!IsFitted(view)) {
    FView = view;
    ShowView();
  }
  return picture;
}

QString TfmMain::NoPictureMessage() const {
  return QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
      .arg(pnlImg->width())
      .arg(pnlImg->height());
}

QString TfmMain::ExportPlanAs(const QString& exactPath, TExportFormat format) {
  const QImage picture = FixedPlanPicture();
  return picture.isNull() ? NoPictureMessage() : WriteImage(picture, exactPath, format);
}

QString TfmMain::ExportPlan(const QString& chosenPath, TExportFormat format) {
  return ExportPlanAs(ExportFileName(chosenPath, format), format);
}

void TfmMain::SetPlanClientSize(QSize size) {
  pnlImg->setFixedSize(size);
  SettleLayout();
  RelayoutPlan(true);
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
    if (*sheet != TSheetFormat::Csv && !AskSheetSettings()) return;
    const QString path = FileNameWithExtension(dialog.selectedFiles().constFirst(), SheetExtension(*sheet));
    const QString error = ExportSheetAs(path, *sheet);
    if (!error.isEmpty()) ReportError(error);
    return;
  }
  const std::optional<TExportFormat> format = ExportFormatFromFilter(FExportFilter);
  if (!format) return;
  const QString error = ExportPlan(dialog.selectedFiles().constFirst(), *format);
  if (!error.isEmpty()) ReportError(error);
}
