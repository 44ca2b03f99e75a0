// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>
#include <QPainter>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "plan/plan_panel.h"
#include "platform/layer.h"
#include "platform/unsplit_painting.h"
#include "platform/white_key.h"

QImage TfmMain::ComposePlanImage() const {
  QImage image(pnlImg->size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  bool complete = true;
  PaintUnsplit([&] {
    for (const TLayer* layer : pnlImg->Layers().Order()) {  // bottom to top
      if (layer->isHidden()) continue;
      if (layer->HasDrawing()) {  // a beam's band, painted as the panel paints it
        QPainter painter(&image);
        painter.setClipRect(layer->geometry());
        painter.translate(layer->pos());
        layer->RenderTo(painter);
        continue;
      }
      // A canvas that could not be had (out of memory) counts as blank to the layer; for the
      // picture it is a part missing, and an incomplete picture is no picture.
      if (!layer->Stretch() && layer->CanvasSize().isEmpty()) {
        complete = false;
        return;
      }
      if (layer->CanvasBlank()) continue;
      const QRect bounds(layer->pos(), layer->size());
      if (layer->Stretch()) {  // the picture of a bell or of the ringer, scaled to its bounds
        layer->RenderPart(image, bounds);
      } else {
        // White is see-through: the inked pixels are copied straight over what lies below, with
        // no see-through copy of the canvas, however large the picture.
        CopyInk(image, layer->pos() + layer->CanvasOffset(), layer->Canvas(), bounds);
      }
    }
  });
  return complete ? image : QImage();
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
