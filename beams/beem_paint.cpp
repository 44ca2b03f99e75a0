#include "beams/beem_paint.h"

#include <QBrush>
#include <QPainter>
#include <QPen>


namespace {

void PaintBand(QPainter& p, const std::vector<QPoint>& outline, const QBrush& fill, QPoint patternOrigin, bool cosmetic) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(Qt::black, cosmetic ? 0 : 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(fill);
  p.setBrushOrigin(patternOrigin);
  p.drawPolygon(outline.data(), static_cast<int>(outline.size()), Qt::OddEvenFill);
}

}  // namespace

void PaintBeem(QImage& layer, const std::vector<QPoint>& outline, const QImage& pattern, QPoint patternOrigin) {
  if (outline.size() < 2 || layer.isNull()) return;
  QPainter p(&layer);
  PaintBand(p, outline, pattern.isNull() ? QBrush(Qt::white) : QBrush(pattern), patternOrigin, true);
}

void PaintBeem(QPainter& p, const std::vector<QPoint>& outline, const QImage& pattern, QPoint patternOrigin,
               bool cosmetic) {
  if (outline.size() < 2) return;
  // Without a picture the band is white, which a layer does not show: only the outline.
  PaintBand(p, outline, pattern.isNull() ? QBrush() : QBrush(pattern), patternOrigin, cosmetic);
}
