// The walls' edits: each stores its clamped value, keeps outer = inner + 2 x thickness, rescales
// the plan and carries the other objects along.
#include <QComboBox>
#include <QPainter>

#include "app/tfm_main.h"
#include "controls/wall_page.h"
#include "controls/beem_page.h"
#include "model/edit_scope.h"
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

// The document stores each edit, carries the plan along and announces it (ShowObjectChanges
// draws it); the page shows the sizes the edit left and the selection follows its object.
std::int32_t TfmMain::FinishWallSizeEdit(std::int32_t stored) {
  const TPlanObject& w = *FObjects[0];
  pnlWallProp->edDiameterOuter->SetValue(w.WallDiameterOuter);
  pnlWallProp->edDiameterInner->SetValue(w.WallDiameterInner);
  pnlWallProp->edWallWidth->SetValue(w.WallWallWidth);
  pnlWallProp->edWallArcWidth->SetValue(w.WallArcWidth);
  SelectObject(FCurIndex);
  UpdateViewControls();
  FCurObject = FObjects[0].get();
  return stored;
}

std::int32_t TfmMain::SetWallDiameterOuter(std::int32_t v) {
  return FinishWallSizeEdit(FDocument.SetWallDiameterOuter(v));
}

std::int32_t TfmMain::SetWallDiameterInner(std::int32_t v) {
  return FinishWallSizeEdit(FDocument.SetWallDiameterInner(v));
}

std::int32_t TfmMain::SetWallWidth(std::int32_t v) { return FinishWallSizeEdit(FDocument.SetWallWidth(v)); }

std::int32_t TfmMain::SetWallArcWidth(std::int32_t v) { return FDocument.SetWallArcWidth(v); }

void TfmMain::SetWallType(int item) {
  FDocument.SetWallType(item);
  FCurIndex = 0;
  SelectObject(0);
}

void TfmMain::SetWallMaterial(int item) { FDocument.SetWallMaterial(item); }

void TfmMain::cbWallTypeChange(int item) {
  const TEditScope edit(FDocument);
  FDocument.NameStep(TStepVerb::Change, 0);
  if (item == WallTypeFromIndex(FObjects[0]->WallType)) return;
  SetWallType(item);
  pnlWallProp->edWallArcWidth->SetValue(SetWallArcWidth(FObjects[0]->WallArcWidth));
  FCurObject = FObjects[0].get();
}

void TfmMain::cbWallMaterialsChange(int item) {
  const TEditScope edit(FDocument);
  FDocument.NameStep(TStepVerb::Change, 0);
  if (item != FObjects[0]->WallMaterial) SetWallMaterial(item);
  FCurObject = FObjects[0].get();
}

