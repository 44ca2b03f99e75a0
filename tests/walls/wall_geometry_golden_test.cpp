// Both outlines of the three wall types in millimetres and plan pixels, and every opening.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "plan/plan_scale.h"
#include "support/golden_tables.h"
#include "walls/wall_geometry.h"

namespace {

struct TGoldenWalls {
  TWallSizes Sizes;
  TPlanScale Scale;
  int ArcPx = 0;
  int OuterPx = 0;
  TWallOutlines Outlines;  // the golden outlines, millimetres and pixels
  std::vector<bool> PendingOuter, PendingInner;
  std::vector<TWallPoints> Arches;
};

std::map<std::string, TGoldenWalls> LoadWalls() {
  std::map<std::string, TGoldenWalls> walls;
  for (const TGoldenRow& r : GoldenRows("walls")) {
    TGoldenWalls& w = walls[r.S(0)];
    w.Sizes = {static_cast<std::uint8_t>(r.I(1)), r.I(2), r.I(3), r.I(4), r.I(5)};
    w.Scale = ComputeScale(r.I(6), r.I(7), r.I(2));
    w.ArcPx = r.I(8);
    w.OuterPx = r.I(9);
  }
  for (const char* ring : {"outer", "inner"}) {
    for (const TGoldenRow& r : GoldenRows(ring)) {
      TGoldenWalls& w = walls.at(r.S(0));
      const bool outer = std::string(ring) == "outer";
      (outer ? w.Outlines.OuterMm : w.Outlines.InnerMm).push_back(r.Point(2));
      (outer ? w.Outlines.OuterPx : w.Outlines.InnerPx).push_back(r.Point(4));
      (outer ? w.PendingOuter : w.PendingInner).push_back(r.I(6) != 0);
    }
  }
  for (const TGoldenRow& r : GoldenRows("arch"))
    walls.at(r.S(0)).Arches.push_back({r.Point(2), r.Point(4), r.Point(6), r.Point(8)});
  return walls;
}

TPlanMapping MappingOf(const TPlanScale& s) {
  return {s.FScale, s.FOriginX, s.FOriginY};
}

TEST(WallGeometryGolden, OutlinesInMillimetres) {
  const auto walls = LoadWalls();
  ASSERT_EQ(walls.size(), 15u);
  for (const auto& [id, w] : walls) {
    SCOPED_TRACE(id);
    const TWallOutlines o = ComputeWallGeometry(w.Sizes, MappingOf(w.Scale));
    EXPECT_EQ(o.OuterMm, w.Outlines.OuterMm);
    EXPECT_EQ(o.InnerMm, w.Outlines.InnerMm);
    EXPECT_EQ(w.Scale.DiameterOuterPx, w.OuterPx);
    EXPECT_EQ(w.Scale.LengthPx(w.Sizes.Arch), w.ArcPx);
  }
}

// Every wall point maps like every other millimetre point, through the one extended-precision
// rounding; the rows whose products land on a hair either side of a half pixel pin it.
TEST(WallGeometryGolden, OutlinesInPlanPixels) {
  for (const auto& [id, w] : LoadWalls()) {
    SCOPED_TRACE(id);
    const TWallOutlines o = ComputeWallGeometry(w.Sizes, MappingOf(w.Scale));
    EXPECT_EQ(o.OuterPx, w.Outlines.OuterPx);
    EXPECT_EQ(o.InnerPx, w.Outlines.InnerPx);
    // Every golden pixel is the extended-precision mapping of its millimetres.
    for (size_t k = 0; k < w.Outlines.OuterMm.size(); ++k)
      EXPECT_EQ(w.Scale.MmToPlan(w.Outlines.OuterMm[k]), w.Outlines.OuterPx[k]) << "outer " << k;
    for (size_t k = 0; k < w.Outlines.InnerMm.size(); ++k)
      EXPECT_EQ(w.Scale.MmToPlan(w.Outlines.InnerMm[k]), w.Outlines.InnerPx[k]) << "inner " << k;
  }
}

// The openings from the golden pixel outlines, so that the opening rules are pinned whatever the
// rounding of the outlines.
TEST(WallGeometryGolden, EveryOpening) {
  for (const auto& [id, w] : LoadWalls()) {
    SCOPED_TRACE(id);
    const auto quads = ComputeWallArches(w.Sizes.Type, w.Outlines, w.ArcPx, w.OuterPx);
    ASSERT_EQ(quads.size(), w.Arches.size());
    for (size_t q = 0; q < quads.size(); ++q) EXPECT_EQ(quads[q], w.Arches[q]) << "opening " << q;
  }
}

}  // namespace
