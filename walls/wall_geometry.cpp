#include "walls/wall_geometry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <array>
#include <cmath>
#include <numbers>

#include "plan/plan_scale.h"
#include "platform/occlusion.h"
#include "platform/rounding.h"
#include "walls/flood_fill.h"

namespace {

QPoint ToPlan(QPoint mm, const TPlanMapping& plan) {
  return {MmToPx(mm.x(), plan.Scale) + plan.OriginX, MmToPx(mm.y(), plan.Scale) + plan.OriginY};
}

TWallPoints ToPlan(const TWallPoints& mm, const TPlanMapping& plan) {
  TWallPoints px;
  px.reserve(mm.size());
  for (const QPoint& p : mm) px.push_back(ToPlan(p, plan));
  return px;
}

void SquareOutlines(const TWallSizes& w, TWallOutlines& out) {
  const std::int32_t d = w.Outer, t = w.Thickness;
  out.OuterMm = {{0, 0}, {d, 0}, {d, d}, {0, d}};
  out.InnerMm = {{t, t}, {d - t, t}, {d - t, d - t}, {t, d - t}};
}

// Corners left and right, flat top and bottom; both rings centred on the outer circle's centre.
void HexagonOutlines(const TWallSizes& w, TWallOutlines& out) {
  const std::int32_t rOuter = w.Outer / 2, rInner = w.Inner / 2;
  constexpr std::array<int, 6> kDegrees = {240, 300, 0, 60, 120, 180};
  for (int deg : kDegrees) {
    const double a = deg * std::numbers::pi / 180;
    out.OuterMm.emplace_back(Round(rOuter + rOuter * std::cos(a)),
                             Round(rOuter + rOuter * std::sin(a)));
    out.InnerMm.emplace_back(Round(rOuter + rInner * std::cos(a)),
                             Round(rOuter + rInner * std::sin(a)));
  }
}

// The chamfer is sin 60 of a third of the width, not a regular octagon's: the stored plans and
// the beam chords were laid out on this shape.
TWallPoints Octagon(std::int32_t width, QPoint shift) {
  const std::int32_t c = Round(std::sin(std::numbers::pi / 3) * (width / 3));
  const std::int32_t s = width - 2 * c;
  TWallPoints pts = {
      {c, 0},         {c + s, 0}, {2 * c + s, c}, {2 * c + s, c + s}, {c + s, 2 * c + s},
      {c, 2 * c + s}, {0, c + s}, {0, c}};
  for (QPoint& p : pts) p += shift;
  return pts;
}

std::vector<TWallPoints> SquareArches(const TWallPoints& o, const TWallPoints& i, std::int32_t a,
                                      std::int32_t diameterPx) {
  const std::int32_t h = (diameterPx - a) / 2;
  return {
      {{o[0].x(), o[0].y() + h},
       {i[0].x(), o[0].y() + h},
       {i[0].x(), o[3].y() - h},
       {o[0].x(), o[3].y() - h}},
      {{o[0].x() + h, o[0].y()},
       {o[1].x() - h, o[0].y()},
       {o[1].x() - h, i[1].y()},
       {o[0].x() + h, i[0].y()}},
      {{i[1].x(), o[1].y() + h},
       {o[1].x(), o[1].y() + h},
       {o[1].x(), o[2].y() - h},
       {i[1].x(), o[2].y() - h}},
      {{o[3].x() + h, i[3].y()},
       {o[2].x() - h, i[3].y()},
       {o[2].x() - h, o[3].y()},
       {o[3].x() + h, o[3].y()}},
  };
}

// Inset of an opening of width a centred on the side from p to q, as x and y offsets from p.
QPoint SlantInset(QPoint p, QPoint q, std::int32_t a) {
  const std::int64_t dx = q.x() - p.x(), dy = q.y() - p.y();
  const std::int32_t len = Round(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
  if (len == 0) return {};  // a side shrunk to a point has no room to inset along
  const std::int64_t g = (len - a) / 2;
  return {Round(static_cast<double>(g * dx) / len), Round(static_cast<double>(g * dy) / len)};
}

std::vector<TWallPoints> HexagonArches(const TWallPoints& o, const TWallPoints& i, std::int32_t a) {
  const std::int32_t h = (o[1].x() - o[0].x() - a) / 2;
  const QPoint off = SlantInset(o[1], o[2], a);
  const QPoint inn = SlantInset(i[1], i[2], a);
  const int ox = off.x(), oy = off.y(), ix = inn.x(), iy = inn.y();
  return {
      {{o[0].x() + h, o[0].y()},
       {o[1].x() - h, o[1].y()},
       {o[1].x() - h, i[1].y()},
       {o[0].x() + h, i[0].y()}},
      {{o[4].x() + h, i[4].y()},
       {o[3].x() - h, i[3].y()},
       {o[3].x() - h, o[3].y()},
       {o[4].x() + h, o[4].y()}},
      {{o[1].x() + ox, o[1].y() + oy},
       {o[2].x() - ox, o[2].y() - oy},
       {i[2].x() - ix, i[2].y() - iy},
       {i[1].x() + ix, i[1].y() + iy}},
      {{o[2].x() - ox, o[2].y() + oy},
       {o[3].x() + ox, o[3].y() - oy},
       {i[3].x() + ix, i[3].y() - iy},
       {i[2].x() - ix, i[2].y() + iy}},
      {{o[0].x() - ox, o[0].y() + oy},
       {i[0].x() - ix, i[0].y() + iy},
       {i[5].x() + ix, i[5].y() - iy},
       {o[5].x() + ox, o[5].y() - oy}},
      {{o[5].x() + ox, o[5].y() + oy},
       {i[5].x() + ix, i[5].y() + iy},
       {i[4].x() - ix, i[4].y() - iy},
       {o[4].x() - ox, o[4].y() - oy}},
  };
}

std::vector<TWallPoints> OctagonArches(const TWallPoints& o, const TWallPoints& i, std::int32_t a) {
  const std::int32_t h = (o[1].x() - o[0].x() - a) / 2;
  const double across = std::cos(std::numbers::pi / 4) * a;
  const std::int32_t t = Round((o[0].x() - o[7].x() - across) / 2);
  const std::int32_t v = Round((i[0].x() - i[7].x() - across) / 2);
  return {
      {{o[7].x(), o[7].y() + h},
       {i[7].x(), o[7].y() + h},
       {i[7].x(), o[6].y() - h},
       {o[7].x(), o[6].y() - h}},
      {{o[0].x() + h, o[0].y()},
       {o[1].x() - h, o[0].y()},
       {o[1].x() - h, i[0].y()},
       {o[0].x() + h, i[0].y()}},
      {{i[2].x(), o[2].y() + h},
       {o[2].x(), o[2].y() + h},
       {o[2].x(), o[3].y() - h},
       {i[2].x(), o[3].y() - h}},
      {{o[5].x() + h, o[5].y()},
       {o[4].x() - h, o[5].y()},
       {o[4].x() - h, i[5].y()},
       {o[5].x() + h, i[5].y()}},
      {{o[1].x() + t, o[1].y() + t},
       {o[2].x() - t, o[2].y() - t},
       {i[2].x() - v, i[2].y() - v},
       {i[1].x() + v, i[1].y() + v}},
      {{o[3].x() - t, o[3].y() + t},
       {o[4].x() + t, o[4].y() - t},
       {i[4].x() + v, i[4].y() - v},
       {i[3].x() - v, i[3].y() + v}},
      {{o[6].x() + t, o[6].y() + t},
       {i[6].x() + v, i[6].y() + v},
       {i[5].x() - v, i[5].y() - v},
       {o[5].x() - t, o[5].y() - t}},
      {{o[0].x() - t, o[0].y() + t},
       {i[0].x() - v, i[0].y() + v},
       {i[7].x() + v, i[7].y() - v},
       {o[7].x() + t, o[7].y() - t}},
  };
}

}  // namespace

TWallOutlines ComputeWallGeometry(const TWallSizes& walls, const TPlanMapping& plan) {
  TWallOutlines out;
  switch (WallTypeFromIndex(walls.Type)) {
    case 1:
      HexagonOutlines(walls, out);
      break;
    case 2:
      out.OuterMm = Octagon(walls.Outer, {0, 0});
      // Shifted by the thickness, not centred: walls read from a document need not satisfy
      // outer = inner + 2 * thickness, and then the inner ring sits off centre.
      out.InnerMm = Octagon(walls.Inner, {walls.Thickness, walls.Thickness});
      break;
    default:
      SquareOutlines(walls, out);
      break;
  }
  out.OuterPx = ToPlan(out.OuterMm, plan);
  out.InnerPx = ToPlan(out.InnerMm, plan);
  return out;
}

std::vector<TWallPoints> ComputeWallArches(std::uint8_t type, const TWallOutlines& outlines,
                                           std::int32_t arcWidthPx, std::int32_t diameterOuterPx) {
  const TWallPoints& o = outlines.OuterPx;
  const TWallPoints& i = outlines.InnerPx;
  switch (WallTypeFromIndex(type)) {
    case 1:
      return HexagonArches(o, i, arcWidthPx);
    case 2:
      return OctagonArches(o, i, arcWidthPx);
    default:
      return SquareArches(o, i, arcWidthPx, diameterOuterPx);
  }
}

TWallPoints ComputeWallFillSeeds(std::uint8_t type, const TWallOutlines& outlines,
                                 const std::vector<TWallPoints>& arcQuadsPx) {
  const TWallPoints& o = outlines.OuterPx;
  const TWallPoints& i = outlines.InnerPx;
  const QPoint up(0, -1), down(0, 1), left(-1, 0), right(1, 0);
  TWallPoints seeds;
  switch (WallTypeFromIndex(type)) {
    case 1:
      seeds = {i[0] + up, i[1] + up, i[2] + right, i[3] + down, i[4] + down, i[5] + left,
               // Openings wider than an inner side swallow the inner corners; the pieces are
               // then only the outer corners, reached from these.
               o[0] + QPoint(1, 2), o[1] + QPoint(-1, 2), o[2] + QPoint(-2, 0),
               o[3] + QPoint(-1, -2), o[4] + QPoint(1, -2), o[5] + QPoint(2, 0)};
      break;
    case 2:
      seeds = {i[0] + up,
               i[1] + up,
               i[2] + right,
               i[3] + right,
               i[4] + down,
               i[5] + down,
               i[6] + left,
               i[7] + left,
               o[0] + QPoint(1, 2),
               o[1] + QPoint(-1, 2),
               o[2] + QPoint(-2, 1),
               o[3] + QPoint(-2, -1),
               o[4] + QPoint(-1, -2),
               o[5] + QPoint(1, -2),
               o[6] + QPoint(2, -1),
               o[7] + QPoint(2, 1)};
      break;
    default:
      seeds = {o[0] + QPoint(1, 1), o[1] + QPoint(-1, 1), o[2] + QPoint(-1, -1),
               o[3] + QPoint(1, -1)};
      break;
  }
  // A seed is kept only where it lies in the ring and in no opening. Otherwise it would paint
  // an opening as wall, or, with walls thinner than a pixel or two, the courtyard or the whole
  // plan around the walls.
  auto within = [](const TWallPoints& poly, QPoint p) {
    return QPolygon(QList<QPoint>(poly.begin(), poly.end())).containsPoint(p, Qt::OddEvenFill);
  };
  auto inPiece = [&](QPoint p) {
    if (!within(o, p) || within(i, p)) return false;
    for (const TWallPoints& q : arcQuadsPx)
      if (within(q, p)) return false;
    return true;
  };
  std::erase_if(seeds, [&](QPoint p) { return !inPiece(p); });
  return seeds;
}

TWallGeometry BuildWallGeometry(const TWallSizes& walls, const TPlanMapping& plan,
                                std::int32_t arcWidthPx, std::int32_t diameterOuterPx) {
  TWallGeometry g;
  g.Type = WallTypeFromIndex(walls.Type);
  g.Outlines = ComputeWallGeometry(walls, plan);
  g.ArcQuadsPx = ComputeWallArches(g.Type, g.Outlines, arcWidthPx, diameterOuterPx);
  g.FillSeeds = ComputeWallFillSeeds(g.Type, g.Outlines, g.ArcQuadsPx);
  return g;
}

void PaintWalls(QImage& layer, const TWallGeometry& geometry, const QImage& materialPattern, TWallFill fill) {
  {
    // Hard edges only: the fill below stops at exactly black pixels and white is the layer's
    // transparent colour, so no blended pixel may appear.
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    p.setBrush(Qt::white);
    const TWallOutlines& ol = geometry.Outlines;
    p.drawPolygon(ol.OuterPx.data(), static_cast<int>(ol.OuterPx.size()));
    p.drawPolygon(ol.InnerPx.data(), static_cast<int>(ol.InnerPx.size()));
    for (const TWallPoints& quad : geometry.ArcQuadsPx)
      p.drawPolygon(quad.data(), static_cast<int>(quad.size()));
  }
  if (materialPattern.isNull()) return;
  const TWallOutlines& ol = geometry.Outlines;
  QRect bounds;
  for (const QPoint& p : ol.OuterPx) bounds |= QRect(p, QSize(1, 1));
  if (fill == TWallFill::FromSeeds && layer.rect().contains(bounds)) {
    FloodFillPattern(layer, geometry.FillSeeds, qRgb(255, 255, 255), materialPattern);
    return;
  }
  // Walls reaching beyond the layer (a magnified view) may have no seed on it: the masonry is
  // filled as a region and outlined again over it.
  QPainter p(&layer);
  PaintMasonry(p, MasonryPath(geometry), geometry, QBrush(materialPattern), QPoint(0, 0));
}

QPainterPath MasonryPath(const TWallGeometry& geometry) {
  const TWallOutlines& ol = geometry.Outlines;
  QPainterPath masonry;
  masonry.addPolygon(QPolygonF(QPolygon(QList<QPoint>(ol.OuterPx.begin(), ol.OuterPx.end()))));
  QPainterPath holes;
  holes.setFillRule(Qt::WindingFill);
  holes.addPolygon(QPolygonF(QPolygon(QList<QPoint>(ol.InnerPx.begin(), ol.InnerPx.end()))));
  for (const TWallPoints& quad : geometry.ArcQuadsPx)
    holes.addPolygon(QPolygonF(QPolygon(QList<QPoint>(quad.begin(), quad.end()))));
  return masonry.subtracted(holes);
}

void PaintMasonry(QPainter& p, const QPainterPath& masonry, const TWallGeometry& geometry, const QBrush& fill,
                  QPoint patternOrigin) {
  const TWallOutlines& ol = geometry.Outlines;
  p.setRenderHint(QPainter::Antialiasing, false);
  if (fill.style() != Qt::NoBrush) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.setBrushOrigin(patternOrigin);
    p.drawPath(masonry);
  }
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(ol.OuterPx.data(), static_cast<int>(ol.OuterPx.size()));
  p.drawPolygon(ol.InnerPx.data(), static_cast<int>(ol.InnerPx.size()));
  for (const TWallPoints& quad : geometry.ArcQuadsPx) p.drawPolygon(quad.data(), static_cast<int>(quad.size()));
}

TInkTiles WallsInk(const TWallGeometry& geometry, const QRect& canvas) {
  TInkTiles ink(canvas);
  const TWallPoints& outer = geometry.Outlines.OuterPx;
  const TWallPoints& inner = geometry.Outlines.InnerPx;
  if (outer.size() < 3) return ink;
  // The pen and the openings' corners reach a little past the outlines.
  constexpr int kMargin = 4;
  QRect around;
  for (const QPoint& p : outer) around |= QRect(p, QSize(1, 1));
  around = around.adjusted(-kMargin, -kMargin, kMargin, kMargin) & canvas;
  if (around.isEmpty()) return ink;
  const int tile = TInkTiles::kTile;
  for (int top = around.top() / tile * tile; top <= around.bottom(); top += tile) {
    const int bottom = top + tile - 1;
    double lo, hi;
    if (!ConvexWidest(outer, top - double(kMargin), bottom + double(kMargin), lo, hi)) continue;
    const int left = static_cast<int>(std::floor(lo)) - kMargin, right = static_cast<int>(std::ceil(hi)) + kMargin;
    double innerLo, innerHi;
    if (inner.size() >= 3 && ConvexNarrowest(inner, top - double(kMargin), bottom + double(kMargin), innerLo, innerHi) &&
        innerHi - innerLo > 2 * kMargin) {
      ink.Add(QRect(QPoint(left, top), QPoint(static_cast<int>(std::ceil(innerLo)) + kMargin, bottom)));
      ink.Add(QRect(QPoint(static_cast<int>(std::floor(innerHi)) - kMargin, top), QPoint(right, bottom)));
    } else {
      ink.Add(QRect(QPoint(left, top), QPoint(right, bottom)));
    }
  }
  return ink;
}

void RenderWallsLayer(QImage& layer, const TWallGeometry& geometry, const QImage& materialPattern,
                      bool visible, TWallFill fill) {
  layer.fill(Qt::white);
  if (visible) PaintWalls(layer, geometry, materialPattern, fill);
}
