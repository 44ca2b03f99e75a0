// Bells on the plan: placing from the palette, projection, drawing, regrouping and edits.
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QToolButton>

#include "app/tfm_main.h"
#include "controls/bell_page.h"
#include "model/edit_scope.h"
#include "bells/bell_catalogue.h"
#include "bells/bell_groups.h"
#include "bells/bell_pictures.h"
#include "controls/ac_number_edit.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"
#include "platform/rounding.h"
#include "platform/resource_picture.h"

int TfmMain::FindBellByDiameter(std::int32_t diameter) const {
  for (size_t i = 0; i < FObjects.size(); ++i) {
    const TPlanObject& o = *FObjects[i];
    if (o.ObjType == okBell && o.BellDiameter == diameter) return static_cast<int>(i);
  }
  return -1;
}

void TfmMain::BellButtonClick(std::int32_t diameter) {
  const int found = FindBellByDiameter(diameter);
  if (found >= 0) {
    SelectObject(found);
    return;
  }
  pnlImg->setCursor(PlanCursor(pmPlaceBell));
  FPointerMode = pmPlaceBell;
  FPendingBellDiameter = diameter;
}

void TfmMain::CreateBellSteps(TPlanObject& o, const QString& name, QPoint at, std::int32_t diameter,
                              bool draw) {
  MakeUniqueName(FCurIndex, name, true);
  o.BellPositionPx = at;
  o.BellDiameter = diameter;
  FRenderer.ProjectBell(FCurIndex, true);
  const int slot = CatalogueSlotOf(diameter);
  if (slot >= 0) FBellSlots[static_cast<size_t>(slot)] = static_cast<std::int32_t>(FObjects.size()) - 1;
  if (draw) FRenderer.DrawBell(FCurIndex);
  AssignGroupsNow();
  if (draw && CountHeavyBellsNow() > 0) {
    FRenderer.DrawPost();
    FCurObject = FObjects[static_cast<size_t>(FCurIndex)].get();
  }
}

int TfmMain::CountBellsNow() const { return CountBellObjects(FObjects); }

int TfmMain::CountHeavyBellsNow() const { return CountHeavyBellObjects(FObjects); }

void TfmMain::AssignGroupsNow() {
  const TSlotGroups groups = AssignBellGroups(FGroupTable, FBellSlots, CountBellsNow());
  StoreBellGroups(FObjects, FBellSlots, groups);
}

void TfmMain::RegroupBells() {
  FBellSlots = RebuildBellSlots(FObjects);
  AssignGroupsNow();
}

void TfmMain::FillBellInspector() {
  EnsureObjectPages();
  FCurObject = FObjects[static_cast<size_t>(FCurIndex)].get();
  const TPlanObject& b = *FCurObject;
  const std::int32_t d = FObjects[0]->WallDiameterOuter;
  pnlBellProp->edObjBellName->setText(b.ObjName);
  {
    const QSignalBlocker blocker(pnlBellProp->cbBellDiameter);
    pnlBellProp->cbBellDiameter->setCurrentIndex(pnlBellProp->cbBellDiameter->findText(QString::number(b.BellDiameter)));
  }
  pnlBellProp->edBPositionX->SetValue(qMin(b.BellPosition.x(), d));
  pnlBellProp->edBPositionY->SetValue(qMin(b.BellPosition.y(), d));
  ShowInspectorPage(pnlBellProp);
}

int TfmMain::ChangeBellDiameter(int slot) {
  const TEditScope edit(FDocument);
  FDocument.NameStep(TStepVerb::Change, FCurIndex);
  TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
  const std::int32_t old = b.BellDiameter;
  if (slot < 0 || slot >= kBellCount) return CatalogueSlotOf(old);
  const std::int32_t d = FBellDiameters[static_cast<size_t>(slot)];
  if (FindBellByDiameter(d) >= 0) return CatalogueSlotOf(old);
  b.BellDiameter = d;
  FRenderer.ProjectBell(FCurIndex, false);
  FRenderer.DrawBell(FCurIndex);
  // A bell read from a document may carry a diameter outside the catalogue: no slot to free.
  const int oldSlot = CatalogueSlotOf(old);
  if (oldSlot >= 0) FBellSlots[static_cast<size_t>(oldSlot)] = kNoBell;
  FBellSlots[static_cast<size_t>(slot)] = FCurIndex;
  return slot;
}

std::int32_t TfmMain::SetBellPosition(bool x, std::int32_t value) {
  value = FDocument.SetBellPosition(FCurIndex, x, value);  // drawn in ShowObjectChanges
  DrawSelectionFrame();
  return value;
}

std::int32_t TfmMain::SetBellPositionX(std::int32_t value) { return SetBellPosition(true, value); }
std::int32_t TfmMain::SetBellPositionY(std::int32_t value) { return SetBellPosition(false, value); }
