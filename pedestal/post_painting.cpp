#include "pedestal/post_painting.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace pedestal {

namespace {

void SetUpPainter(QPainter& painter, QRgb brush) {
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen pen(Qt::black);
  pen.setWidth(0);  // cosmetic: one pixel whatever the transform
  painter.setPen(pen);
  painter.setBrush(QColor::fromRgb(brush));
}

void PaintQuad(QPainter& painter, const std::vector<QPoint>& points) {
  if (points.empty()) return;
  painter.drawPolygon(QPolygon(QList<QPoint>(points.begin(), points.end())), Qt::OddEvenFill);
}

}  // namespace

void PaintPost(QImage& layer, const std::vector<QPoint>& postOutline, QPoint boardCentre,
               std::int32_t postBoardDiameterPx, QPoint canvasAt) {
  if (layer.isNull()) return;
  layer.fill(Qt::white);
  QPainter painter(&layer);
  painter.translate(-canvasAt);
  SetUpPainter(painter, kPostColour);
  PaintQuad(painter, postOutline);

  const std::int32_t r = postBoardDiameterPx / 2;
  if (r <= 0) return;  // an empty box draws nothing, as the Windows ellipse does
  painter.setBrush(QColor::fromRgb(kBoardColour));
  // The box is (cx - r, cy - r) to (cx + r, cy + r) with the far sides outside; a pen-drawn
  // ellipse covers one pixel more than its rectangle's size, hence 2r - 1.
  painter.drawEllipse(QRect(boardCentre.x() - r, boardCentre.y() - r, 2 * r - 1, 2 * r - 1));
}

void PaintPedals(QImage& layer, const std::vector<std::vector<QPoint>>& pedals, QPoint canvasAt) {
  if (layer.isNull() || pedals.empty()) return;
  QPainter painter(&layer);
  painter.translate(-canvasAt);
  SetUpPainter(painter, kBoardColour);
  for (const std::vector<QPoint>& pedal : pedals) PaintQuad(painter, pedal);
}

}  // namespace pedestal
