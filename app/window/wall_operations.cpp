// The walls' edits: each stores its clamped value, keeps outer = inner + 2 x thickness, rescales
// the plan and carries the other objects along.
#include <QComboBox>
#include <QPainter>

#include "app/tfm_main.h"
#include "controls/wall_page.h"
#include "controls/beem_page.h"
#include "app/window/edit_scope.h"
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
  const QSignalBlocker b(pnlWallProp->cbWallType);
  pnlWallProp->cbWallType->clear();
  for (int i = 0; i < 3; ++i) pnlWallProp->cbWallType->addItem(WallTypeName(i));
  pnlWallProp->cbWallType->setCurrentIndex(0);
}

void TfmMain::FillMaterialLists() {
  const QSignalBlocker b1(pnlWallProp->cbWallMaterials);
  pnlWallProp->cbWallMaterials->clear();
  for (int i = 0; i < kWallMaterialCount; ++i) pnlWallProp->cbWallMaterials->addItem(MaterialName(i).value_or(QString()));
  pnlWallProp->cbWallMaterials->setCurrentIndex(0);
}

void TfmMain::FillBeemMaterialList() {
  const QSignalBlocker b(pnlBeemProp->cbBeemMaterials);
  pnlBeemProp->cbBeemMaterials->clear();
  for (int i = kBeemMaterialFirst; i < kMaterialCount; ++i)
    pnlBeemProp->cbBeemMaterials->addItem(MaterialName(i).value_or(QString()));
  pnlBeemProp->cbBeemMaterials->setCurrentIndex(0);
}

void TfmMain::StoreWallSizes(const TWallEdit& edit) {
  TPlanObject& w = *FObjects[0];
  w.WallDiameterOuter = edit.Sizes.Outer;
  w.WallDiameterInner = edit.Sizes.Inner;
  w.WallWallWidth = edit.Sizes.Thickness;
  w.WallArcWidth = edit.Sizes.Arch;
  // Derived values go straight into their fields; the edited field gets its value from the caller.
  if (edit.Written & wfOuter) pnlWallProp->edDiameterOuter->SetValue(w.WallDiameterOuter);
  if (edit.Written & wfInner) pnlWallProp->edDiameterInner->SetValue(w.WallDiameterInner);
  if (edit.Written & wfThickness) pnlWallProp->edWallWidth->SetValue(w.WallWallWidth);
}

std::int32_t TfmMain::FinishWallSizeEdit(const TWallEdit& edit) {
  TPlanObject& w = *FObjects[0];
  FPrevDiameterOuter = w.WallDiameterOuter;
  FPrevDiameterInner = w.WallDiameterInner;
  StoreWallSizes(edit);
  FRenderer.ComputeScale();
  // The arch clamp, the rescale and the redraw of the walls, once: drawing the walls twice
  // in a row, as the arch setter alone would, changes nothing but the time an edit takes.
  w.WallArcWidth = ClampWallArcWidth(WallSizesOf(w), w.WallArcWidth);
  pnlWallProp->edWallArcWidth->SetValue(w.WallArcWidth);
  FRenderer.ComputeScale();
  FRenderer.DrawWalls();
  RelayoutPlan(false);
  FCurObject = FObjects[0].get();
  return edit.Stored;
}

std::int32_t TfmMain::SetWallDiameterOuter(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return FinishWallSizeEdit(ApplyOuterDiameter(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallDiameterInner(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return FinishWallSizeEdit(ApplyInnerDiameter(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallWidth(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return FinishWallSizeEdit(ApplyWallWidth(WallSizesOf(*FObjects[0]), v));
}

std::int32_t TfmMain::SetWallArcWidth(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  TPlanObject& w = *FObjects[0];
  w.WallArcWidth = ClampWallArcWidth(WallSizesOf(w), v);
  FRenderer.ComputeScale();
  FRenderer.DrawWalls();
  return w.WallArcWidth;
}

void TfmMain::SetWallType(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  TPlanObject& w = *FObjects[0];
  w.WallType = WallTypeFromIndex(item);
  FRenderer.DrawWalls();
  RelayChordBeems();
  FCurIndex = 0;
  SelectObject(0);
}

void TfmMain::SetWallMaterial(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  FObjects[0]->WallMaterial = item;
  FRenderer.DrawWalls();
}

void TfmMain::cbWallTypeChange(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  if (item == WallTypeFromIndex(FObjects[0]->WallType)) return;
  SetWallType(item);
  pnlWallProp->edWallArcWidth->SetValue(SetWallArcWidth(FObjects[0]->WallArcWidth));
  FCurObject = FObjects[0].get();
}

void TfmMain::cbWallMaterialsChange(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  if (item != FObjects[0]->WallMaterial) SetWallMaterial(item);
  FCurObject = FObjects[0].get();
}

