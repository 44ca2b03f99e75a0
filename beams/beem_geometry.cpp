#include "beams/beem_geometry.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "beams/beem_math.h"
#include "plan/plan_scale.h"
#include "plan/plan_object.h"

using beem_math::Saturate;

int ClampBeemWidth(int width) {
  if (width > kBeemWidthMax) width = kBeemWidthMax;
  if (width < kBeemWidthMin) width = kBeemWidthMin;
  return width;
}

int ClampBeemCoordinate(int value, int wallDiameterOuter) {
  if (value < 0) value = 0;
  if (value > wallDiameterOuter) value = wallDiameterOuter;
  return value;
}

int ShownBeemCoordinate(int value, int wallDiameterOuter) {
  return value > wallDiameterOuter ? wallDiameterOuter : value;
}

namespace {

int LengthPx(int mm, long double scale) { return MmToPx(mm, scale); }

QPoint MmToPlan(QPoint mm, long double scale, QPoint origin) {
  return QPoint(Saturate(std::int64_t{MmToPx(mm.x(), scale)} + origin.x()),
                Saturate(std::int64_t{MmToPx(mm.y(), scale)} + origin.y()));
}

QPoint PlanToMm(QPoint px, long double scale, QPoint origin) {
  return QPoint(Round((std::int64_t{px.x()} - origin.x()) / scale),
                Round((std::int64_t{px.y()} - origin.y()) / scale));
}

}  // namespace

TBeemProjection ProjectBeemFromMm(int width, QPoint beginMm, QPoint endMm, long double scale,
                                  QPoint origin) {
  return {LengthPx(width, scale), MmToPlan(beginMm, scale, origin), MmToPlan(endMm, scale, origin)};
}

TBeemProjection ProjectBeemFromPixels(int width, QPoint beginPx, QPoint endPx, long double scale,
                                      QPoint origin) {
  return {LengthPx(width, scale), PlanToMm(beginPx, scale, origin), PlanToMm(endPx, scale, origin)};
}

void ProjectBeem(TPlanObject& beem, bool fromPixels, long double scale, QPoint origin) {
  if (fromPixels) {
    const TBeemProjection p = ProjectBeemFromPixels(beem.BeemWidth, beem.BeemBeginPointPx,
                                                    beem.BeemEndPointPx, scale, origin);
    beem.BeemWidthPx = p.WidthPx;
    beem.BeemBeginPoint = p.Begin;
    beem.BeemEndPoint = p.End;
  } else {
    const TBeemProjection p =
        ProjectBeemFromMm(beem.BeemWidth, beem.BeemBeginPoint, beem.BeemEndPoint, scale, origin);
    beem.BeemWidthPx = p.WidthPx;
    beem.BeemBeginPointPx = p.Begin;
    beem.BeemEndPointPx = p.End;
  }
}

std::optional<std::vector<QPoint>> BeemOutlinePx(QPoint beginPx, QPoint endPx, int widthPx) {
  if (beginPx == endPx) return std::nullopt;
  const std::int64_t bx = beginPx.x(), by = beginPx.y(), ex = endPx.x(), ey = endPx.y();
  const long double dx = static_cast<long double>(ex - bx);
  const long double dy = static_cast<long double>(ey - by);
  const long double len = std::sqrt(dx * dx + dy * dy);
  // acos is NaN above 1; keep a ratio rounded past it on the axis.
  long double cosine = std::fabs(dx) / len;
  if (cosine > 1) cosine = 1;
  const long double theta = std::acos(cosine);
  // Both offsets are measured along the axes; which way they point depends on the direction of
  // the segment, so that the four corners always run round the band.
  std::int64_t hx = std::llabs(std::int64_t{Round(std::sin(theta) * widthPx)});
  std::int64_t hy = std::llabs(std::int64_t{Round(std::cos(theta) * widthPx)});
  if (ex > bx) hx = -hx;
  if (ey < by) hy = -hy;
  const std::int64_t u = hx / 2, v = hy / 2;
  auto pt = [](std::int64_t x, std::int64_t y) { return QPoint(Saturate(x), Saturate(y)); };
  return std::vector<QPoint>{pt(bx - u, by - v), pt(bx + u, by + v), pt(ex + u, ey + v),
                             pt(ex - u, ey - v)};
}

int RelayoutBeemCoordinate(int c, const TWallsResize& walls) {
  const std::int64_t D = walls.OuterNew, Din = walls.InnerNew;
  const std::int64_t Do = walls.OuterOld, Dio = walls.InnerOld;
  if (Do == 0) return c;
  const std::int64_t Ho = Do / 2;
  const std::int64_t Rn = (D - Din) / 2, Ro = (Do - Dio) / 2;
  const long double q = static_cast<long double>(D) / static_cast<long double>(Do);
  if (c < Ho) return Saturate(std::int64_t{Round((c - Ro) * q)} + Rn);
  return Saturate((D - Rn) - std::int64_t{Round((Do - Ro - c) * q)});
}

QPoint RelayoutBeemPoint(QPoint p, const TWallsResize& walls) {
  return QPoint(RelayoutBeemCoordinate(p.x(), walls), RelayoutBeemCoordinate(p.y(), walls));
}
