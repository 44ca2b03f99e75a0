// The window's views of the document: the drawing, the lists, the selection frame and the chord
// boxes follow its signals, for an operation's change and for a step undone or redone alike.
#include "app/window/document_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>

#include "app/tfm_main.h"
#include "controls/object_list_panel.h"
#include "platform/layer.h"

void TDocumentViews::Wire() {
  FWindow.FDocument.SetCurrentSource([this] { return FWindow.FCurIndex; });
  connect(&FWindow.FDocument, &TPlanDocument::ObjectsChanged, this, &TDocumentViews::ShowObjectChanges);
  connect(&FWindow.FDocument, &TPlanDocument::ObjectInserted, this, &TDocumentViews::ShowInsertedObject);
  connect(&FWindow.FDocument, &TPlanDocument::ObjectAboutToBeRemoved, this, &TDocumentViews::TakeObjectViews);
  connect(&FWindow.FDocument, &TPlanDocument::ObjectRemoved, this, &TDocumentViews::ShowRemovedObject);
  connect(&FWindow.FDocument, &TPlanDocument::PlanAboutToBeReset, this, [this] {
    for (int i = static_cast<int>(FWindow.FObjects.size()) - 1; i >= 0; --i) TakeObjectViews(i);
  });
  connect(&FWindow.FDocument, &TPlanDocument::PlanReset, this, &TDocumentViews::ShowPlanAnew);
  connect(&FWindow.FDocument, &TPlanDocument::StepShown, this, &TDocumentViews::ShowStepSelection);
}

void TDocumentViews::ShowObjectChanges(const TObjectChanges& changes) {
  // The walls' geometry rescales the plan: everything is drawn anew. Otherwise each object
  // changed is projected from its millimetres and drawn on its own layer.
  const bool walls = ChangesWallGeometry(changes);
  bool reselect = false;  // the current object framed and its page filled again
  bool frame = false;     // the current object moved or changed size: its frame follows
  bool chords = false;    // a beam came onto a chord or left it
  constexpr TPlanFields kFramed = pfBellDiameter | pfBellPosition | pfBeemWidth | pfBeemPoints | pfPostSize |
                                  pfPostAngle | pfPostPosition;
  for (const TObjectChange& c : changes) {
    const TPlanObject& o = *FWindow.FObjects[static_cast<size_t>(c.Index)];
    if (c.Fields & (pfName | pfVisible)) {
      const QSignalBlocker b1(FWindow.pnlObjView->clbObjects), b2(FWindow.cbObjects);
      if (QListWidgetItem* item = FWindow.pnlObjView->clbObjects->item(c.Index)) {
        item->setText(o.ObjName);
        item->setCheckState(o.ObjVisible ? Qt::Checked : Qt::Unchecked);
      }
      FWindow.cbObjects->setItemText(c.Index, o.ObjName);
    }
    if (c.Index == 0 && (c.Fields & pfWallType)) reselect = true;
    if (c.Index == FWindow.FCurIndex && (c.Fields & kFramed)) frame = true;
    if (c.Fields & (pfBeemOrientation | pfKind)) chords = true;
  }
  if (walls) {
    FWindow.FRenderer.ComputeScale();
    FWindow.FRenderer.DrawWalls();
    FWindow.FRenderer.ProjectPost();
    FWindow.FRenderer.DrawPost();
    for (int i = 2; i < static_cast<int>(FWindow.FObjects.size()); ++i) FWindow.FRenderer.ReprojectObject(i);
    FWindow.FRenderer.DrawRulers();
    reselect = true;
  } else {
    for (const TObjectChange& c : changes) {
      switch (FWindow.FObjects[static_cast<size_t>(c.Index)]->ObjType) {
        case okWalls:
          if (c.Fields & pfWallArch) FWindow.FRenderer.ComputeScale();
          FWindow.FRenderer.DrawWalls();
          break;
        case okPost:
          FWindow.FRenderer.ProjectPost();
          FWindow.FRenderer.DrawPost();
          break;
        case okBell:
        case okBeam: FWindow.FRenderer.ReprojectObject(c.Index); break;
      }
    }
  }
  FWindow.FBellSlots = RebuildBellSlots(FWindow.FObjects);
  if (FWindow.FDocument.ShowingStep()) return;  // StepShown sets the boxes and selects
  if (chords) FWindow.SyncChordBoxes();
  if (reselect) {
    FWindow.SelectObject(FWindow.FCurIndex);
    if (walls) FWindow.ViewControl.UpdateViewControls();
  } else if (frame) {
    FWindow.DrawSelectionFrame();
  }
}

void TDocumentViews::ShowInsertedObject(int index) {
  TPlanObject& o = *FWindow.FObjects[static_cast<size_t>(index)];
  if (o.Layer) return;  // placed by the window, which draws it and lists it itself
  // Put back by a step: a layer under the object that follows it, and its rows in the lists.
  o.Layer = FWindow.FRenderer.NewObjectLayer(o.ObjType);
  FWindow.FRenderer.FLayers[RingerLayer]->raise();
  FWindow.FRenderer.FLayers[SelectionLayer]->raise();
  if (index + 1 < static_cast<int>(FWindow.FObjects.size())) {
    if (TLayer* above = FWindow.FObjects[static_cast<size_t>(index) + 1]->Layer) o.Layer->stackUnder(above);
  }
  InsertListRows(index);
  FWindow.FRenderer.ReprojectObject(index);
  FWindow.RegroupBells();
  if (o.ObjType == okBell) FWindow.FRenderer.DrawPost();
}

void TDocumentViews::InsertListRows(int index) {
  const TPlanObject& o = *FWindow.FObjects[static_cast<size_t>(index)];
  const QSignalBlocker b1(FWindow.pnlObjView->clbObjects), b2(FWindow.cbObjects);
  auto* item = new QListWidgetItem(o.ObjName);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(o.ObjVisible ? Qt::Checked : Qt::Unchecked);
  FWindow.pnlObjView->clbObjects->insertItem(index, item);
  FWindow.cbObjects->insertItem(index, o.ObjName);
}

void TDocumentViews::TakeObjectViews(int index) {
  TPlanObject& o = *FWindow.FObjects[static_cast<size_t>(index)];
  if (o.ObjType == okBeam && o.BeemOrientation > 0) FWindow.UncheckChordBoxQuietly(o.BeemOrientation);
  delete o.Layer;
  o.Layer = nullptr;
  const QSignalBlocker b1(FWindow.pnlObjView->clbObjects), b2(FWindow.cbObjects);
  delete FWindow.pnlObjView->clbObjects->takeItem(index);
  FWindow.cbObjects->removeItem(index);
}

void TDocumentViews::ShowRemovedObject(int, TObjectKind kind) {
  if (FWindow.FCurIndex >= static_cast<int>(FWindow.FObjects.size())) FWindow.FCurIndex = 0;
  FWindow.FCurObject = FWindow.FObjects.empty() ? nullptr : FWindow.FObjects[static_cast<size_t>(FWindow.FCurIndex)].get();
  FWindow.RegroupBells();
  if (!FWindow.FRemovingAll && kind == okBell) FWindow.FRenderer.DrawPost();
}

void TDocumentViews::ShowPlanAnew() {
  for (int i = 0; i < static_cast<int>(FWindow.FObjects.size()); ++i) {
    FWindow.FObjects[static_cast<size_t>(i)]->Layer = FWindow.FRenderer.NewObjectLayer(FWindow.FObjects[static_cast<size_t>(i)]->ObjType);
    InsertListRows(i);
  }
  FWindow.FRenderer.FLayers[RingerLayer]->raise();
  FWindow.FRenderer.FLayers[SelectionLayer]->raise();
  {
    const QSignalBlocker b1(FWindow.pnlObjView->clbObjects), b2(FWindow.cbObjects);
    FWindow.pnlObjView->clbObjects->setCurrentRow(FWindow.pnlObjView->clbObjects->count() - 1);
    FWindow.cbObjects->setCurrentIndex(FWindow.cbObjects->count() - 1);
  }
  FWindow.RegroupBells();
  FWindow.FCurObject = FWindow.FObjects.empty() ? nullptr : FWindow.FObjects.back().get();
  FWindow.FCurIndex = 1;
  FWindow.FRenderer.DrawPlan();
  FWindow.TickChordBoxes();
  FWindow.ViewControl.UpdateViewControls();
}

void TDocumentViews::ShowStepSelection(int select) {
  FWindow.SyncChordBoxes();
  FWindow.FRenderer.HideFixingLayers();
  FWindow.FCurIndex = select;
  FWindow.FPointerMode = pmIdle;
  FWindow.SelectObject(FWindow.FCurIndex);
}

