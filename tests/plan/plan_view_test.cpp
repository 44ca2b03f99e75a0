// The view over the fitted plan: zoom steps, zooming about a point, the bounds of panning, the
// scroll bars' figures and the rulers of a magnified plan.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <vector>

#include "plan/plan_view.h"
#include "plan/rulers.h"
#include "platform/canvas.h"

namespace {

// Plan pixel of millimetre `mm` for a mapping, worked out here from its figures.
long double PxOf(long double mm, long double scale, int origin) { return mm * scale + origin; }
long double MmOf(int px, long double scale, int origin) { return (px - origin) / scale; }

struct TPanelCase {
  const char* name;
  QSize panel;
  std::int32_t outer;
};
const std::vector<TPanelCase> kPanels = {
    {"landscape", {1600, 900}, 5600},  {"portrait", {618, 900}, 7000},
    {"square", {700, 700}, 14000},     {"small walls", {1200, 800}, 1200},
    {"huge walls", {1000, 700}, 1000000},
};

TEST(PlanView, ZoomStepsAreWholePowersWithinTheirLimits) {
  const std::vector<std::pair<int, long double>> rows = {
      {0, 1.0L}, {1, 1.25L}, {2, 1.5625L}, {-1, 0.8L}, {-3, 0.512L}, {-4, 0.5L}, {-9, 0.5L}};
  for (auto [steps, zoom] : rows) EXPECT_NEAR(static_cast<double>(ZoomOf(steps)), static_cast<double>(zoom), 1e-12) << steps;
  EXPECT_GE(ZoomOf(kMaxZoomSteps), 32.0L);
  EXPECT_EQ(ZoomOf(kMaxZoomSteps + 5), ZoomOf(kMaxZoomSteps));
}

TEST(PlanView, TheFittedViewIsTheFittedScaleItself) {
  for (const TPanelCase& c : kPanels) {
    SCOPED_TRACE(c.name);
    const TViewFrame f = MakeViewFrame(c.panel, c.outer);
    const TPlanScale fitted = ComputeScale(c.panel.width(), c.panel.height(), c.outer);
    const TPlanScale v = ViewScale(TPlanView{}, f);
    EXPECT_EQ(v.FScale, fitted.FScale);
    EXPECT_EQ(v.FOriginX, fitted.FOriginX);
    EXPECT_EQ(v.FOriginY, fitted.FOriginY);
    EXPECT_EQ(v.DiameterOuterPx, fitted.DiameterOuterPx);
    EXPECT_EQ(PatternAnchor(v, f), QPoint(0, 0));
    // In ten steps and out again is the fitted view once more, not a near miss of it.
    TPlanView z;
    for (int i = 0; i < 10; ++i) z = ZoomAbout(z, f, 1, QPoint(97 * i % c.panel.width(), 41 * i % c.panel.height()));
    for (int i = 0; i < 10; ++i) z = ZoomAbout(z, f, -1, QPoint(13 * i, 29 * i));
    EXPECT_TRUE(IsFitted(z));
  }
}

// The millimetre point under the pointer stays under it while zooming in and out about it,
// wherever the bounds of the view let it.
TEST(PlanView, ZoomingAboutAPointKeepsItsMillimetresUnderIt) {
  for (const TPanelCase& c : kPanels) {
    SCOPED_TRACE(c.name);
    const TViewFrame f = MakeViewFrame(c.panel, c.outer);
    const TPlanScale fit = f.Fit;
    // The walls' centre: the view never has to move it for a bound.
    const QPoint anchor(fit.FOriginX + fit.DiameterOuterPx / 2 + 3, fit.FOriginY + fit.DiameterOuterPx / 2 - 5);
    const long double mx = MmOf(anchor.x(), fit.FScale, fit.FOriginX), my = MmOf(anchor.y(), fit.FScale, fit.FOriginY);
    TPlanView v;
    for (int step : {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}) {
      v = ZoomAbout(v, f, step, anchor);
      const TPlanScale s = ViewScale(v, f);
      EXPECT_NEAR(static_cast<double>(s.FScale), static_cast<double>(fit.FScale * ZoomOf(v)), 1e-12);
      EXPECT_LE(std::fabs(static_cast<double>(PxOf(mx, s.FScale, s.FOriginX) - anchor.x())), 1.0) << v.Steps;
      EXPECT_LE(std::fabs(static_cast<double>(PxOf(my, s.FScale, s.FOriginY) - anchor.y())), 1.0) << v.Steps;
    }
  }
}

// However far it is moved, a magnified view shows only what the fitted panel shows: its edges
// stop at the fitted panel's edges, and at or below 1 x it cannot be moved at all.
TEST(PlanView, PanningStopsAtTheFittedPanelsEdges) {
  for (const TPanelCase& c : kPanels) {
    SCOPED_TRACE(c.name);
    const TViewFrame f = MakeViewFrame(c.panel, c.outer);
    const int w = c.panel.width(), h = c.panel.height();
    EXPECT_EQ(PanBy(TPlanView{}, f, QPoint(500, 500)), TPlanView{});
    TPlanView out;
    out.Steps = -2;
    EXPECT_EQ(PanBy(out, f, QPoint(-500, 30)), out);

    TPlanView v;
    v.Steps = 8;
    for (const QPoint far : {QPoint(1 << 24, 1 << 24), QPoint(-(1 << 24), -(1 << 24))}) {
      const TPlanView moved = PanBy(v, f, far);
      const TPlanScale s = ViewScale(moved, f);
      // The fitted panel's far edge, in millimetres, lands on the view's far edge.
      const bool right = far.x() > 0;
      const long double edgeMm = MmOf(right ? w - 4 : -4, f.Fit.FScale, f.Fit.FOriginX);
      EXPECT_NEAR(static_cast<double>(PxOf(edgeMm, s.FScale, s.FOriginX)), right ? w - 4 : -4, 1.0);
      const long double edgeMmY = MmOf(right ? h - 4 : -4, f.Fit.FScale, f.Fit.FOriginY);
      EXPECT_NEAR(static_cast<double>(PxOf(edgeMmY, s.FScale, s.FOriginY)), right ? h - 4 : -4, 1.0);
      const TScrollState across = HorizontalScroll(moved, f);
      EXPECT_EQ(across.Value, right ? across.Maximum : 0);
    }
  }
}

TEST(PlanView, ScrollBarsSpanTheMagnifiedPanelAndLeadBackToTheView) {
  const TViewFrame f = MakeViewFrame({1600, 900}, 5600);
  for (int steps : {1, 4, 9, 16}) {
    SCOPED_TRACE(steps);
    TPlanView v;
    v.Steps = steps;
    v = PanBy(v, f, QPoint(37 * steps, -23 * steps));
    const TScrollState across = HorizontalScroll(v, f), down = VerticalScroll(v, f);
    EXPECT_NEAR(across.Maximum, 1600 * ZoomOf(steps) - 1600, 1.0);
    EXPECT_NEAR(down.Maximum, 900 * ZoomOf(steps) - 900, 1.0);
    EXPECT_EQ(across.Page, 1600);
    const TPlanView back = ScrolledTo(v, f, across.Value, down.Value);
    const TPlanScale a = ViewScale(v, f), b = ViewScale(back, f);
    EXPECT_LE(std::abs(a.FOriginX - b.FOriginX), 1);
    EXPECT_LE(std::abs(a.FOriginY - b.FOriginY), 1);
  }
  TPlanView out;
  out.Steps = -3;
  EXPECT_EQ(HorizontalScroll(out, f).Maximum, 0);
  EXPECT_EQ(VerticalScroll(TPlanView{}, f).Maximum, 0);
}

// A plan seen magnified draws its patterns from where the fitted plan's corner now lies.
TEST(PlanView, PatternsStartAtTheFittedCornerWhereverItIs) {
  const TViewFrame f = MakeViewFrame({1600, 900}, 5600);
  TPlanView v;
  v.Steps = 6;
  v = PanBy(v, f, QPoint(300, 200));
  const TPlanScale s = ViewScale(v, f);
  const long double cx = MmOf(0, f.Fit.FScale, f.Fit.FOriginX), cy = MmOf(0, f.Fit.FScale, f.Fit.FOriginY);
  const QPoint anchor = PatternAnchor(s, f);
  EXPECT_NEAR(anchor.x(), static_cast<double>(PxOf(cx, s.FScale, s.FOriginX)), 1.0);
  EXPECT_NEAR(anchor.y(), static_cast<double>(PxOf(cy, s.FScale, s.FOriginY)), 1.0);
}

// Rulers of a magnified view: finer steps as the plan grows, and no two labels touching, as
// measured on the painted ink between neighbouring ticks.
TEST(ViewRulers, StepsGrowFinerAndLabelsNeverMeet) {
  RegisterPlanFonts();
  const TViewFrame f = MakeViewFrame({1600, 900}, 5600);
  std::int64_t lastStep = 1LL << 40;
  for (int steps = -4; steps <= kMaxZoomSteps; steps += 2) {
    SCOPED_TRACE(steps);
    TPlanView v;
    v.Steps = steps;
    v = PanBy(v, f, QPoint(steps * 50, steps * 20));
    const TPlanScale s = ViewScale(v, f);
    QImage layer(1600, 900, QImage::Format_RGB32);
    const std::vector<TRulerLabel> labels = PaintViewRulers(layer, 1600, 900, s);
    std::vector<const TRulerLabel*> across;
    for (const TRulerLabel& l : labels)
      if (l.Across) across.push_back(&l);
    ASSERT_GE(across.size(), 3u);
    const std::int64_t step = across[1]->Millimetres - across[0]->Millimetres;
    EXPECT_LE(step, lastStep);
    lastStep = step;
    for (size_t i = 0; i + 1 < across.size(); ++i) {
      EXPECT_EQ(across[i + 1]->Millimetres - across[i]->Millimetres, step);
      EXPECT_LT(across[i]->Bounds.right() + 1, across[i + 1]->Bounds.left());
      // Between the two labels the label row carries no ink but the column of a tick.
      int blank = 0;
      for (int x = across[i]->Bounds.right() + 1; x < across[i + 1]->Bounds.left(); ++x) {
        bool inked = false;
        for (int y = 13; y < 29; ++y) inked |= layer.pixel(x, y) != 0xFFFFFFFFu;
        blank += inked ? 0 : 1;
      }
      EXPECT_GE(blank, 1) << "labels " << across[i]->Millimetres << " and " << across[i + 1]->Millimetres << " meet";
      // Each label is written where its tick is: the tick's millimetres through the mapping.
      const long double tick = PxOf(static_cast<long double>(across[i]->Millimetres), s.FScale, s.FOriginX) + 4;
      EXPECT_NEAR(across[i]->Bounds.center().x(), static_cast<double>(tick), 1.5);
    }
  }
  EXPECT_LE(lastStep, 10);  // at the greatest zoom a 6-metre tier is ruled in centimetres or less
}

}  // namespace
