// Fixing the arrangement: grouping, the ringing lines, the stacking and the written weights.
#include "app/tfm_main.h"
#include "bells/annotation_paint.h"
#include "bells/annotations.h"
#include "platform/layer.h"

void TfmMain::PrepareFixingLayer(TLayer* layer) {
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  layer->setGeometry(4, 4, w, h);
  if (layer->CanvasSize() != QSize(w, h)) layer->ResetCanvas(w, h);
  else layer->ClearCanvas();
  layer->show();
}

void TfmMain::FixArrangement() {
  DrawFixingLines(true);
  RestackLayers();
}

void TfmMain::DrawFixingLines(bool assignGroups) {
  TLayer* layer = FLayers[AnnotationLayer];
  PrepareFixingLayer(layer);
  QRect ink;
  if (CountBellsNow() > 4) {
    if (assignGroups) AssignGroupsNow();
    ink = DrawHandLines() | DrawPostLines();
  }
  layer->CanvasChanged(ink, ink);
}

QRect TfmMain::DrawHandLines() {
  const std::vector<TBellMark> marks = BellMarksBySlot(FObjects, FBellSlots);
  return DrawSegments(FLayers[AnnotationLayer]->Canvas(),
               HandLines(marks, FHandPoint, FHandOffset, FObjects[1]->PostAngle));
}

QRect TfmMain::DrawPostLines() {
  const std::vector<TBellMark> marks = BellMarksBySlot(FObjects, FBellSlots);
  return DrawSegments(FLayers[AnnotationLayer]->Canvas(), PostLines(marks, FObjects[1]->PostPositionPx));
}

void TfmMain::RestackLayers() {
  FObjects[1]->Layer->raise();
  FLayers[AnnotationLayer]->raise();
  FLayers[RingerLayer]->raise();
  for (const TObjectKind kind : {okBell, okBeam}) {
    for (size_t i = 2; i < FObjects.size(); ++i) {
      const TPlanObject& o = *FObjects[i];
      if (o.ObjType == kind && o.ObjVisible) o.Layer->raise();
    }
  }
  FObjects[0]->Layer->raise();
  FLayers[WeightLayer]->raise();
  FLayers[SelectionLayer]->raise();
}

void TfmMain::DrawWeights() {
  TLayer* layer = FLayers[WeightLayer];
  PrepareFixingLayer(layer);
  QImage& canvas = layer->Canvas();
  QRect ink;
  for (const TDimension& d : WallDimensions(*FObjects[0])) ink |= DrawDimension(canvas, d);
  for (const TWeightText& text : WeightTexts(FObjects)) ink |= DrawWeightText(canvas, text);
  layer->CanvasChanged(ink, ink);
}

void TfmMain::btnApplyClick() {
  FixArrangement();
  DrawWeights();
}
