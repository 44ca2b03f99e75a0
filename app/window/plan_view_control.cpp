// Looking at the plan: zoom, pan, the scroll bars and the pointer's position in millimetres.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "app/window/plan_view_control.h"

#include "app/tfm_main.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

namespace {

// One notch of a common wheel.
constexpr int kWheelNotch = 120;
// Plan pixels a wheel notch scrolls.
constexpr int kWheelScrollPx = 60;
constexpr int kScrollBarSide = 14;

}  // namespace

void TPlanViewControl::SetView(const TPlanView& view) {
  if (FWindow.FObjects.empty()) return;
  const TPlanView next = ClampView(view, FWindow.FRenderer.ViewFrame());
  if (next == FWindow.FRenderer.FView) return;
  // Moved at one zoom, every pixel of the plan moves by the change of the origin, a whole
  // number of pixels: the panel scrolls what it shows and paints only what comes into view.
  const bool moved = next.Steps == FWindow.FRenderer.FView.Steps && !IsFitted(next) && !IsFitted(FWindow.FRenderer.FView);
  const QPoint before(FWindow.FRenderer.FOriginX, FWindow.FRenderer.FOriginY);
  FWindow.FRenderer.FView = next;
  if (!moved) {
    ShowView();
    return;
  }
  FWindow.pnlImg->MuteDamage(true);
  ShowView();
  FWindow.pnlImg->MuteDamage(false);
  FWindow.pnlImg->ScrollPlan(QPoint(FWindow.FRenderer.FOriginX, FWindow.FRenderer.FOriginY) - before, PlanClip());
}

// Inside the labels of the rulers: the right and bottom labels start 30 pixels from the edge.
QRect TPlanViewControl::PlanClip() const { return QRect(28, 28, FWindow.FRenderer.ClientWidth() - 60, FWindow.FRenderer.ClientHeight() - 60); }

void TPlanViewControl::ShowView() {
  if (FWindow.FObjects.size() < 2) return;
  // The lines and weights of a fixing still hold for a plan only looked at differently: they
  // are drawn again for the view rather than hidden as an edit hides them.
  const bool lines = FWindow.FRenderer.FLayers[AnnotationLayer]->isVisible(), weights = FWindow.FRenderer.FLayers[WeightLayer]->isVisible();
  const int current = FWindow.FCurIndex;
  FWindow.FRenderer.ComputeScale();
  FWindow.FRenderer.DrawWalls();
  for (size_t i = 2; i < FWindow.FObjects.size(); ++i) FWindow.FRenderer.ReprojectObject(static_cast<int>(i));
  FWindow.FRenderer.ProjectPost();
  FWindow.FRenderer.DrawPost();
  FWindow.FRenderer.DrawRulers();
  if (current >= 0 && current < static_cast<int>(FWindow.FObjects.size())) {
    FWindow.FCurIndex = current;
    FWindow.FCurObject = FWindow.FObjects[static_cast<size_t>(current)].get();
    FWindow.DrawSelectionFrame();
  }
  if (lines) FWindow.FRenderer.DrawFixingLines(FWindow.FBellSlots);
  if (weights) FWindow.FRenderer.DrawWeights();
  UpdateViewControls();
}

void TPlanViewControl::ZoomBy(int steps, QPoint anchor) {
  if (FWindow.FObjects.empty() || steps == 0) return;
  SetView(ZoomAbout(FWindow.FRenderer.FView, FWindow.FRenderer.ViewFrame(), steps, anchor));
}

void TPlanViewControl::ZoomAtCentre(int steps) {
  ZoomBy(steps, QPoint(FWindow.FRenderer.ClientWidth() / 2 - 4, FWindow.FRenderer.ClientHeight() / 2 - 4));
}


void TPlanViewControl::PanView(QPoint delta) {
  if (FWindow.FObjects.empty() || delta.isNull()) return;
  SetView(PanBy(FWindow.FRenderer.FView, FWindow.FRenderer.ViewFrame(), delta));
}

void TPlanViewControl::PlanWheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPoint at) {
  // A burst of wheel events is gathered and shown once: a flick of a free-spinning wheel must
  // not redraw the plan a hundred times.
  if (modifiers & Qt::ControlModifier) {
    FWheelZoom += angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
    const int steps = FWheelZoom / kWheelNotch;
    FWheelZoom -= steps * kWheelNotch;
    // Steps past the limits are dropped, so that turning back answers at once.
    FPendingZoomSteps = qBound(kMinZoomSteps - kMaxZoomSteps, FPendingZoomSteps + steps, kMaxZoomSteps - kMinZoomSteps);
    FPendingZoomAnchor = at;
  } else {
    const int turn = angleDelta.y() != 0 ? angleDelta.y() : angleDelta.x();
    const int px = -turn * kWheelScrollPx / kWheelNotch;
    const bool across = (modifiers & Qt::ShiftModifier) || angleDelta.y() == 0;
    FPendingPan += across ? QPoint(px, 0) : QPoint(0, px);
    const int limit = 1 << 24;
    FPendingPan = QPoint(qBound(-limit, FPendingPan.x(), limit), qBound(-limit, FPendingPan.y(), limit));
  }
  if (FViewUpdateQueued) return;
  FViewUpdateQueued = true;
  QTimer::singleShot(0, this, [this] { ApplyPendingView(); });
}

void TPlanViewControl::ApplyPendingView() {
  FViewUpdateQueued = false;
  if (FWindow.FObjects.empty()) return;
  const TViewFrame frame = FWindow.FRenderer.ViewFrame();
  TPlanView view = FWindow.FRenderer.FView;
  if (FPendingZoomSteps != 0) {
    const int wanted = qBound(kMinZoomSteps, FWindow.FRenderer.FView.Steps + FPendingZoomSteps, kMaxZoomSteps);
    view = ZoomAbout(view, frame, wanted - FWindow.FRenderer.FView.Steps, FPendingZoomAnchor);
  }
  view = PanBy(view, frame, FPendingPan);
  FPendingZoomSteps = 0;
  FPendingPan = QPoint();
  SetView(view);
}

QString TPlanViewControl::ZoomText() const {
  return QStringLiteral("%1 %").arg(static_cast<long long>(std::llround(ZoomOf(FWindow.FRenderer.FView) * 100)));
}

void TPlanViewControl::UpdateViewControls() {
  if (FWindow.FObjects.empty()) return;
  const TViewFrame frame = FWindow.FRenderer.ViewFrame();
  const int w = FWindow.FRenderer.ClientWidth(), h = FWindow.FRenderer.ClientHeight();
  const TScrollState across = HorizontalScroll(FWindow.FRenderer.FView, frame), down = VerticalScroll(FWindow.FRenderer.FView, frame);
  const auto place = [](QScrollBar* bar, const TScrollState& s, const QRect& at) {
    const QSignalBlocker block(bar);
    bar->setRange(0, s.Maximum);
    bar->setPageStep(s.Page);
    bar->setSingleStep(kWheelScrollPx);
    bar->setValue(s.Value);
    bar->setGeometry(at);
    bar->setVisible(s.Maximum > 0);
  };
  place(sbPlanH, across, QRect(0, h - kScrollBarSide, qMax(0, w - kScrollBarSide), kScrollBarSide));
  place(sbPlanV, down, QRect(w - kScrollBarSide, 0, kScrollBarSide, qMax(0, h - kScrollBarSide)));
  // Magnified or moved, objects reach under the rulers: the rulers are painted over them, and
  // the objects only between the rulers' labels.
  const TLayerStack::TPaintOrder order =
      IsFitted(FWindow.FRenderer.FView) ? TLayerStack::TPaintOrder{} : TLayerStack::TPaintOrder{FWindow.FRenderer.FLayers[RulerLayer], PlanClip(), true};
  if (order.Last != FWindow.pnlImg->PaintOrder.Last || order.Clip != FWindow.pnlImg->PaintOrder.Clip) {
    FWindow.pnlImg->PaintOrder = order;
    FWindow.pnlImg->update();
  }
  FWindow.lblZoom->setText(ZoomText());
  FWindow.ViewChangedForChecks();
  FWindow.Menu.nZoomIn->setEnabled(FWindow.FRenderer.FView.Steps < kMaxZoomSteps);
  FWindow.Menu.nZoomOut->setEnabled(FWindow.FRenderer.FView.Steps > kMinZoomSteps);
}

void TPlanViewControl::ShowPointerPosition(std::optional<QPoint> at) {
  // Written at most every kPointerReadoutMs: laying out the figures' text at every pointer move
  // cost a drag step more than moving the bell.
  FPointerAt = at;
  if (!FPointerReadout->isActive()) FPointerReadout->start();
}

void TPlanViewControl::WritePointerPosition() {
  const std::optional<QPoint> at = FPointerAt;
  const int w = FWindow.FRenderer.ClientWidth(), h = FWindow.FRenderer.ClientHeight();
  // Panel pixels 11 .. size - 12 lie within the rulers' inner frame.
  if (!at || FWindow.FObjects.empty() || at->x() + 4 < 11 || at->y() + 4 < 11 || at->x() + 4 > w - 12 || at->y() + 4 > h - 12) {
    FWindow.lblPointer->clear();
    return;
  }
  const QPoint mm = FWindow.FRenderer.PlanToMm(*at);
  FWindow.lblPointer->setText(QStringLiteral("X: %1 мм  Y: %2 мм").arg(mm.x()).arg(mm.y()));
}

void TPlanViewControl::Wire() {
  sbPlanH = new QScrollBar(Qt::Horizontal, FWindow.pnlImg);
  sbPlanH->setObjectName(QStringLiteral("sbPlanH"));
  sbPlanV = new QScrollBar(Qt::Vertical, FWindow.pnlImg);
  sbPlanV->setObjectName(QStringLiteral("sbPlanV"));
  for (QScrollBar* bar : {sbPlanH, sbPlanV}) {
    bar->hide();
    bar->setCursor(Qt::ArrowCursor);
    connect(bar, &QScrollBar::valueChanged, this,
            [this](int) { SetView(ScrolledTo(FWindow.FRenderer.FView, FWindow.FRenderer.ViewFrame(), sbPlanH->value(), sbPlanV->value())); });
  }
  connect(FWindow.Menu.nZoomIn, &QAction::triggered, this, [this] { ZoomAtCentre(1); });
  connect(FWindow.Menu.nZoomOut, &QAction::triggered, this, [this] { ZoomAtCentre(-1); });
  connect(FWindow.Menu.nZoomFit, &QAction::triggered, this, [this] { SetView(TPlanView{}); });
  FWindow.pnlImg->OnWheel = [this](QPoint delta, Qt::KeyboardModifiers modifiers, QPoint at) { PlanWheel(delta, modifiers, at); };
  FWindow.pnlImg->OnLeave = [this] { ShowPointerPosition(std::nullopt); };
  FPointerReadout = new QTimer(this);
  FPointerReadout->setSingleShot(true);
  FPointerReadout->setInterval(kPointerReadoutMs);
  connect(FPointerReadout, &QTimer::timeout, this, [this] { WritePointerPosition(); });
  FWindow.lblZoom->setText(ZoomText());
}
