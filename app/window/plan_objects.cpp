// Creating, naming and removing plan objects.
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <optional>

#include "app/tfm_main.h"
#include "controls/object_list_panel.h"
#include "model/edit_scope.h"
#include "plan/naming.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

void TfmMain::CreateObject(const QString& name, TObjectKind kind, QPoint at,
                           std::int32_t bellDiameter, bool draw) {
  auto record = std::make_unique<TPlanObject>();
  record->CreateIndex = static_cast<std::int32_t>(FObjects.size());
  record->ObjType = kind;
  record->ObjVisible = true;
  // Placed by the window: it comes with its layer, and the window draws and lists it below.
  record->Layer = FRenderer.NewObjectLayer(kind);
  FCurIndex = static_cast<int>(FObjects.size());
  TPlanObject& o = FDocument.InsertObject(FCurIndex, std::move(record));
  FCurObject = &o;

  switch (kind) {
    case okWalls:
      o.ObjName = name;
      SetWallDefaults(o);
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

  Views.InsertListRows(FCurIndex);
  {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    pnlObjView->clbObjects->setCurrentRow(FCurIndex);
    cbObjects->setCurrentIndex(FCurIndex);
  }
  FRenderer.FLayers[RingerLayer]->raise();
  FRenderer.FLayers[SelectionLayer]->raise();
  FDocument.NameStep(TStepVerb::Add, FCurIndex);
}

QString TfmMain::NameNewObject(int index, const QString& base) {
  FCurObject = FObjects[static_cast<size_t>(index)].get();
  FCurObject->ObjName = UniqueName(base, [this](const QString& n) { return FDocument.IsNameFree(n); });
  return FCurObject->ObjName;
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
    ViewControl.UpdateViewControls();
  }
}
