// Picture export: the panel and its visible layers composed off screen, so nothing that covers
// the window gets into the picture.
#include <QFileDialog>
#include <QPainter>

#include "app/tfm_main.h"
#include "document/image_writers.h"
#include "plan/plan_panel.h"
#include "platform/layer.h"

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
  const QString error = WriteImage(ComposePlanImage(), exactPath, format);
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
