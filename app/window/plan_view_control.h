#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

#include "plan/plan_view.h"

class QScrollBar;
class QTimer;
class TfmMain;

// Looking at the plan: zoom, pan, the scroll bars over the panel's edges and the pointer's
// millimetres in the status bar. The view is in no document and no undo step; every pixel still
// comes from the stored millimetres through the view's scale, so the fitted view is the plan.
class TPlanViewControl : public QObject {
 public:
  explicit TPlanViewControl(TfmMain& window) : FWindow(window) {}
  void Wire();  // the scroll bars on the panel, the zoom commands, the wheel, the readout

  void SetView(const TPlanView& view);  // clamped; the plan redrawn when it changes
  void ShowView();         // every object reprojected and drawn for the view, fixing kept
  void ZoomBy(int steps, QPoint anchor);  // anchor in plan pixels
  void ZoomAtCentre(int steps);
  void PanView(QPoint delta);
  void PlanWheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPoint at);
  void UpdateViewControls();  // scroll bars, zoom figure, how the panel composes
  QRect PlanClip() const;     // where objects show on a magnified panel: within the rulers' labels
  void ShowPointerPosition(std::optional<QPoint> at);
  QString ZoomText() const;

  static constexpr int kPointerReadoutMs = 40;
  bool FPanning = false;  // the middle button drags the plan
  QPoint FPanFrom;
  QScrollBar* sbPlanH = nullptr;
  QScrollBar* sbPlanV = nullptr;

 private:
  void ApplyPendingView();
  void WritePointerPosition();

  TfmMain& FWindow;
  int FWheelZoom = 0;  // wheel turn not yet a whole zoom step, in eighths of a degree
  int FPendingZoomSteps = 0;
  QPoint FPendingZoomAnchor;
  QPoint FPendingPan;
  bool FViewUpdateQueued = false;
  std::optional<QPoint> FPointerAt;
  QTimer* FPointerReadout = nullptr;
};
