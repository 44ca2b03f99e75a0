// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>
#include <QPainter>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "plan/plan_panel.h"
#include "platform/layer.h"

namespace {

// A layer whose canvas could not be allocated (a very large panel on a machine short of memory)
// would be missing from the picture without a word.
bool EveryShownLayerHasItsCanvas(const QWidget* panel) {
  for (const QObject* child : panel->children()) {
    const auto* layer = qobject_cast<const TLayer*>(child);
    if (layer && !layer->isHidden() && layer->Canvas().isNull()) return false;
  }
  return true;
}

}  // namespace

QImage TfmMain::ComposePlanImage() const {
  QImage image(pnlImg->size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (QObject* child : pnlImg->children()) {  // children are kept bottom to top
    auto* layer = qobject_cast<TLayer*>(child);
    if (!layer || layer->isHidden()) continue;
    painter.save();
    painter.translate(layer->pos());
    painter.setClipRect(QRect(QPoint(0, 0), layer->size()));
    layer->RenderTo(painter);
    painter.restore();
  }
  return image;
}

QString TfmMain::ExportPlanAs(const QString& exactPath, TExportFormat format) {
  TLayer* selection = FLayers[SelectionLayer];
  selection->hide();
  FixArrangement();
  const QImage picture = ComposePlanImage();
  const QString error = picture.isNull() || !EveryShownLayerHasItsCanvas(pnlImg)
                            ? QStringLiteral("Not enough memory for a picture of %1 x %2 pixels")
                                  .arg(pnlImg->width())
                                  .arg(pnlImg->height())
                            : WriteImage(picture, exactPath, format);
  selection->show();
  return error;
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
  dialog.setNameFilter(ExportDialogFilter());
  dialog.selectFile(QStringLiteral("Тарвоск"));
  if (!FExportFilter.isEmpty()) dialog.selectNameFilter(FExportFilter);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  FExportFilter = dialog.selectedNameFilter();
  const std::optional<TExportFormat> format = ExportFormatFromFilter(FExportFilter);
  if (!format) return;
  const QString error = ExportPlan(dialog.selectedFiles().constFirst(), *format);
  if (!error.isEmpty()) ReportError(error);
}
