#include "walls/wall_geometry.h"

#include <gtest/gtest.h>

namespace {

using Pts = TWallPoints;

const TPlanMapping kTenth{0.1L, 65, 65};  // 0.1 pixel per mm, origin (65, 65)

TEST(WallGeometry, FourSided) {
  const TWallGeometry g = BuildWallGeometry({0, 5600, 4000, 800, 1500}, kTenth, 150, 560);
  EXPECT_EQ(g.Outlines.OuterMm, (Pts{{0, 0}, {5600, 0}, {5600, 5600}, {0, 5600}}));
  EXPECT_EQ(g.Outlines.InnerMm, (Pts{{800, 800}, {4800, 800}, {4800, 4800}, {800, 4800}}));
  EXPECT_EQ(g.Outlines.OuterPx, (Pts{{65, 65}, {625, 65}, {625, 625}, {65, 625}}));
  EXPECT_EQ(g.Outlines.InnerPx, (Pts{{145, 145}, {545, 145}, {545, 545}, {145, 545}}));
  // h = (560 - 150) div 2 = 205
  const std::vector<Pts> quads = {
      {{65, 270}, {145, 270}, {145, 420}, {65, 420}},
      {{270, 65}, {420, 65}, {420, 145}, {270, 145}},
      {{545, 270}, {625, 270}, {625, 420}, {545, 420}},
      {{270, 545}, {420, 545}, {420, 625}, {270, 625}},
  };
  EXPECT_EQ(g.ArcQuadsPx, quads);
  EXPECT_EQ(g.FillSeeds, (Pts{{66, 66}, {624, 66}, {624, 624}, {66, 624}}));
}

TEST(WallGeometry, FourSidedAtWindowScale) {
  // A 618 x 352 panel: scale 232 / 5600 * 0.95, outer square 220 px from (199, 65).
  const TPlanMapping plan{232.0L / 5600 * 0.95L, 199, 65};
  const TWallOutlines o = ComputeWallGeometry({0, 5600, 4000, 800, 1500}, plan);
  EXPECT_EQ(o.OuterPx, (Pts{{199, 65}, {419, 65}, {419, 285}, {199, 285}}));
  EXPECT_EQ(o.InnerPx, (Pts{{230, 96}, {388, 96}, {388, 254}, {230, 254}}));
}

TEST(WallGeometry, SixSided) {
  const TWallGeometry g = BuildWallGeometry({1, 5600, 4000, 800, 1500}, kTenth, 150, 560);
  EXPECT_EQ(g.Outlines.OuterMm,
            (Pts{{1400, 375}, {4200, 375}, {5600, 2800}, {4200, 5225}, {1400, 5225}, {0, 2800}}));
  EXPECT_EQ(
      g.Outlines.InnerMm,
      (Pts{{1800, 1068}, {3800, 1068}, {4800, 2800}, {3800, 4532}, {1800, 4532}, {800, 2800}}));
  // 37.5 and 522.5 round to the even neighbours 38 and 522.
  EXPECT_EQ(g.Outlines.OuterPx,
            (Pts{{205, 103}, {485, 103}, {625, 345}, {485, 587}, {205, 587}, {65, 345}}));
  EXPECT_EQ(g.Outlines.InnerPx,
            (Pts{{245, 172}, {445, 172}, {545, 345}, {445, 518}, {245, 518}, {145, 345}}));
  // h = 65; outer slant: L = 280, g = 65, (ox, oy) = (32, 56); inner: L = 200, g = 25,
  // (ix, iy) = (12, 22).
  const std::vector<Pts> quads = {
      {{270, 103}, {420, 103}, {420, 172}, {270, 172}},
      {{270, 518}, {420, 518}, {420, 587}, {270, 587}},
      {{517, 159}, {593, 289}, {533, 323}, {457, 194}},
      {{593, 401}, {517, 531}, {457, 496}, {533, 367}},
      {{173, 159}, {233, 194}, {157, 323}, {97, 289}},
      {{97, 401}, {157, 367}, {233, 496}, {173, 531}},
  };
  EXPECT_EQ(g.ArcQuadsPx, quads);
  // Beside the inner corners, then near the outer ones.
  EXPECT_EQ(g.FillSeeds, (Pts{{245, 171},
                              {445, 171},
                              {546, 345},
                              {445, 519},
                              {245, 519},
                              {144, 345},
                              {206, 105},
                              {484, 105},
                              {623, 345},
                              {484, 585},
                              {206, 585},
                              {67, 345}}));
}

TEST(WallGeometry, EightSided) {
  const TWallGeometry g = BuildWallGeometry({2, 5600, 4000, 800, 1320}, kTenth, 132, 560);
  // c = 1616, s = 2368 outside; c = 1154, s = 1692 inside, shifted by (800, 800).
  EXPECT_EQ(g.Outlines.OuterMm, (Pts{{1616, 0},
                                     {3984, 0},
                                     {5600, 1616},
                                     {5600, 3984},
                                     {3984, 5600},
                                     {1616, 5600},
                                     {0, 3984},
                                     {0, 1616}}));
  EXPECT_EQ(g.Outlines.InnerMm, (Pts{{1954, 800},
                                     {3646, 800},
                                     {4800, 1954},
                                     {4800, 3646},
                                     {3646, 4800},
                                     {1954, 4800},
                                     {800, 3646},
                                     {800, 1954}}));
  EXPECT_EQ(g.Outlines.OuterPx, (Pts{{227, 65},
                                     {463, 65},
                                     {625, 227},
                                     {625, 463},
                                     {463, 625},
                                     {227, 625},
                                     {65, 463},
                                     {65, 227}}));
  EXPECT_EQ(g.Outlines.InnerPx, (Pts{{260, 145},
                                     {430, 145},
                                     {545, 260},
                                     {545, 430},
                                     {430, 545},
                                     {260, 545},
                                     {145, 430},
                                     {145, 260}}));
  // h = 52, t = Round(34.33) = 34, v = Round(10.83) = 11
  ASSERT_EQ(g.ArcQuadsPx.size(), 8u);
  EXPECT_EQ(g.ArcQuadsPx[0], (Pts{{65, 279}, {145, 279}, {145, 411}, {65, 411}}));
  EXPECT_EQ(g.ArcQuadsPx[1], (Pts{{279, 65}, {411, 65}, {411, 145}, {279, 145}}));
  EXPECT_EQ(g.ArcQuadsPx[3], (Pts{{279, 625}, {411, 625}, {411, 545}, {279, 545}}));
  EXPECT_EQ(g.ArcQuadsPx[4], (Pts{{497, 99}, {591, 193}, {534, 249}, {441, 156}}));
  EXPECT_EQ(g.ArcQuadsPx[6], (Pts{{99, 497}, {156, 441}, {249, 534}, {193, 591}}));
  const Pts inner = {{260, 144}, {430, 144}, {546, 260}, {546, 430},
                     {430, 546}, {260, 546}, {144, 430}, {144, 260}};
  ASSERT_EQ(g.FillSeeds.size(), 16u);
  EXPECT_EQ(Pts(g.FillSeeds.begin(), g.FillSeeds.begin() + 8), inner);
}

// At the largest six-sided opening of 16000 / 8000 walls (4619 mm) the openings are wider than
// the inner sides and cover the inner corners: no seed may lie in an opening, and each piece
// around an outer corner still gets one.
TEST(WallGeometry, SeedsAvoidOpeningsWiderThanTheInnerSides) {
  const double scale = 0.035;
  const TWallGeometry g =
      BuildWallGeometry({1, 16000, 8000, 4000, 4619}, {scale, 65, 65}, 162, 560);
  ASSERT_EQ(g.FillSeeds.size(), 6u);
  for (std::size_t k = 0; k < 6; ++k)
    EXPECT_EQ(g.FillSeeds[k] - g.Outlines.OuterPx[k],
              (Pts{{1, 2}, {-1, 2}, {-2, 0}, {-1, -2}, {1, -2}, {2, 0}})[k]);
}

TEST(WallGeometry, EightSidedInnerShiftedByThicknessNotCentred) {
  // Read from a document: 5600 / 2000 / 800 does not add up; the inner ring sits at (800, 800).
  const TWallOutlines o = ComputeWallGeometry({2, 5600, 2000, 800, 0}, kTenth);
  EXPECT_EQ(o.InnerMm.front(), QPoint(1377, 800));  // c(2000) = Round(0.866 * 666) = 577
  EXPECT_EQ(o.InnerMm[3], QPoint(800 + 2000, 800 + 577 + 846));
}

// Both outlines run clockwise on the screen (y down): their shoelace sum is positive.
TEST(WallGeometry, OutlinesRunClockwise) {
  auto area2 = [](const Pts& p) {
    long long s = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
      const QPoint a = p[i], b = p[(i + 1) % p.size()];
      s += static_cast<long long>(a.x()) * b.y() - static_cast<long long>(b.x()) * a.y();
    }
    return s;
  };
  for (std::uint8_t type : {0, 1, 2}) {
    const TWallOutlines o = ComputeWallGeometry({type, 7200, 5600, 800, 0}, kTenth);
    EXPECT_GT(area2(o.OuterPx), 0) << int(type);
    EXPECT_GT(area2(o.InnerPx), 0) << int(type);
  }
}

TEST(WallGeometry, DegenerateDocumentWallsDoNotBreak) {
  // Zero or negative sizes can come from a document; the arithmetic must stay defined.
  for (std::uint8_t type : {0, 1, 2, 9})
    for (const TWallSizes& w : {TWallSizes{type, 0, 0, 0, 0}, TWallSizes{type, -600, 5, -9, 0}}) {
      const TWallGeometry g = BuildWallGeometry(w, kTenth, 150, 0);
      const std::size_t n = type == 1 ? 6 : type == 2 ? 8 : 4;
      EXPECT_EQ(g.Outlines.OuterPx.size(), n);
      EXPECT_EQ(g.ArcQuadsPx.size(), n);
      if (w.Outer == 0) {
        EXPECT_TRUE(g.FillSeeds.empty());  // no ring to fill
      }
    }
}

}  // namespace
