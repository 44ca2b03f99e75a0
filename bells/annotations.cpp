#include "bells/annotations.h"

#include <cmath>
#include <numbers>

#include "bells/bell_catalogue.h"
#include "platform/rounding.h"

namespace {

// Distance from the measured edge to the end of an extension line.
constexpr double kExtension = 25.0;
// The dimension line stops this short of the extension lines' ends.
constexpr double kDimensionInset = 6.25;
// Arrowheads: half width and length.
constexpr double kArrowHalfWidth = 5.0;
constexpr double kArrowLength = 10.0;
// Estimated width of one character of the 11 x 5 plan fonts.
constexpr int kCharWidth = 5;

int Div2(int value) { return value / 2; }

}  // namespace

std::optional<TDimension> DimensionGeometry(QPoint a, QPoint b, bool withOffset, int extraOffset,
                                            std::int32_t number) {
  const double dx = std::max(a.x(), b.x()) - std::min(a.x(), b.x());
  const double dy = std::max(a.y(), b.y()) - std::min(a.y(), b.y());
  const int len = Round(std::sqrt(dx * dx + dy * dy));
  if (len == 0) return std::nullopt;
  const double u = dy / len;
  const double v = dx / len;

  double ox = kExtension * u;
  double oy = kExtension * v;
  if (withOffset) {
    ox += extraOffset * u;
    oy += extraOffset * v;
  }

  TDimension d;
  d.A = a;
  d.B = b;
  d.A1 = QPoint(Round(a.x() - ox), Round(a.y() - oy));
  d.B1 = QPoint(Round(b.x() - ox), Round(b.y() - oy));
  d.A2 = QPoint(Round(d.A1.x() + kDimensionInset * u), Round(d.A1.y() + kDimensionInset * v));
  d.B2 = QPoint(Round(d.B1.x() + kDimensionInset * u), Round(d.B1.y() + kDimensionInset * v));

  const double w5 = kArrowHalfWidth;
  const double l10 = kArrowLength;
  const double a2x = d.A2.x(), a2y = d.A2.y(), b2x = d.B2.x(), b2y = d.B2.y();
  d.ArrowA = {QPoint(Round(a2x - w5 * u + l10 * v), Round(a2y + l10 * u - w5 * v)),
              QPoint(Round(a2x + w5 * u + l10 * v), Round(a2y + l10 * u + w5 * v))};
  d.ArrowB = {QPoint(Round(b2x - w5 * u - l10 * v), Round(b2y - l10 * u + w5 * v)),
              QPoint(Round(b2x + w5 * u - l10 * v), Round(b2y - l10 * u - w5 * v))};

  d.Text = QString::number(number);
  const int w = Div2(static_cast<int>(d.Text.size()) * kCharWidth);
  const int spanX = d.B1.x() - d.A1.x();
  const int spanY = d.B1.y() - d.A1.y();
  d.TextCorner =
      QPoint(d.A1.x() - Round(v * w) + Div2(Round(v * spanX + v * spanY)) - Round(10 * u),
             d.A1.y() + Round(u * w) + Div2(Round(u * spanY + u * spanX)) - Round(10 * v));
  // dy <= len always holds (len is the rounded hypotenuse), so the arcsine is defined.
  d.TextAngle = Round(std::asin(std::min(u, 1.0)) * 180.0 / std::numbers::pi) * 10;
  return d;
}

std::vector<TSegment> DimensionSegments(const TDimension& d) {
  return {{d.A, d.A1},         {d.B, d.B1},         {d.A2, d.B2},       {d.A2, d.ArrowA[0]},
          {d.A2, d.ArrowA[1]}, {d.B2, d.ArrowB[0]}, {d.B2, d.ArrowB[1]}};
}

std::vector<TDimension> WallDimensions(const TPlanObject& walls) {
  std::vector<TDimension> dims;
  if (walls.WallType != 0) return dims;
  const TPointsArr& outer = walls.WallOuterPointsPx;
  const TPointsArr& inner = walls.WallInnerPointsPx;
  if (outer.size() >= 4) {
    if (auto d = DimensionGeometry(outer[0], outer[3], false, 0, walls.WallDiameterOuter)) {
      dims.push_back(*d);
    }
  }
  if (inner.size() >= 2) {
    if (auto d = DimensionGeometry(inner[0], inner[1], true, walls.WallWallWidthPx,
                                   walls.WallDiameterInner)) {
      dims.push_back(*d);
    }
  }
  return dims;
}

std::optional<QPoint> HandLineEnd(QPoint hand, int handOffset, int postAngle) {
  const int hx = hand.x(), hy = hand.y(), d = handOffset;
  if (postAngle < 0 || postAngle > 360) return std::nullopt;
  if (postAngle <= 44 || postAngle >= 315) return QPoint(hx - d, hy);  // "UpRinger"
  if (postAngle <= 134) return QPoint(hx - d, hy - d);                 // "RightRinger"
  if (postAngle <= 224) return QPoint(hx, hy - d);                     // "DownRinger"
  return QPoint(hx, hy);                                               // "LeftRinger"
}

std::vector<TSegment> HandLines(std::span<const TBellMark> bells, QPoint hand, int handOffset,
                                int postAngle) {
  std::vector<TSegment> lines;
  const std::optional<QPoint> end = HandLineEnd(hand, handOffset, postAngle);
  if (!end) return lines;
  for (const TBellMark& bell : bells) {
    if (bell.Group == 1 && bell.Visible) lines.push_back({bell.PositionPx, *end});
  }
  return lines;
}

std::vector<TSegment> PostLines(std::span<const TBellMark> bells, QPoint postPositionPx) {
  std::vector<TSegment> lines;
  for (const TBellMark& bell : bells) {
    if (bell.Group == 2 && bell.Visible) lines.push_back({bell.PositionPx, postPositionPx});
  }
  return lines;
}

int WeightLineHeight(int fontHeight) { return Round(fontHeight * 1.25); }

std::optional<QString> BellWeightText(std::int32_t diameter) {
  const int slot = CatalogueSlotOf(diameter);
  if (slot < 0) return std::nullopt;
  return QString::number(FBellWeights[slot]) + QStringLiteral("кг");
}

QPoint WeightTextCorner(QPoint bellPositionPx, int bellDiameterPx, int textLength, int lineHeight) {
  return QPoint(bellPositionPx.x() - Div2((textLength + 3) * kCharWidth),
                bellPositionPx.y() - lineHeight - Div2(bellDiameterPx));
}
