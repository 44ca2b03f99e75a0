#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>

#include "plan/plan_scale.h"

// How the plan is looked at: magnified over the fitted scale by a whole number of steps of
// 1.25 and moved so that a chosen millimetre point of the walls' frame lies at the panel's
// centre. The view is not the plan: documents, undo steps and exported pictures know nothing of
// it, and every pixel is still derived from the stored millimetres.
struct TPlanView {
  int Steps = 0;         // zoom = 1.25^Steps, within kMinZoomSteps..kMaxZoomSteps
  bool Centred = true;   // the fitted plan's centre: the view cannot be moved at or below 1 x
  long double CentreX = 0;  // mm of the walls' frame at the panel's centre, when not Centred
  long double CentreY = 0;

  bool operator==(const TPlanView&) const = default;
};

inline constexpr int kMinZoomSteps = -4;  // half the fitted scale
inline constexpr int kMaxZoomSteps = 16;  // 35.5 x: a 6-metre tier shows single millimetres

// The magnification of `steps`: 1.25^steps, with the lowest step exactly one half.
long double ZoomOf(int steps);
inline long double ZoomOf(const TPlanView& v) { return ZoomOf(v.Steps); }
// The fitted view, pixel for pixel the plan as it is specified.
inline bool IsFitted(const TPlanView& v) { return v.Steps == 0 && v.Centred; }

// What a view is taken against: the panel's size and the walls' outer size in millimetres,
// from which the fitted mapping follows.
struct TViewFrame {
  QSize Panel;                    // client area in panel pixels
  std::int32_t OuterMm = 0;       // the walls' outer size
  TPlanScale Fit;                 // ComputeScale of the two
};
TViewFrame MakeViewFrame(QSize panel, std::int32_t outerMm);

// The mapping of millimetres to plan pixels for the view: the fitted one itself when the view
// is fitted, otherwise the fitted scale times the zoom with the origin that puts the view's
// centre at the panel's centre.
TPlanScale ViewScale(const TPlanView& view, const TViewFrame& frame);

// The view brought within its bounds: at or below 1 x centred, above it no further than the
// edge of the fitted panel's extent (what the plan shows fitted is what can be scrolled to).
TPlanView ClampView(TPlanView view, const TViewFrame& frame);

// `steps` more (or fewer) zoom steps keeping the millimetre point under `anchor` (plan pixels)
// where it is, within one pixel, unless a bound of the view moves it.
TPlanView ZoomAbout(const TPlanView& view, const TViewFrame& frame, int steps, QPoint anchor);
// Moves the view by `delta` plan pixels: positive x shows more of the right, y of the bottom.
TPlanView PanBy(const TPlanView& view, const TViewFrame& frame, QPoint delta);

// The scroll bars' figures in view pixels: the extent scrolled over, the page shown and where
// the page starts; and the view for a scroll position.
struct TScrollState {
  int Maximum = 0;  // 0: nothing to scroll
  int Page = 0;
  int Value = 0;
};
TScrollState HorizontalScroll(const TPlanView& view, const TViewFrame& frame);
TScrollState VerticalScroll(const TPlanView& view, const TViewFrame& frame);
TPlanView ScrolledTo(const TPlanView& view, const TViewFrame& frame, int horizontal, int vertical);

// Where the pattern of a material starts in plan pixels: the plan pixel that is (0, 0) in the
// fitted view, so that patterns move with the plan when it is moved or magnified.
QPoint PatternAnchor(const TPlanScale& viewScale, const TViewFrame& frame);
