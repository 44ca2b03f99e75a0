// The walls' edits: each stores its clamped value, keeps outer = inner + 2 x thickness, rescales
// the plan and carries the other objects along.
#include <QComboBox>
#include <QPainter>

#include "app/tfm_main.h"
#include "platform/pattern.h"
#include "controls/ac_number_edit.h"
#include "platform/layer.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

void TfmMain::SetWallDefaults(TPlanObject& o) {
  o.WallType = 0;
  o.WallMaterial = 0;
  o.WallDiameterInner = 4000;
  o.WallWallWidth = 800;
  o.WallDiameterOuter = o.WallDiameterInner + 2 * o.WallWallWidth;
  o.WallArcWidth = 1500;
}

void TfmMain::FillWallTypes() {
  const QSignalBlocker b(cbWallType);
  cbWallType->clear();
  for (int i = 0; i < 3; ++i) cbWallType->addItem(WallTypeName(i));
  cbWallType->setCurrentIndex(0);
}

void TfmMain::FillMaterialLists() {
  const QSignalBlocker b1(cbWallMaterials);
  cbWallMaterials->clear();
  for (int i = 0; i < kWallMaterialCount; ++i) cbWallMaterials->addItem(MaterialName(i).value_or(QString()));
  cbWallMaterials->setCurrentIndex(0);
}

void TfmMain::FillBeemMaterialList() {
  const QSignalBlocker b(cbBeemMaterials);
  cbBeemMaterials->clear();
  for (int i = kBeemMaterialFirst; i < kMaterialCount; ++i)
    cbBeemMaterials->addItem(MaterialName(i).value_or(QString()));
  cbBeemMaterials->setCurrentIndex(0);
}

void TfmMain::StoreWallSizes(const TWallEdit& edit) {
  TPlanObject& w = *FObjects[0];
  w.WallDiameterOuter = edit.Sizes.Outer;
  w.WallDiameterInner = edit.Sizes.Inner;
  w.WallWallWidth = edit.Sizes.Thickness;
  w.WallArcWidth = edit.Sizes.Arch;
  // Derived values go straight into their fields; the edited field gets its value from the caller.
  if (edit.Written & wfOuter) edDiameterOuter->SetValue(w.WallDiameterOuter);
  if (edit.Written & wfInner) edDiameterInner->SetValue(w.WallDiameterInner);
  if (edit.Written & wfThickness) edWallWidth->SetValue(w.WallWallWidth);
}

std::int32_t TfmMain::FinishWallSizeEdit(const TWallEdit& edit) {
  TPlanObject& w = *FObjects[0];
  FPrevDiameterOuter = w.WallDiameterOuter;
  FPrevDiameterInner = w.WallDiameterInner;
  StoreWallSizes(edit);
  ComputeScale();
  // The arch clamp, the rescale and the redraw of the walls, once: drawing the walls twice
  // in a row, as the arch setter alone would, changes nothing but the time an edit takes.
  w.WallArcWidth = ClampWallArcWidth(WallSizesOf(w), w.WallArcWidth);
  edWallArcWidth->SetValue(w.WallArcWidth);
  ComputeScale();
  DrawWalls();
  RelayoutPlan(false);
  FCurObject = FObjects[0].get();
  return edit.Stored;
}

std::int32_t TfmMain::SetWallDiameterOuter(std::int32_t v) {
  return FinishWallSizeEdit(ApplyOuterDiameter(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallDiameterInner(std::int32_t v) {
  return FinishWallSizeEdit(ApplyInnerDiameter(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallWidth(std::int32_t v) {
  return FinishWallSizeEdit(ApplyWallWidth(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallArcWidth(std::int32_t v) {
  TPlanObject& w = *FObjects[0];
  w.WallArcWidth = ClampWallArcWidth(WallSizesOf(w), v);
  ComputeScale();
  DrawWalls();
  return w.WallArcWidth;
}

void TfmMain::SetWallType(int item) {
  TPlanObject& w = *FObjects[0];
  w.WallType = WallTypeFromIndex(item);
  DrawWalls();
  RelayChordBeems();
  FCurIndex = 0;
  SelectObject(0);
}

void TfmMain::SetWallMaterial(int item) {
  FObjects[0]->WallMaterial = item;
  DrawWalls();
}

void TfmMain::cbWallTypeChange(int item) {
  if (item == WallTypeFromIndex(FObjects[0]->WallType)) return;
  SetWallType(item);
  edWallArcWidth->SetValue(SetWallArcWidth(FObjects[0]->WallArcWidth));
  FCurObject = FObjects[0].get();
}

void TfmMain::cbWallMaterialsChange(int item) {
  if (item != FObjects[0]->WallMaterial) SetWallMaterial(item);
  FCurObject = FObjects[0].get();
}

TWallGeometry TfmMain::WallGeometry() const {
  const TPlanObject& w = *FObjects[0];
  TPlanMapping m;
  m.Scale = FScale;
  m.OriginX = FOriginX;
  m.OriginY = FOriginY;
  return BuildWallGeometry(WallSizesOf(w), m, w.WallArcWidthPx, w.WallDiameterOuterPx);
}

void TfmMain::DrawWalls() {
  HideFixingLayers();
  TPlanObject& w = *FObjects[0];
  const TWallGeometry g = WallGeometry();
  w.WallOuterPoints = g.Outlines.OuterMm;
  w.WallOuterPointsPx = g.Outlines.OuterPx;
  w.WallInnerPoints = g.Outlines.InnerMm;
  w.WallInnerPointsPx = g.Outlines.InnerPx;
  w.WallArcQuadsPx = g.ArcQuadsPx;
  const int cw = qMax(1, ClientWidth() - 8), ch = qMax(1, ClientHeight() - 8);
  TLayer* layer = w.Layer;
  const int material = qBound(0, w.WallMaterial, kMaterialCount - 1);
  if (!IsFitted(FView)) {
    // Magnified, the walls are painted straight onto the panel when composed: a panel-sized
    // canvas to whiten, fill and look through for ink at every step of a zoom cost more than
    // painting the part of the masonry that shows.
    layer->ResetCanvas(1, 1);
    layer->setGeometry(4, 4, cw, ch);
    if (!w.ObjVisible) return;
    const QImage& pattern = FMaterials.Keyed(static_cast<size_t>(material));
    layer->SetDrawing([g, masonry = MasonryPath(g), fill = pattern.isNull() ? QBrush() : QBrush(pattern),
                       origin = FPatternAnchor](QPainter& p) { PaintMasonry(p, masonry, g, fill, origin); });
    return;
  }
  // Whitened where the walls were, not all over: their courtyard is white already.
  if (layer->HasDrawing() || layer->CanvasSize() != QSize(cw, ch)) layer->ResetCanvas(cw, ch);
  else layer->ClearCanvas();
  // The pattern starts where the fitted plan's pixel (0, 0) lies, so it moves with the walls.
  TInkTiles ink = w.ObjVisible ? WallsInk(g, QRect(0, 0, cw, ch)) : layer->NewInk();
  if (w.ObjVisible)
    PaintWalls(layer->CanvasWithin(ink), g, ShiftedPattern(FMaterials[static_cast<size_t>(material)], -FPatternAnchor));
  layer->CanvasChanged(QRect(0, 0, cw, ch), std::move(ink));
  layer->setGeometry(4, 4, cw, ch);
}
