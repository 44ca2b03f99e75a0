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

void TfmMain::BellButtonClick(std::int32_t diameter) {
  const int found = FDocument.FindBell(diameter);
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
  NameNewObject(FCurIndex, name);
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
  pnlBellProp->Show(FCurIndex);
  ShowInspectorPage(pnlBellProp);
}
