#include "plan/plan_view.h"

#include <algorithm>
#include <cmath>

#include "platform/rounding.h"

namespace {

// The panel's centre in plan pixels (plan pixels start 4 panel pixels in).
long double CentrePx(int side) { return side / 2.0L - 4; }

// The fitted panel's extent in millimetres of the walls' frame along one axis.
struct TExtent {
  long double Low, High, FittedCentre;
};
TExtent ExtentX(const TViewFrame& f) {
  const long double s = f.Fit.FScale;
  return {(-4 - f.Fit.FOriginX) / s, (f.Panel.width() - 4 - f.Fit.FOriginX) / s,
          (CentrePx(f.Panel.width()) - f.Fit.FOriginX) / s};
}
TExtent ExtentY(const TViewFrame& f) {
  const long double s = f.Fit.FScale;
  return {(-4 - f.Fit.FOriginY) / s, (f.Panel.height() - 4 - f.Fit.FOriginY) / s,
          (CentrePx(f.Panel.height()) - f.Fit.FOriginY) / s};
}

long double CentreX(const TPlanView& v, const TViewFrame& f) { return v.Centred ? ExtentX(f).FittedCentre : v.CentreX; }
long double CentreY(const TPlanView& v, const TViewFrame& f) { return v.Centred ? ExtentY(f).FittedCentre : v.CentreY; }

long double ClampCentre(long double c, const TExtent& e, long double halfPageMm) {
  const long double lo = e.Low + halfPageMm, hi = e.High - halfPageMm;
  if (!(lo <= hi)) return e.FittedCentre;
  return std::clamp(c, lo, hi);
}

TScrollState Scroll(long double centre, const TExtent& e, int side, long double scale, long double zoom) {
  TScrollState s;
  s.Page = side;
  s.Maximum = std::max(0, Round(side * zoom) - side);
  s.Value = std::clamp(Round((centre - side / 2.0L / scale - e.Low) * scale), 0, s.Maximum);
  return s;
}

}  // namespace

long double ZoomOf(int steps) {
  steps = std::clamp(steps, kMinZoomSteps, kMaxZoomSteps);
  if (steps == kMinZoomSteps) return 0.5L;
  return std::pow(1.25L, static_cast<long double>(steps));
}

TViewFrame MakeViewFrame(QSize panel, std::int32_t outerMm) {
  TViewFrame f;
  f.Panel = panel;
  f.OuterMm = outerMm;
  f.Fit = ComputeScale(panel.width(), panel.height(), outerMm);
  return f;
}

TPlanScale ViewScale(const TPlanView& view, const TViewFrame& frame) {
  if (IsFitted(view)) return frame.Fit;
  TPlanScale s;
  s.FScale = frame.Fit.FScale * ZoomOf(view);
  s.FOriginX = Round(CentrePx(frame.Panel.width()) - CentreX(view, frame) * s.FScale);
  s.FOriginY = Round(CentrePx(frame.Panel.height()) - CentreY(view, frame) * s.FScale);
  s.DiameterOuterPx = MmToPx(frame.OuterMm, s.FScale);
  return s;
}

TPlanView ClampView(TPlanView view, const TViewFrame& frame) {
  view.Steps = std::clamp(view.Steps, kMinZoomSteps, kMaxZoomSteps);
  if (view.Steps <= 0 || view.Centred) {
    view.Centred = true;
    view.CentreX = view.CentreY = 0;
    return view;
  }
  const long double scale = frame.Fit.FScale * ZoomOf(view);
  view.CentreX = ClampCentre(view.CentreX, ExtentX(frame), frame.Panel.width() / 2.0L / scale);
  view.CentreY = ClampCentre(view.CentreY, ExtentY(frame), frame.Panel.height() / 2.0L / scale);
  return view;
}

TPlanView ZoomAbout(const TPlanView& view, const TViewFrame& frame, int steps, QPoint anchor) {
  TPlanView next = view;
  next.Steps = std::clamp(view.Steps + steps, kMinZoomSteps, kMaxZoomSteps);
  if (next.Steps == view.Steps) return view;
  // The millimetre point under the anchor, taken from the view's exact centre rather than its
  // rounded origin (whose half pixels would add up step after step), is put under it again.
  const long double now = frame.Fit.FScale * ZoomOf(view);
  const long double mx = CentreX(view, frame) + (anchor.x() - CentrePx(frame.Panel.width())) / now;
  const long double my = CentreY(view, frame) + (anchor.y() - CentrePx(frame.Panel.height())) / now;
  const long double scale = frame.Fit.FScale * ZoomOf(next);
  next.Centred = false;
  next.CentreX = mx + (CentrePx(frame.Panel.width()) - anchor.x()) / scale;
  next.CentreY = my + (CentrePx(frame.Panel.height()) - anchor.y()) / scale;
  return ClampView(next, frame);
}

TPlanView PanBy(const TPlanView& view, const TViewFrame& frame, QPoint delta) {
  if (view.Steps <= 0) return view;
  const long double scale = frame.Fit.FScale * ZoomOf(view);
  TPlanView next = view;
  next.Centred = false;
  next.CentreX = CentreX(view, frame) + delta.x() / scale;
  next.CentreY = CentreY(view, frame) + delta.y() / scale;
  return ClampView(next, frame);
}

TScrollState HorizontalScroll(const TPlanView& view, const TViewFrame& frame) {
  const long double zoom = std::max(1.0L, ZoomOf(view));
  return Scroll(CentreX(view, frame), ExtentX(frame), frame.Panel.width(), frame.Fit.FScale * zoom, zoom);
}

TScrollState VerticalScroll(const TPlanView& view, const TViewFrame& frame) {
  const long double zoom = std::max(1.0L, ZoomOf(view));
  return Scroll(CentreY(view, frame), ExtentY(frame), frame.Panel.height(), frame.Fit.FScale * zoom, zoom);
}

TPlanView ScrolledTo(const TPlanView& view, const TViewFrame& frame, int horizontal, int vertical) {
  if (view.Steps <= 0) return view;
  const long double scale = frame.Fit.FScale * ZoomOf(view);
  TPlanView next = view;
  next.Centred = false;
  next.CentreX = ExtentX(frame).Low + (horizontal + frame.Panel.width() / 2.0L) / scale;
  next.CentreY = ExtentY(frame).Low + (vertical + frame.Panel.height() / 2.0L) / scale;
  return ClampView(next, frame);
}

QPoint PatternAnchor(const TPlanScale& viewScale, const TViewFrame& frame) {
  if (viewScale.FScale == frame.Fit.FScale && viewScale.FOriginX == frame.Fit.FOriginX &&
      viewScale.FOriginY == frame.Fit.FOriginY)
    return QPoint(0, 0);
  const long double ax = -frame.Fit.FOriginX / frame.Fit.FScale, ay = -frame.Fit.FOriginY / frame.Fit.FScale;
  return QPoint(Round(ax * viewScale.FScale) + viewScale.FOriginX, Round(ay * viewScale.FScale) + viewScale.FOriginY);
}
