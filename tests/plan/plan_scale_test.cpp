// The scale that fits the walls into the panel, the conversions both ways and the rulers.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "plan/plan_scale.h"
#include "plan/rulers.h"
#include "platform/white_key.h"
#include "support/golden_tables.h"

namespace {

TEST(ComputeScaleGolden, EveryPanel) {
  const auto rows = GoldenRows("scale");
  ASSERT_GE(rows.size(), 20u);
  for (const TGoldenRow& r : rows) {
    SCOPED_TRACE(r.Where());
    const TPlanScale s = ComputeScale(r.I(0), r.I(1), r.I(2));
    // The mantissa is printed unsigned; stoull keeps all 64 bits.
    const long double expected =
        std::ldexp(static_cast<long double>(std::stoull(r.S(3))), r.I(4));
    EXPECT_EQ(s.FScale, expected);
    EXPECT_EQ(s.DiameterOuterPx, r.I(5));
    EXPECT_EQ(s.FOriginX, r.I(6));
    EXPECT_EQ(s.FOriginY, r.I(7));
  }
}

// Conversions at exact halves go to the even neighbour, on both sides of the origin.
TEST(PlanScale, HalfPixelsAndHalfMillimetresGoToTheEvenNeighbour) {
  TPlanScale half;  // 0.5 pixel per millimetre: odd millimetres land on half pixels
  half.FScale = 0.5L;
  half.FOriginX = 10;
  half.FOriginY = 20;
  const std::vector<std::tuple<int, int>> mmToPx = {
      {1, 0}, {3, 2}, {5, 2}, {7, 4}, {-1, 0}, {-3, -2}, {-5, -2}, {2, 1}, {0, 0}};
  for (auto [mm, px] : mmToPx) {
    EXPECT_EQ(half.MmToPlan(QPoint(mm, mm)), QPoint(px + 10, px + 20)) << mm << " mm";
    EXPECT_EQ(half.LengthPx(mm), px) << mm << " mm";
  }
  TPlanScale four;  // 4 pixels per millimetre: every other pixel is half a millimetre
  four.FScale = 4.0L;
  four.FOriginX = 100;
  four.FOriginY = 50;
  const std::vector<std::tuple<int, int>> pxToMm = {
      {2, 0}, {6, 2}, {10, 2}, {14, 4}, {-2, 0}, {-6, -2}, {-10, -2}, {3, 1}, {5, 1}, {-3, -1}};
  for (auto [px, mm] : pxToMm)
    EXPECT_EQ(four.PlanToMm(QPoint(px + 100, px + 50)), QPoint(mm, mm)) << px << " px";
}

TEST(PlanScale, RulerStepThresholds) {
  const std::vector<std::tuple<int, int>> rows = {{0, 500},     {5999, 500},  {6000, 1000},
                                                  {11999, 1000}, {12000, 2000}, {16000, 2000}};
  for (auto [r, step] : rows) EXPECT_EQ(RulerStep(r), step) << r;
}

bool Ink(const QImage& img, int x, int y) { return (img.pixel(x, y) & 0xFFFFFFu) == 0; }

// Ticks of the top, bottom, left and right bands, read off the painted layer.
TEST(RulersGolden, TickPositionsAndSteps) {
  const auto heads = GoldenRows("ruler");
  ASSERT_EQ(heads.size(), 6u);
  std::map<std::tuple<int, int, int>, std::vector<int>> xs, ys;
  std::map<std::tuple<int, int, int>, std::vector<int>> labelsX;
  for (const TGoldenRow& t : GoldenRows("tick")) {
    const auto key = std::make_tuple(t.I(0), t.I(1), t.I(2));
    (t.S(3) == "x" ? xs : ys)[key].push_back(t.I(5));
    if (t.S(3) == "x") labelsX[key].push_back(t.I(4));
  }
  for (const TGoldenRow& r : heads) {
    SCOPED_TRACE(r.Where());
    const int w = r.I(0), h = r.I(1), d = r.I(2);
    const TPlanScale s = ComputeScale(w, h, d);
    EXPECT_EQ(RulerStep(r.I(3)), r.I(4));
    const auto key = std::make_tuple(w, h, d);
    // The labels run from 0 in steps, the last not beyond the walls' square.
    const std::vector<int>& labels = labelsX[key];
    ASSERT_FALSE(labels.empty());
    for (size_t i = 0; i < labels.size(); ++i)
      EXPECT_EQ(labels[i], static_cast<int>(i) * r.I(4));

    QImage layer(w, h, QImage::Format_RGB32);
    layer.fill(Qt::white);
    PaintRulers(layer, w, h, s);
    std::vector<int> top, bottom, left, right;
    for (int x = 11; x < w - 11; ++x) {
      if (Ink(layer, x, 5)) top.push_back(x);
      if (Ink(layer, x, h - 6)) bottom.push_back(x);
    }
    for (int y = 11; y < h - 11; ++y) {
      if (Ink(layer, 5, y)) left.push_back(y);
      if (Ink(layer, w - 6, y)) right.push_back(y);
    }
    EXPECT_EQ(top, xs[key]);
    EXPECT_EQ(bottom, xs[key]);
    EXPECT_EQ(left, ys[key]);
    EXPECT_EQ(right, ys[key]);
    // A tick spans the band: from the outer frame's inner edge to the band's line.
    const int x0 = xs[key].front();
    EXPECT_TRUE(Ink(layer, x0, 1) && Ink(layer, x0, 9));
    EXPECT_TRUE(Ink(layer, x0, h - 2) && Ink(layer, x0, h - 10));
  }
}

// Every pixel the rulers paint lies in the bands they say their ink is in, for the panels the
// golden table has and for tall, wide and small ones; the middle of a panel is no ink.
TEST(RulersGolden, EveryInkedPixelLiesInTheRulerBands) {
  std::vector<std::tuple<int, int, int>> panels = {{1592, 892, 5600}, {300, 900, 16000}, {900, 120, 1200},
                                                   {120, 120, 9000}, {641, 479, 7300}};
  for (const TGoldenRow& r : GoldenRows("ruler")) panels.emplace_back(r.I(0), r.I(1), r.I(2));
  for (const auto& [w, h, d] : panels) {
    QImage layer(w, h, QImage::Format_RGB32);
    layer.fill(Qt::white);
    PaintRulers(layer, w, h, ComputeScale(w, h, d));
    const TInkTiles ink = RulerInk(w, h);
    QImage outside = layer;
    for (const QRect& r : ink.Runs(layer.rect()))
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) outside.setPixel(x, y, 0xFFFFFFFFu);
    EXPECT_TRUE(InkBounds(outside).isEmpty()) << w << "x" << h << " " << d;
    if (w > 200 && h > 200) {
      EXPECT_TRUE(ink.Runs(QRect(w / 2, h / 2, 1, 1)).empty()) << w << "x" << h;
    }
  }
}

}  // namespace
