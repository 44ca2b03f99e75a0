// What the composition skips beneath opaque shapes: the convex extents per band of rows, and the
// tiles counted covered.
#include "platform/occlusion.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "beams/beem_geometry.h"

namespace {

std::vector<QPoint> Box(int x0, int y0, int x1, int y1) { return {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}; }

TEST(ConvexExtent, WidestAndNarrowestOverABandOfRows) {
  struct TCase {
    const char* Name;
    std::vector<QPoint> Hull;
    double Y0, Y1;
    bool Widest;
    double WLo, WHi;
    bool Narrowest;
    double NLo, NHi;
  };
  const std::vector<QPoint> slant{{0, 0}, {10, 0}, {50, 40}, {40, 40}};  // x in [y, y + 10]
  const std::vector<QPoint> triangle{{0, 0}, {40, 0}, {20, 40}};           // x in [y / 2, 40 - y / 2]
  const std::vector<QPoint> arrow{{30, 0}, {30, 40}, {0, 20}};             // a corner inside the band
  const TCase cases[] = {
      {"box inside", Box(10, 20, 50, 60), 30, 40, true, 10, 50, true, 10, 50},
      {"box straddling top", Box(10, 20, 50, 60), 0, 30, true, 10, 50, false, 0, 0},
      {"box touched at its bottom", Box(10, 20, 50, 60), 60, 70, true, 10, 50, false, 0, 0},
      {"box above", Box(10, 20, 50, 60), 70, 80, false, 0, 0, false, 0, 0},
      {"slant inside", slant, 10, 20, true, 10, 30, true, 20, 20},
      {"slant, no common x", slant, 10, 25, true, 10, 35, false, 0, 0},
      {"slant straddling", slant, -5, 5, true, 0, 15, false, 0, 0},
      {"triangle inside", triangle, 10, 30, true, 5, 35, true, 15, 25},
      {"triangle one row", triangle, 20, 20, true, 10, 30, true, 10, 30},
      {"triangle within the band", triangle, -10, 50, true, 0, 40, false, 0, 0},
      {"corner inside the band", arrow, 10, 30, true, 0, 30, true, 15, 30},
      {"below the triangle", triangle, 41, 60, false, 0, 0, false, 0, 0},
  };
  for (const TCase& c : cases) {
    double lo = -1, hi = -1;
    ASSERT_EQ(ConvexWidest(c.Hull, c.Y0, c.Y1, lo, hi), c.Widest) << c.Name;
    if (c.Widest) {
      EXPECT_DOUBLE_EQ(lo, c.WLo) << c.Name;
      EXPECT_DOUBLE_EQ(hi, c.WHi) << c.Name;
    }
    ASSERT_EQ(ConvexNarrowest(c.Hull, c.Y0, c.Y1, lo, hi), c.Narrowest) << c.Name;
    if (c.Narrowest) {
      EXPECT_DOUBLE_EQ(lo, c.NLo) << c.Name;
      EXPECT_DOUBLE_EQ(hi, c.NHi) << c.Name;
    }
  }
}

// Regions alike in what they hold, however their rectangles are banded.
::testing::AssertionResult Same(const QRegion& a, const QRegion& b) {
  if (a.xored(b).isEmpty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "differ within " << a.xored(b).boundingRect().x() << ","
                                       << a.xored(b).boundingRect().y() << " " << a.xored(b).boundingRect().width() << "x"
                                       << a.xored(b).boundingRect().height();
}

// What the grid counts covered: the area less what it leaves open to a layer over all of it.
QRegion Covered(const TOcclusionGrid& grid, const QRect& area) {
  bool whole = false;
  return QRegion(area) - grid.Open(area, {}, whole);
}

// Tiles of 16 from (8, 4), the last row cut to 6 pixels; a tile counts from a pixel outside it.
TEST(TOcclusionGrid, ABoxCoversTheTilesLyingAPixelDeepInsideIt) {
  const QRect area(8, 4, 160, 86);
  struct TCase {
    QRect Hull;  // corners
    QRect Covered;
  } const cases[] = {
      {QRect(QPoint(20, 10), QPoint(90, 70)), QRect(24, 20, 64, 48)},
      {QRect(QPoint(23, 19), QPoint(89, 69)), QRect(24, 20, 64, 48)},  // exactly a pixel deep
      {QRect(QPoint(24, 19), QPoint(89, 69)), QRect(40, 20, 48, 48)},
      {QRect(QPoint(23, 19), QPoint(88, 69)), QRect(24, 20, 48, 48)},
      {QRect(QPoint(23, 20), QPoint(89, 69)), QRect(24, 36, 64, 32)},
      {QRect(QPoint(23, 19), QPoint(89, 68)), QRect(24, 20, 64, 32)},
      {QRect(QPoint(23, 67), QPoint(89, 91)), QRect(24, 68, 64, 22)},  // the short last row
      {QRect(QPoint(-50, -50), QPoint(400, 400)), area},
      {QRect(QPoint(10, 10), QPoint(40, 40)), QRect()},
  };
  for (const TCase& c : cases) {
    TOcclusionGrid grid(area);
    grid.Cover(Box(c.Hull.left(), c.Hull.top(), c.Hull.right(), c.Hull.bottom()));
    EXPECT_TRUE(Same(Covered(grid, area), QRegion(c.Covered))) << c.Hull.x() << "," << c.Hull.y() << " " << c.Hull.right()
                                                       << "," << c.Hull.bottom();
  }
}

TEST(TOcclusionGrid, OpenIsWhatOfALayerBeneathIsNotCovered) {
  const QRect area(8, 4, 160, 86), covered(24, 20, 64, 48);
  TOcclusionGrid grid(area);
  grid.Cover(Box(20, 10, 90, 70));
  struct TCase {
    const char* Name;
    QRect Bounds;
    QRegion Open;
    bool Whole;
  } const cases[] = {
      {"wholly under", QRect(30, 25, 40, 30), QRegion(), false},
      {"exactly under", covered, QRegion(), false},
      {"partly under", QRect(60, 50, 60, 30), QRegion(QRect(60, 50, 60, 30)) - QRegion(covered), false},
      {"beside", QRect(100, 70, 30, 15), QRegion(QRect(100, 70, 30, 15)), true},
      {"cut to the area", QRect(150, 80, 40, 40), QRegion(QRect(150, 80, 18, 10)), true},
  };
  for (const TCase& c : cases) {
    bool whole = !c.Whole;
    EXPECT_TRUE(Same(grid.Open(c.Bounds, {}, whole), c.Open)) << c.Name;
    EXPECT_EQ(whole, c.Whole) << c.Name;
  }
  bool whole = false;
  EXPECT_TRUE(grid.Open(QRect(200, 0, 10, 10), {}, whole).isEmpty());
}

TEST(TOcclusionGrid, AHullLimitsOpenToTheRowsAndColumnsItReaches) {
  const QRect area(0, 0, 160, 160);
  TOcclusionGrid grid(area);
  bool whole = false;
  // Rows 0..15 and 16..31 reach the box (with the pen's margin), columns 32..63 hold it.
  EXPECT_TRUE(Same(grid.Open(area, Box(40, 10, 60, 20), whole), QRegion(32, 0, 32, 32)));
  EXPECT_TRUE(whole);
  // A box on tile borders: the pen past its edges reaches the tiles beyond them.
  EXPECT_TRUE(Same(grid.Open(area, Box(48, 34, 63, 44), whole), QRegion(32, 16, 48, 32)));
  EXPECT_TRUE(grid.Open(QRect(0, 64, 160, 96), Box(40, 10, 60, 20), whole).isEmpty());
  EXPECT_FALSE(whole);
  EXPECT_TRUE(grid.Open(area, Box(40, 300, 60, 320), whole).isEmpty());
  EXPECT_FALSE(whole);
}

bool InsideConvex(const std::vector<QPoint>& hull, double x, double y) {
  int sign = 0;
  for (size_t i = 0; i < hull.size(); ++i) {
    const QPoint a = hull[i], b = hull[(i + 1) % hull.size()];
    const double cross = (b.x() - a.x()) * (y - a.y()) - (b.y() - a.y()) * (x - a.x());
    if (cross == 0) continue;
    if (sign == 0) sign = cross > 0 ? 1 : -1;
    else if ((cross > 0 ? 1 : -1) != sign) return false;
  }
  return true;
}

// A slanted band crosses many tiles it only grazes: none of those may count, and every tile
// that does is painted wholly by the band's own fill.
TEST(TOcclusionGrid, ASlantedBandCoversOnlyTilesWhollyInside) {
  const QRect area(3, 5, 208, 192);
  struct TCase {
    QPoint Begin, End;
    int Width;
    bool AnyDeep;
  } const cases[] = {{{0, 0}, {210, 190}, 60, true}, {{10, 170}, {200, 20}, 45, true}, {{0, 90}, {210, 70}, 40, true},
                     {{100, 0}, {80, 190}, 50, true}, {{0, 0}, {210, 190}, 20, false}};
  for (const TCase& c : cases) {
    const std::vector<QPoint> hull = *BeemOutlinePx(c.Begin, c.End, c.Width);
    TOcclusionGrid grid(area);
    grid.Cover(hull);
    const QRegion covered = Covered(grid, area);
    QImage fill(area.right() + 1, area.bottom() + 1, QImage::Format_RGB32);
    fill.fill(Qt::white);
    {
      QPainter p(&fill);
      p.setPen(Qt::NoPen);
      p.setBrush(Qt::black);
      p.drawPolygon(hull.data(), static_cast<int>(hull.size()));
    }
    int tiles = 0;
    for (int top = area.top(); top <= area.bottom(); top += TOcclusionGrid::kTile)
      for (int left = area.left(); left <= area.right(); left += TOcclusionGrid::kTile) {
        const QRect tile = QRect(left, top, TOcclusionGrid::kTile, TOcclusionGrid::kTile) & area;
        const double l = tile.left() - 1, r = tile.right() + 2, t = tile.top() - 1, b = tile.bottom() + 2;
        const bool deep = InsideConvex(hull, l, t) && InsideConvex(hull, r, t) && InsideConvex(hull, l, b) &&
                          InsideConvex(hull, r, b);
        const bool counted = covered.contains(tile);
        ASSERT_EQ(counted, deep) << c.Width << " tile " << left << "," << top;
        ASSERT_TRUE(counted || (covered & tile).isEmpty()) << "part of a tile covered";
        if (!counted) continue;
        ++tiles;
        for (int y = tile.top(); y <= tile.bottom(); ++y)
          for (int x = tile.left(); x <= tile.right(); ++x) ASSERT_EQ(fill.pixel(x, y), 0xFF000000u) << x << "," << y;
      }
    EXPECT_EQ(tiles > 0, c.AnyDeep) << c.Width;
  }
}

}  // namespace
