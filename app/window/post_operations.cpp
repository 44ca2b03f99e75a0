// The pedestal: its projection, drawing with the ringer figure and pedals, and its edits.
#include "app/tfm_main.h"
#include "controls/post_page.h"
#include "model/edit_scope.h"
#include "controls/ac_number_edit.h"
#include "pedestal/post_geometry.h"
#include "pedestal/post_painting.h"
#include "pedestal/ringer.h"
#include "platform/layer.h"
#include "platform/resource_picture.h"

void TfmMain::SetPostDefaults(TPlanObject& o) {
  const TPlanObject& w = *FObjects[0];
  const pedestal::TPostDefaults d = pedestal::PostDefaults(w.WallDiameterOuter, w.WallWallWidth);
  o.PostWidth = d.PostWidth;
  o.PostHeight = d.PostHeight;
  o.PostAngle = d.PostAngle;
  o.PostBoardDiameter = d.PostBoardDiameter;
  o.PostPosition = d.PostPosition;
}

void TfmMain::FillPostInspector() {
  EnsureObjectPages();
  FCurObject = FObjects[1].get();
  const TPlanObject& p = *FObjects[1];
  const std::int32_t d = FObjects[0]->WallDiameterOuter;
  pnlPostProp->edPostObjName->setText(p.ObjName);
  pnlPostProp->edPostWidth->SetValue(p.PostWidth);
  pnlPostProp->edPostHeight->SetValue(p.PostHeight);
  pnlPostProp->edPostAngle->SetValue(p.PostAngle);
  pnlPostProp->edPostPositionX->SetValue(qBound(0, p.PostPosition.x(), qMax(0, d)));
  pnlPostProp->edPostPositionY->SetValue(qBound(0, p.PostPosition.y(), qMax(0, d)));
  ShowInspectorPage(pnlPostProp);
}

void TfmMain::FinishPostEdit() { DrawSelectionFrame(); }

// The document stores and announces each value (ShowObjectChanges draws it); the frame follows.
std::int32_t TfmMain::SetPostWidth(std::int32_t v) {
  v = FDocument.SetPostWidth(v);
  FinishPostEdit();
  return v;
}

std::int32_t TfmMain::SetPostHeight(std::int32_t v) {
  v = FDocument.SetPostHeight(v);
  FinishPostEdit();
  return v;
}

std::int32_t TfmMain::SetPostAngle(std::int32_t v) {
  v = FDocument.SetPostAngle(v);
  FinishPostEdit();
  return v;
}

std::int32_t TfmMain::SetPostPositionX(std::int32_t v) {
  v = FDocument.SetPostPositionX(v);
  FinishPostEdit();
  return v;
}

std::int32_t TfmMain::SetPostPositionY(std::int32_t v) {
  v = FDocument.SetPostPositionY(v);
  FinishPostEdit();
  return v;
}
