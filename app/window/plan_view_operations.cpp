// Looking at the plan: zoom, pan, the scroll bars and the pointer's position in millimetres.
#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

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

void TfmMain::SetView(const TPlanView& view) {
  if (FObjects.empty()) return;
  const TPlanView next = ClampView(view, FRenderer.ViewFrame());
  if (next == FRenderer.FView) return;
  // Moved at one zoom, every pixel of the plan moves by the change of the origin, a whole
  // number of pixels: the panel scrolls what it shows and paints only what comes into view.
  const bool moved = next.Steps == FRenderer.FView.Steps && !IsFitted(next) && !IsFitted(FRenderer.FView);
  const QPoint before(FRenderer.FOriginX, FRenderer.FOriginY);
  FRenderer.FView = next;
  if (!moved) {
    ShowView();
    return;
  }
  pnlImg->MuteDamage(true);
  ShowView();
  pnlImg->MuteDamage(false);
  pnlImg->ScrollPlan(QPoint(FRenderer.FOriginX, FRenderer.FOriginY) - before, PlanClip());
}

// Inside the labels of the rulers: the right and bottom labels start 30 pixels from the edge.
QRect TfmMain::PlanClip() const { return QRect(28, 28, FRenderer.ClientWidth() - 60, FRenderer.ClientHeight() - 60); }

void TfmMain::ShowView() {
  if (FObjects.size() < 2) return;
  // The lines and weights of a fixing still hold for a plan only looked at differently: they
  // are drawn again for the view rather than hidden as an edit hides them.
  const bool lines = FRenderer.FLayers[AnnotationLayer]->isVisible(), weights = FRenderer.FLayers[WeightLayer]->isVisible();
  const int current = FCurIndex;
  FRenderer.ComputeScale();
  FRenderer.DrawWalls();
  for (size_t i = 2; i < FObjects.size(); ++i) FRenderer.ReprojectObject(static_cast<int>(i));
  FRenderer.ProjectPost();
  FRenderer.DrawPost();
  FRenderer.DrawRulers();
  if (current >= 0 && current < static_cast<int>(FObjects.size())) {
    FCurIndex = current;
    FCurObject = FObjects[static_cast<size_t>(current)].get();
    DrawSelectionFrame();
  }
  if (lines) FRenderer.DrawFixingLines(FBellSlots);
  if (weights) FRenderer.DrawWeights();
  UpdateViewControls();
}

void TfmMain::ZoomBy(int steps, QPoint anchor) {
  if (FObjects.empty() || steps == 0) return;
  SetView(ZoomAbout(FRenderer.FView, FRenderer.ViewFrame(), steps, anchor));
}

void TfmMain::ZoomAtCentre(int steps) {
  ZoomBy(steps, QPoint(FRenderer.ClientWidth() / 2 - 4, FRenderer.ClientHeight() / 2 - 4));
}

void TfmMain::nZoomInClick() { ZoomAtCentre(1); }
void TfmMain::nZoomOutClick() { ZoomAtCentre(-1); }
void TfmMain::nZoomFitClick() { SetView(TPlanView{}); }

void TfmMain::PanView(QPoint delta) {
  if (FObjects.empty() || delta.isNull()) return;
  SetView(PanBy(FRenderer.FView, FRenderer.ViewFrame(), delta));
}

void TfmMain::PlanWheel(QPoint angleDelta, Qt::KeyboardModifiers modifiers, QPoint at) {
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

void TfmMain::ApplyPendingView() {
  FViewUpdateQueued = false;
  if (FObjects.empty()) return;
  const TViewFrame frame = FRenderer.ViewFrame();
  TPlanView view = FRenderer.FView;
  if (FPendingZoomSteps != 0) {
    const int wanted = qBound(kMinZoomSteps, FRenderer.FView.Steps + FPendingZoomSteps, kMaxZoomSteps);
    view = ZoomAbout(view, frame, wanted - FRenderer.FView.Steps, FPendingZoomAnchor);
  }
  view = PanBy(view, frame, FPendingPan);
  FPendingZoomSteps = 0;
  FPendingPan = QPoint();
  SetView(view);
}

QString TfmMain::ZoomText() const {
  return QStringLiteral("%1 %").arg(static_cast<long long>(std::llround(ZoomOf(FRenderer.FView) * 100)));
}

void TfmMain::UpdateViewControls() {
  if (FObjects.empty()) return;
  const TViewFrame frame = FRenderer.ViewFrame();
  const int w = FRenderer.ClientWidth(), h = FRenderer.ClientHeight();
  const TScrollState across = HorizontalScroll(FRenderer.FView, frame), down = VerticalScroll(FRenderer.FView, frame);
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
      IsFitted(FRenderer.FView) ? TLayerStack::TPaintOrder{} : TLayerStack::TPaintOrder{FRenderer.FLayers[RulerLayer], PlanClip(), true};
  if (order.Last != pnlImg->PaintOrder.Last || order.Clip != pnlImg->PaintOrder.Clip) {
    pnlImg->PaintOrder = order;
    pnlImg->update();
  }
  lblZoom->setText(ZoomText());
  ViewChangedForChecks();
  Menu.nZoomIn->setEnabled(FRenderer.FView.Steps < kMaxZoomSteps);
  Menu.nZoomOut->setEnabled(FRenderer.FView.Steps > kMinZoomSteps);
}

void TfmMain::ShowPointerPosition(std::optional<QPoint> at) {
  // Written at most every kPointerReadoutMs: laying out the figures' text at every pointer move
  // cost a drag step more than moving the bell.
  FPointerAt = at;
  if (!FPointerReadout->isActive()) FPointerReadout->start();
}

void TfmMain::WritePointerPosition() {
  const std::optional<QPoint> at = FPointerAt;
  const int w = FRenderer.ClientWidth(), h = FRenderer.ClientHeight();
  // Panel pixels 11 .. size - 12 lie within the rulers' inner frame.
  if (!at || FObjects.empty() || at->x() + 4 < 11 || at->y() + 4 < 11 || at->x() + 4 > w - 12 || at->y() + 4 > h - 12) {
    lblPointer->clear();
    return;
  }
  const QPoint mm = FRenderer.PlanToMm(*at);
  lblPointer->setText(QStringLiteral("X: %1 мм  Y: %2 мм").arg(mm.x()).arg(mm.y()));
}

void TfmMain::WireView() {
  sbPlanH = new QScrollBar(Qt::Horizontal, pnlImg);
  sbPlanH->setObjectName(QStringLiteral("sbPlanH"));
  sbPlanV = new QScrollBar(Qt::Vertical, pnlImg);
  sbPlanV->setObjectName(QStringLiteral("sbPlanV"));
  for (QScrollBar* bar : {sbPlanH, sbPlanV}) {
    bar->hide();
    bar->setCursor(Qt::ArrowCursor);
    connect(bar, &QScrollBar::valueChanged, this,
            [this](int) { SetView(ScrolledTo(FRenderer.FView, FRenderer.ViewFrame(), sbPlanH->value(), sbPlanV->value())); });
  }
  connect(Menu.nZoomIn, &QAction::triggered, this, [this] { nZoomInClick(); });
  connect(Menu.nZoomOut, &QAction::triggered, this, [this] { nZoomOutClick(); });
  connect(Menu.nZoomFit, &QAction::triggered, this, [this] { nZoomFitClick(); });
  pnlImg->OnWheel = [this](QPoint delta, Qt::KeyboardModifiers modifiers, QPoint at) { PlanWheel(delta, modifiers, at); };
  pnlImg->OnLeave = [this] { ShowPointerPosition(std::nullopt); };
  FPointerReadout = new QTimer(this);
  FPointerReadout->setSingleShot(true);
  FPointerReadout->setInterval(kPointerReadoutMs);
  connect(FPointerReadout, &QTimer::timeout, this, [this] { WritePointerPosition(); });
  lblZoom->setText(ZoomText());
}
