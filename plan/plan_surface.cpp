// The drawing surface: scale, fixed layers, rulers and the relayout of the whole plan.
#include "app/tfm_main.h"
#include "plan/plan_panel.h"
#include "plan/rulers.h"
#include "platform/layer.h"

int TfmMain::ClientWidth() const { return pnlImg->width(); }
int TfmMain::ClientHeight() const { return pnlImg->height(); }

TPlanScale TfmMain::Scale() const {
  TPlanScale s;
  s.FScale = FScale;
  s.FOriginX = FOriginX;
  s.FOriginY = FOriginY;
  s.DiameterOuterPx = FObjects.empty() ? 0 : FObjects[0]->WallDiameterOuterPx;
  return s;
}

void TfmMain::ComputeScale() {
  TPlanObject& w = *FObjects[0];
  // The fitted scale of the panel and the walls, magnified and moved as the view has it; the
  // view keeps its zoom and centre over a new panel size or walls size.
  const TViewFrame frame = ViewFrame();
  FView = ClampView(FView, frame);
  const TPlanScale s = ViewScale(FView, frame);
  FPatternAnchor = PatternAnchor(s, frame);
  FScale = s.FScale;
  FOriginX = s.FOriginX;
  FOriginY = s.FOriginY;
  w.WallWallWidthPx = s.LengthPx(w.WallWallWidth);
  w.WallDiameterInnerPx = s.LengthPx(w.WallDiameterInner);
  w.WallDiameterOuterPx = s.DiameterOuterPx;
  w.WallArcWidthPx = s.LengthPx(w.WallArcWidth);
}

QPoint TfmMain::PlanToMm(QPoint px) const { return Scale().PlanToMm(px); }
QPoint TfmMain::MmToPlan(QPoint mm) const { return Scale().MmToPlan(mm); }

void TfmMain::ClearLayer(int index) {
  TLayer* layer = FObjects[static_cast<size_t>(index)]->Layer;
  if (layer) layer->ClearCanvas();
}

void TfmMain::HideFixingLayers() {
  FLayers[AnnotationLayer]->hide();
  FLayers[WeightLayer]->hide();
}

void TfmMain::CreateFixedLayers() {
  // Stacking bottom to top: annotations, rulers, weights; object layers go above them and the
  // ringer and selection layers are raised above every new object.
  const int order[] = {AnnotationLayer, RulerLayer, WeightLayer, RingerLayer, SelectionLayer};
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  for (int index : order) {
    auto* layer = new TLayer(&pnlImg->Layers());
    layer->setObjectName(QStringList{QStringLiteral("SelectionLayer"), QStringLiteral("RingerLayer"),
                                     QStringLiteral("AnnotationLayer"), QStringLiteral("RulerLayer"),
                                     QStringLiteral("WeightLayer")}[index]);
    layer->setGeometry(4, 4, w, h);
    layer->ResetCanvas(w, h);
    layer->SetShowInkOnly(true);  // plan-sized, with little drawn on it
    layer->show();
    FLayers[static_cast<size_t>(index)] = layer;
  }
  for (int index : order) FLayers[static_cast<size_t>(index)]->raise();
}

void TfmMain::DrawRulers() {
  const int w = ClientWidth(), h = ClientHeight();
  TLayer* layer = FLayers[RulerLayer];
  layer->setGeometry(0, 0, w, h);
  // The fitted view has the rulers as they always were, on a canvas of their own. A view's
  // rulers are only laid out here and painted when composed: they change at every step of a
  // zoom or pan, and a panel-sized canvas to whiten, draw, and look through for its ink each
  // time cost more than the rest of the plan.
  if (!IsFitted(FView)) {
    layer->ResetCanvas(1, 1);
    layer->SetDrawing([rulers = LayOutViewRulers(w, h, Scale())](QPainter& p) { PaintViewRulers(p, rulers); });
    return;
  }
  // Whitened along the edges only, where the last rulers were: the middle is white already.
  if (layer->HasDrawing() || layer->CanvasSize() != QSize(w, h)) layer->ResetCanvas(w, h);
  else layer->ClearCanvas();
  TInkTiles ink = RulerInk(w, h);
  PaintRulersOnWhite(layer->CanvasWithin(ink), w, h, Scale());
  layer->CanvasChanged(QRect(0, 0, w, h), std::move(ink));
}

void TfmMain::FormResize() {
  if (!FObjects.empty() && FResizeArmed) RelayoutPlan(true);
  FResizeArmed = true;
}

void TfmMain::RelayoutPlan(bool resized) {
  const int c = FCurIndex;
  if (resized) {
    ComputeScale();
    DrawWalls();
    SelectObject(0);
    for (size_t i = 2; i < FObjects.size(); ++i) ReprojectObject(static_cast<int>(i));
  }
  FCurIndex = 1;
  ProjectPost();
  if (resized) DrawPost();
  else MoveObjectsWithWalls();  // moves the pedestal too and draws it at its new place
  const int w = ClientWidth(), h = ClientHeight();
  FLayers[RulerLayer]->resize(qMax(1, w - 8), qMax(1, h - 8));
  DrawRulers();
  for (TFixedLayer which : {AnnotationLayer, SelectionLayer}) {
    FLayers[which]->setGeometry(4, 4, qMax(1, w - 8), qMax(1, h - 8));
    FLayers[which]->EnsureCanvas(qMax(1, w - 8), qMax(1, h - 8));
  }
  if (c >= 0 && c < static_cast<int>(FObjects.size())) SelectObject(c);
  UpdateViewControls();
}
