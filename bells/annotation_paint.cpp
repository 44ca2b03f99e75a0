#include "bells/annotation_paint.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

#include "platform/rounding.h"

namespace {

// Pixels of a layer, written straight where the format allows: a ringing line at a high zoom
// is thousands of pixels, and QImage::setPixel looks at the format and sharing of the image for
// each of them.
class TPlotter {
 public:
  TPlotter(QImage& layer, QRgb colour) : FLayer(layer), FColour(colour) {
    if (layer.format() == QImage::Format_RGB32 || (layer.format() == QImage::Format_ARGB32 && qAlpha(colour) == 255)) {
      FBits = layer.bits();
      FStride = layer.bytesPerLine();
    }
  }
  void Plot(int x, int y) {
    if (x < 0 || y < 0 || x >= FLayer.width() || y >= FLayer.height()) return;
    if (FBits) reinterpret_cast<QRgb*>(FBits + static_cast<qsizetype>(y) * FStride)[x] = FColour | 0xFF000000u;
    else FLayer.setPixel(x, y, FColour);
  }

 private:
  QImage& FLayer;
  QRgb FColour;
  uchar* FBits = nullptr;
  qsizetype FStride = 0;
};

}  // namespace

QRect DrawSegment(QImage& layer, const TSegment& segment, QRgb colour) {
  // Bresenham from From up to, not including, To.
  int x = segment.From.x(), y = segment.From.y();
  const int x1 = segment.To.x(), y1 = segment.To.y();
  const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
  const int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
  int err = dx + dy;
  TPlotter plot(layer, colour);
  while (x != x1 || y != y1) {
    plot.Plot(x, y);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  // Both ends, whichever way the segment runs (a QRect of two corners normalises wrongly when
  // they are one pixel apart the wrong way round).
  return QRect(QPoint(std::min(segment.From.x(), segment.To.x()), std::min(segment.From.y(), segment.To.y())),
               QPoint(std::max(segment.From.x(), segment.To.x()), std::max(segment.From.y(), segment.To.y())));
}

QRect DrawSegments(QImage& layer, const std::vector<TSegment>& segments, TInkTiles* ink) {
  QRect around;
  for (const TSegment& segment : segments) {
    around |= DrawSegment(layer, segment);
    if (ink) ink->AddSegment(segment.From, segment.To);
  }
  return around;
}

QFont PlanFont(const QString& face, int height, int width, bool bold) {
  QFont font;
  font.setFamilies({face, QStringLiteral("DejaVu Sans")});
  font.setPixelSize(height);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  const int natural = QFontMetrics(font).averageCharWidth();
  if (natural > 0 && width > 0)
    font.setStretch(std::clamp(Round(100.0 * width / natural), 1, 4000));
  return font;
}

QRect DrawPlanText(QImage& layer, QPoint corner, const QString& text, const QFont& font,
                   int escapement, bool opaque) {
  QPainter painter(&layer);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, false);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.translate(corner);
  painter.rotate(-escapement / 10.0);
  const QFontMetrics metrics(font);
  const int advance = metrics.horizontalAdvance(text), height = metrics.height();
  if (opaque) painter.fillRect(QRect(0, 0, advance, height), Qt::white);
  painter.drawText(QPoint(0, metrics.ascent()), text);
  // Glyphs may reach past their cells: a cell's height to every side is ample.
  return painter.transform().mapRect(QRect(-height, -height, advance + 2 * height, 3 * height));
}

QRect DrawDimension(QImage& layer, const TDimension& dimension, TInkTiles* ink) {
  const QRect text = DrawPlanText(layer, dimension.TextCorner, dimension.Text,
                                  PlanFont(QStringLiteral("Tahoma"), 11, 5, false), dimension.TextAngle, false);
  if (ink) ink->Add(text);
  return DrawSegments(layer, DimensionSegments(dimension), ink) | text;
}

QRect DrawDimension(QImage& layer, QPoint a, QPoint b, bool withOffset, int extraOffset, std::int32_t number) {
  if (auto dimension = DimensionGeometry(a, b, withOffset, extraOffset, number)) return DrawDimension(layer, *dimension);
  return QRect();
}

QFont WeightFont() {
  // The bitmap sans serif face of the system has no 11-pixel size and no bold cut: the weights
  // came out 13 pixels high and regular. Tahoma has both, and is the face of the other plan
  // texts. It keeps its own width: narrowed, the bold cut is lost and the regular one drawn.
  return PlanFont(QStringLiteral("Tahoma"), kWeightFontHeight, 0, true);
}

QRect DrawWeightText(QImage& layer, const TWeightText& text) {
  return DrawPlanText(layer, text.Corner, text.Text, WeightFont(), 0, true);
}
