// Creating, naming and removing plan objects.
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <optional>

#include "app/tfm_main.h"
#include "controls/object_list_panel.h"
#include "app/window/edit_scope.h"
#include "plan/naming.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

void TfmMain::CreateObject(const QString& name, TObjectKind kind, QPoint at,
                           std::int32_t bellDiameter, bool draw) {
  auto record = std::make_unique<TPlanObject>();
  FCurObject = record.get();
  record->CreateIndex = static_cast<std::int32_t>(FObjects.size());
  record->ObjType = kind;
  record->ObjVisible = true;
  record->Layer = FRenderer.NewObjectLayer(kind);
  FObjects.push_back(std::move(record));
  FCurIndex = static_cast<int>(FObjects.size()) - 1;
  TPlanObject& o = *FObjects.back();

  switch (kind) {
    case okWalls:
      o.ObjName = name;
      SetWallDefaults(o);
      FPrevDiameterOuter = o.WallDiameterOuter;
      FPrevDiameterInner = o.WallDiameterInner;
      FRenderer.ComputeScale();
      if (draw) FRenderer.DrawWalls();
      break;
    case okBell:
      CreateBellSteps(o, name, at, bellDiameter, draw);
      break;
    case okBeam:
      CreateBeemSteps(o, name, at, draw);
      break;
    case okPost:
      o.ObjName = name;
      SetPostDefaults(o);
      FRenderer.ProjectPost();
      if (draw) FRenderer.DrawPost();
      break;
  }
  FCurObject = FObjects[static_cast<size_t>(FCurIndex)].get();

  {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    auto* item = new QListWidgetItem(o.ObjName, pnlObjView->clbObjects);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    cbObjects->addItem(o.ObjName);
    // Made current in the list, each such change laying the whole list out anew: for the
    // objects of a document, once at the end (ProjectRecords).
    if (!FListingInBulk) {
      pnlObjView->clbObjects->setCurrentRow(pnlObjView->clbObjects->count() - 1);
      cbObjects->setCurrentIndex(cbObjects->count() - 1);
    }
  }
  FRenderer.FLayers[RingerLayer]->raise();
  FRenderer.FLayers[SelectionLayer]->raise();
  NameStep(TStepVerb::Add, FCurIndex);
}

bool TfmMain::IsNameFree(const QString& name) const {
  for (const auto& o : FObjects)
    if (o->ObjName == name) return false;
  return true;
}

QString TfmMain::MakeUniqueName(int index, const QString& base, bool noListUpdate) {
  // Typed by the user (the lists follow): a rename of its own; else the naming of a new object.
  std::optional<TEditScope> edit;
  if (!noListUpdate) {
    edit.emplace(*this);
    NameStep(TStepVerb::Rename, index);
  }
  FCurObject = FObjects[static_cast<size_t>(index)].get();
  const QString candidate = UniqueName(base, [this](const QString& n) { return IsNameFree(n); });
  FCurObject->ObjName = candidate;
  if (!noListUpdate) {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    if (QListWidgetItem* item = pnlObjView->clbObjects->item(index)) item->setText(candidate);
    cbObjects->setItemText(index, candidate);
    pnlObjView->clbObjects->setCurrentRow(FCurIndex);
    cbObjects->setCurrentIndex(FCurIndex);
  }
  return candidate;
}

void TfmMain::DeleteAllObjects() {
  for (int i = static_cast<int>(FObjects.size()) - 1; i >= 0; --i) DeleteObject(i, true);
}

void TfmMain::NewDocument() {
  DeleteAllObjects();
  FOpeningNotes.clear();
  FRenderer.FView = TPlanView{};  // a new plan is shown whole
  CreateObject(QStringLiteral("Стены"), okWalls, QPoint(0, 0), 0, true);
  CreateObject(QStringLiteral("Постамент"), okPost, QPoint(0, 0), 0, true);
  SelectObject(0);
  if (FRenderer.FLayers[RulerLayer]) {
    FRenderer.DrawRulers();
    UpdateViewControls();
  }
}
