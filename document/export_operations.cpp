// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>
#include <QPainter>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "plan/plan_panel.h"
#include "platform/layer.h"

namespace {

// Draws a layer as the panel shows it, white see-through. A plan-sized canvas is keyed a band of
// rows at a time: a see-through copy of the whole canvas would double the memory a large picture
// needs, and where it could not be had the layer would be missing from the picture without a
// word. False when the layer cannot be drawn.
bool DrawLayer(QPainter& painter, const TLayer& layer) {
  if (layer.Stretch()) {  // the picture of a bell or of the ringer: small
    layer.RenderTo(painter);
    return true;
  }
  const QImage& canvas = layer.Canvas();
  if (canvas.isNull()) return false;
  constexpr int kBandRows = 64;
  for (int y = 0; y < canvas.height(); y += kBandRows) {
    const int rows = qMin(kBandRows, canvas.height() - y);
    const QImage band(canvas.constScanLine(y), canvas.width(), rows, canvas.bytesPerLine(), canvas.format());
    const QImage keyed = KeyOutWhite(band);
    if (keyed.isNull()) return false;
    painter.drawImage(layer.CanvasOffset() + QPoint(0, y), keyed);
  }
  return true;
}

}  // namespace

QImage TfmMain::ComposePlanImage() const {
  QImage image(pnlImg->size(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  for (QObject* child : pnlImg->children()) {  // children are kept bottom to top
    auto* layer = qobject_cast<TLayer*>(child);
    if (!layer || layer->isHidden()) continue;
    painter.save();
    painter.translate(layer->pos());
    painter.setClipRect(QRect(QPoint(0, 0), layer->size()));
    const bool drawn = DrawLayer(painter, *layer);
    painter.restore();
    if (!drawn) return QImage();  // an incomplete picture is no picture
  }
  return image;
}

QString TfmMain::ExportPlanAs(const QString& exactPath, TExportFormat format) {
  TLayer* selection = FLayers[SelectionLayer];
  selection->hide();
  FixArrangement();
  const QImage picture = ComposePlanImage();
  const QString error = picture.isNull()
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
