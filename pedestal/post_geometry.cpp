#include "pedestal/post_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "plan/plan_scale.h"
#include "platform/rounding.h"

namespace pedestal {

namespace {

// Far beyond any plan, yet small enough that sums and differences of a few such values still
// fit in 32 bits.
constexpr long double kPlanLimit = 1 << 29;

// Sides beyond this come only from hand-edited documents; they are cut so that the margin and
// corner arithmetic cannot overflow.
constexpr std::int32_t kSideLimit = 10'000'000;

constexpr long double kPi = std::numbers::pi_v<long double>;

QPoint MmToPlanPoint(QPoint mm, long double scale, QPoint origin) {
  auto px = [scale](std::int32_t v) {
    return std::clamp<std::int32_t>(MmToPx(v, scale), -(1 << 29), 1 << 29);
  };
  return QPoint(px(mm.x()) + origin.x(), px(mm.y()) + origin.y());
}

}  // namespace

std::int32_t RoundPlan(long double value) {
  if (std::isnan(value)) return 0;
  return Round(std::clamp(value, -kPlanLimit, kPlanLimit));
}

TPostDefaults PostDefaults(std::int32_t wallDiameterOuter, std::int32_t wallWallWidth) {
  TPostDefaults d;
  d.PostWidth = 1800;
  d.PostHeight = 800;
  d.PostAngle = 0;
  d.PostBoardDiameter = 250;
  d.PostPosition =
      QPoint(wallDiameterOuter / 2, wallDiameterOuter - wallWallWidth - d.PostHeight / 2 - 200);
  return d;
}

TPostPixels ProjectPost(std::int32_t postWidth, std::int32_t postHeight, QPoint postPosition,
                        std::int32_t postBoardDiameter, long double scale, QPoint origin) {
  TPostPixels p;
  p.PostWidthPx = RoundPlan(postWidth * scale);
  p.PostHeightPx = RoundPlan(postHeight * scale);
  p.PostPositionPx = MmToPlanPoint(postPosition, scale, origin);
  p.PostBoardDiameterPx = RoundPlan(postBoardDiameter * scale);
  return p;
}

TPostOutline BuildPostOutline(std::int32_t postWidth, std::int32_t postHeight,
                              std::int32_t postAngle, long double scale, QPoint origin) {
  const std::int32_t w = std::clamp(postWidth, -kSideLimit, kSideLimit);
  const std::int32_t h = std::clamp(postHeight, -kSideLimit, kSideLimit);

  // The rectangle is laid out a diagonal away from the origin so that no corner of it, turned
  // any way, has a negative coordinate before the outline is moved back onto the axes.
  const std::int32_t m = RoundPlan(std::sin(kPi / 4) * 2 * std::max(w, h));

  TPostOutline r;
  r.PostOutlineBase = {QPoint(m, m), QPoint(m + w, m), QPoint(m + w, m + h), QPoint(m, m + h)};
  r.PostOutline.reserve(4);
  for (const QPoint& p : r.PostOutlineBase)
    r.PostOutline.push_back(MmToPlanPoint(p, scale, origin));

  const std::int32_t angle = EffectivePostAngle(postAngle);
  if (angle > 0) RotateQuad(r.PostOutline, angle);

  int minX = r.PostOutline[0].x(), minY = r.PostOutline[0].y();
  for (const QPoint& p : r.PostOutline) {
    minX = std::min(minX, p.x());
    minY = std::min(minY, p.y());
  }
  r.MaxX = 0;
  r.MaxY = 0;
  for (QPoint& p : r.PostOutline) {
    p -= QPoint(minX, minY);
    r.MaxX = std::max(r.MaxX, p.x());
    r.MaxY = std::max(r.MaxY, p.y());
  }
  r.PostWidthPx = r.MaxX + 1;
  r.PostHeightPx = r.MaxY + 1;
  r.PostBoardCentre = QPoint(r.PostWidthPx / 2, r.PostHeightPx / 2);
  return r;
}

QRect PostLayerBounds(QPoint postPositionPx, std::int32_t layerWidth, std::int32_t layerHeight) {
  return QRect(postPositionPx.x() - layerWidth / 2, postPositionPx.y() - layerHeight / 2,
               layerWidth, layerHeight);
}

void RotateQuad(std::vector<QPoint>& points, std::int32_t angle) {
  if (points.size() < 4) return;
  const long double f = angle * kPi / 180;
  const long double s = std::sin(f);
  const long double c = std::cos(f);
  const QPoint p0 = points[0];
  // Sides are taken from the unturned input: the width along P0-P1, the height along P1-P2.
  const long double dx = static_cast<long double>(points[1].x()) - p0.x();
  const long double dy = static_cast<long double>(points[2].y()) - points[1].y();
  points[1] = QPoint(p0.x() + RoundPlan(c * dx), p0.y() + RoundPlan(s * dx));
  points[2] = QPoint(p0.x() + RoundPlan(c * dx - s * dy), p0.y() + RoundPlan(s * dx + c * dy));
  points[3] = QPoint(p0.x() - RoundPlan(s * dy), p0.y() + RoundPlan(c * dy));
}

std::int32_t EffectivePostAngle(std::int32_t postAngle) {
  if (postAngle < 0) return 0;
  return postAngle % 360;
}

std::int32_t ClampPostWidth(std::int32_t value) {
  if (value > kPostSideMax) value = kPostSideMax;
  if (value < kPostSideMin) value = kPostSideMin;
  return value;
}

std::int32_t ClampPostHeight(std::int32_t value) { return ClampPostWidth(value); }

std::int32_t ClampPostAngle(std::int32_t value) {
  // Not modulo 360: the inspector turns 370 into 0, not 10.
  if (value >= 360) value = 0;
  if (value < 0) value = 0;
  return value;
}

std::int32_t ClampPostPosition(std::int32_t value, std::int32_t wallDiameterOuter) {
  if (value < 0) value = 0;
  if (value > wallDiameterOuter) value = wallDiameterOuter;
  return value;
}

}  // namespace pedestal
