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
  const int w = qMax(1, ClientWidth() - 8), h = qMax(1, ClientHeight() - 8);
  QRect area;
  if (layer->CanvasSize() == QSize(w, h) && !layer->CanvasBlank()) {
    // Nothing has cleared the canvas since the last lines were drawn, and they are all its ink:
    // they are taken off by drawing them again in white. At a high zoom they cross most of the
    // panel, and whitening every tile they cross cost more than drawing them.
    layer->setGeometry(4, 4, w, h);
    QImage& canvas = layer->Canvas();
    for (const TSegment& line : FFixingLines) area |= DrawSegment(canvas, line, 0xFFFFFFFFu);
    layer->show();
  } else {
    PrepareFixingLayer(layer);
  }
  FFixingLines.clear();
  TInkTiles ink = layer->NewInk();
  if (CountBellsNow() > 4) {
    if (assignGroups) AssignGroupsNow();
    const std::vector<TBellMark> marks = BellMarksBySlot(FObjects, FBellSlots);
    FFixingLines = HandLines(marks, FHandPoint, FHandOffset, FObjects[1]->PostAngle);
    const std::vector<TSegment> post = PostLines(marks, FObjects[1]->PostPositionPx);
    FFixingLines.insert(FFixingLines.end(), post.begin(), post.end());
    area |= DrawSegments(layer->Canvas(), FFixingLines, &ink);
  }
  layer->CanvasChanged(area, std::move(ink));
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
  TInkTiles ink = layer->NewInk();
  QRect area;
  for (const TDimension& d : WallDimensions(*FObjects[0])) area |= DrawDimension(canvas, d, &ink);
  for (const TWeightText& text : WeightTexts(FObjects)) {
    const QRect drawn = DrawWeightText(canvas, text);
    ink.Add(drawn);
    area |= drawn;
  }
  layer->CanvasChanged(area, std::move(ink));
}

void TfmMain::btnApplyClick() {
  FixArrangement();
  DrawWeights();
}
