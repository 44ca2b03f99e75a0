// What the composition skips beneath opaque shapes: the convex extents per band of rows, and the
// tiles counted covered.
#include "platform/occlusion.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "beams/beem_geometry.h"

namespace {

const QRect kEverywhere(-10000, -10000, 20000, 20000);

std::vector<QPoint> Box(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

// An extent as text, "none" when there is none.
using TExtentFn = bool (*)(const std::vector<QPoint>&, double, double, double&, double&);
std::string Extent(TExtentFn fn, const std::vector<QPoint>& hull, double y0, double y1) {
  double lo = 0, hi = 0;
  return fn(hull, y0, y1, lo, hi) ? QStringLiteral("%1..%2").arg(lo).arg(hi).toStdString() : "none";
}

TEST(ConvexExtent, WidestAndNarrowestOverABandOfRows) {
  const std::vector<QPoint> box = Box(10, 20, 50, 60);
  const std::vector<QPoint> slant{{0, 0}, {10, 0}, {50, 40}, {40, 40}};  // x in [y, y + 10]
  const std::vector<QPoint> triangle{{0, 0}, {40, 0}, {20, 40}};           // x in [y / 2, 40 - y / 2]
  const std::vector<QPoint> arrow{{30, 0}, {30, 40}, {0, 20}};             // its left corner inside the band
  const struct {
    const char* Name;
    const std::vector<QPoint>& Hull;
    double Y0, Y1;
    const char *Widest, *Narrowest;
  } cases[] = {
      {"box inside", box, 30, 40, "10..50", "10..50"},
      {"box straddling its top", box, 0, 30, "10..50", "none"},
      {"box touched at its bottom", box, 60, 70, "10..50", "none"},
      {"box above", box, 70, 80, "none", "none"},
      {"slant inside", slant, 10, 20, "10..30", "20..20"},
      {"slant, no x common to the band", slant, 10, 25, "10..35", "none"},
      {"slant straddling", slant, -5, 5, "0..15", "none"},
      {"triangle inside", triangle, 10, 30, "5..35", "15..25"},
      {"triangle one row", triangle, 20, 20, "10..30", "10..30"},
      {"triangle within the band", triangle, -10, 50, "0..40", "none"},
      {"corner inside the band", arrow, 10, 30, "0..30", "15..30"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Extent(ConvexWidest, c.Hull, c.Y0, c.Y1), c.Widest) << c.Name;
    EXPECT_EQ(Extent(ConvexNarrowest, c.Hull, c.Y0, c.Y1), c.Narrowest) << c.Name;
  }
}

// Regions alike in what they hold, however their rectangles are banded.
bool Same(const QRegion& a, const QRegion& b) { return a.xored(b).isEmpty(); }

// What the grid counts covered: the area less what it leaves open to a layer over all of it.
QRegion Covered(const TOcclusionGrid& grid, const QRect& area) {
  bool whole = false;
  return QRegion(area) - grid.Open(area, {}, whole);
}

// Tiles of 16 from (8, 4), the last row cut to 6 pixels; a tile counts from a pixel outside it.
TEST(ConvexExtent, WidthIsTheNarrowestGapBetweenParallelLines) {
  struct TCase {
    const char* Name;
    std::vector<QPoint> Hull;
    double Width;
  } const cases[] = {
      {"square", {{0, 0}, {20, 0}, {20, 20}, {0, 20}}, 20},
      {"flat band", {{0, 0}, {300, 0}, {300, 18}, {0, 18}}, 18},
      {"slanted band", {{0, 0}, {300, 300}, {286, 314}, {-14, 14}}, 14 * std::sqrt(2.0)},
      {"triangle", {{0, 0}, {40, 0}, {0, 30}}, 24},
      {"two corners", {{0, 0}, {10, 10}}, 0},
      {"one point thrice", {{5, 5}, {5, 5}, {5, 5}}, 0},
  };
  for (const TCase& c : cases) EXPECT_NEAR(ConvexWidth(c.Hull), c.Width, 1e-9) << c.Name;
}

// A band too narrow to hold a tile a pixel deep covers nothing, whatever its length; one a
// pixel wider covers along its length.
TEST(TOcclusionGrid, ABandNarrowerThanATileAndItsMarginsCoversNothing) {
  for (const int width : {18, 19}) {
    TOcclusionGrid grid(QRect(0, 0, 320, 64));
    grid.Cover({{0, 15}, {320, 15}, {320, 15 + width}, {0, 15 + width}}, QRect(0, 0, 320, 64));
    bool whole = false;
    const QRegion open = grid.Open(QRect(0, 0, 320, 64), {}, whole);
    EXPECT_EQ(whole, width == 18) << width;
  }
}

TEST(TOcclusionGrid, ABoxCoversTheTilesLyingAPixelDeepInsideIt) {
  const QRect area(8, 4, 160, 86);
  const std::pair<std::vector<QPoint>, QRect> cases[] = {  // the box's corners, what it covers
      {Box(20, 10, 90, 70), QRect(24, 20, 64, 48)},
      {Box(23, 19, 89, 69), QRect(24, 20, 64, 48)},  // exactly a pixel deep all round
      {Box(24, 19, 89, 69), QRect(40, 20, 48, 48)},
      {Box(23, 19, 88, 69), QRect(24, 20, 48, 48)},
      {Box(23, 20, 89, 69), QRect(24, 36, 64, 32)},
      {Box(23, 19, 89, 68), QRect(24, 20, 64, 32)},
      {Box(23, 67, 89, 91), QRect(24, 68, 64, 22)},  // the short last row
      {Box(-50, -50, 400, 400), area},
      {Box(10, 10, 40, 40), QRect()},
  };
  for (const auto& [hull, expected] : cases) {
    TOcclusionGrid grid(area);
    grid.Cover(hull, kEverywhere);
    EXPECT_TRUE(Same(Covered(grid, area), QRegion(expected))) << hull[0].x() << "," << hull[0].y() << " "
                                                               << hull[2].x() << "," << hull[2].y();
  }
}

// The box above covers tiles 24..87 x 20..67; a layer beneath is open elsewhere, and only near its
// hull when it has one (the pen reaching two pixels past it).
TEST(TOcclusionGrid, OpenIsWhatOfALayerBeneathIsNotCovered) {
  const QRect area(8, 4, 160, 86), covered(24, 20, 64, 48);
  TOcclusionGrid grid(area);
  grid.Cover(Box(20, 10, 90, 70), kEverywhere);
  const struct {
    const char* Name;
    QRect Bounds;
    std::vector<QPoint> Hull;
    QRegion Open;
    bool Whole;
  } cases[] = {
      {"wholly under", QRect(30, 25, 40, 30), {}, QRegion(), false},
      {"exactly under", covered, {}, QRegion(), false},
      {"partly under", QRect(60, 50, 60, 30), {}, QRegion(60, 50, 60, 30) - QRegion(covered), false},
      {"beside", QRect(100, 70, 30, 15), {}, QRegion(100, 70, 30, 15), true},
      {"cut to the area", QRect(150, 80, 40, 40), {}, QRegion(150, 80, 18, 10), true},
      {"near a hull", area, Box(120, 30, 140, 40), QRegion(104, 20, 48, 32), true},
      {"a hull on tile borders", area, Box(120, 52, 135, 60), QRegion(104, 36, 48, 32), true},
      {"rows the hull misses", QRect(8, 70, 160, 20), Box(120, 30, 140, 40), QRegion(), false},
      {"a hull partly over covered tiles", area, Box(80, 30, 100, 40), QRegion(88, 20, 16, 32), false},
      {"a hull over covered tiles", area, Box(40, 30, 60, 40), QRegion(), false},
      {"a hull outside the area", area, Box(40, 300, 60, 320), QRegion(), false},
  };
  for (const auto& c : cases) {
    bool whole = !c.Whole;
    EXPECT_TRUE(Same(grid.Open(c.Bounds, c.Hull, whole), c.Open)) << c.Name;
    EXPECT_EQ(whole, c.Whole) << c.Name;
  }
  bool whole = false;
  EXPECT_TRUE(grid.Open(QRect(200, 0, 10, 10), {}, whole).isEmpty());
}

// Inside or on the edge of a convex polygon: on one side of every edge.
bool InsideConvex(const std::vector<QPoint>& hull, double x, double y) {
  bool left = false, right = false;
  for (size_t i = 0; i < hull.size(); ++i) {
    const QPoint a = hull[i], b = hull[(i + 1) % hull.size()];
    const double cross = (b.x() - a.x()) * (y - a.y()) - (b.y() - a.y()) * (x - a.x());
    if (cross > 0) left = true;
    if (cross < 0) right = true;
  }
  return !(left && right);
}

// A slanted band crosses many tiles it only grazes: none of those may count, and every tile
// that does is painted wholly by the band's own fill.
TEST(TOcclusionGrid, ASlantedBandCoversOnlyTilesWhollyInside) {
  const QRect area(3, 5, 208, 192);
  const struct {
    QPoint Begin, End;
    int Width;
    bool AnyDeep;
  } cases[] = {{{0, 0}, {210, 190}, 60, true}, {{10, 170}, {200, 20}, 45, true}, {{0, 90}, {210, 70}, 40, true},
               {{100, 0}, {80, 190}, 50, true}, {{0, 0}, {210, 190}, 20, false}};
  for (const auto& c : cases) {
    const std::vector<QPoint> hull = *BeemOutlinePx(c.Begin, c.End, c.Width);
    TOcclusionGrid grid(area);
    grid.Cover(hull, kEverywhere);
    const QRegion covered = Covered(grid, area);
    QImage fill(area.right() + 1, area.bottom() + 1, QImage::Format_RGB32);  // the band's fill alone
    fill.fill(Qt::white);
    QPainter p(&fill);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(hull.data(), static_cast<int>(hull.size()));
    p.end();
    int tiles = 0;
    for (int top = area.top(); top < area.bottom(); top += TOcclusionGrid::kTile)
      for (int left = area.left(); left < area.right(); left += TOcclusionGrid::kTile) {
        const QRect tile(left, top, TOcclusionGrid::kTile, TOcclusionGrid::kTile);
        const double l = left - 1, r = tile.right() + 2, t = top - 1, b = tile.bottom() + 2;
        const bool deep = InsideConvex(hull, l, t) && InsideConvex(hull, r, t) && InsideConvex(hull, l, b) &&
                          InsideConvex(hull, r, b);
        ASSERT_EQ(covered.contains(tile), deep) << c.Width << " tile " << left << "," << top;
        ASSERT_TRUE(deep || (covered & tile).isEmpty()) << c.Width << " part of tile " << left << "," << top;
        tiles += deep;
        for (int y = top; deep && y <= tile.bottom(); ++y)
          for (int x = left; x <= tile.right(); ++x) ASSERT_EQ(fill.pixel(x, y), 0xFF000000u) << x << "," << y;
      }
    EXPECT_EQ(tiles > 0, c.AnyDeep) << c.Width;
  }
}

}  // namespace

// A shape is painted only within its layer's bounds: it covers no tile beyond them, however far
// its hull reaches.
TEST(TOcclusionGrid, AShapeCoversNothingBeyondItsLayer) {
  const QRect area(0, 0, 96, 64);
  TOcclusionGrid grid(area);
  grid.Cover(Box(-40, -40, 140, 100), QRect(32, 0, 32, 64));
  bool whole = true;
  EXPECT_TRUE(Same(grid.Open(QRect(0, 0, 96, 64), {}, whole), QRegion(0, 0, 32, 64) + QRegion(64, 0, 32, 64)));
  EXPECT_FALSE(whole);
}
