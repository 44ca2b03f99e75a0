// Undo and redo in the window: the actions, and the views following the document's signals.
// The steps are the document's (model/plan_edits.cpp); what a step puts back reaches the
// drawing and the lists through the same signals as every operation's change.
#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QComboBox>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include "app/tfm_main.h"
#include "controls/tools_panel.h"
#include "controls/object_list_panel.h"
#include "beams/chord_relay.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

namespace {

// Front or back: the stacking of the layers is no part of a document, so the step keeps the
// order of the panel's layers before it and puts them back in that order.
class TStackStep : public QUndoCommand {
 public:
  TStackStep(TfmMain* window, int index, bool front, QList<QPointer<TLayer>> before,
             const QString& caption)
      : QUndoCommand(caption), FWindow(window), FIndex(index), FFront(front), FBefore(std::move(before)) {}

  void undo() override {
    for (const QPointer<TLayer>& layer : FBefore)
      if (layer) layer->raise();
    Select();
  }
  void redo() override {
    if (FFirst) {
      FFirst = false;
      return;
    }
    if (FIndex < static_cast<int>(FWindow->FObjects.size())) {
      if (TLayer* layer = FWindow->FObjects[static_cast<size_t>(FIndex)]->Layer)
        FFront ? layer->raise() : layer->lower();
    }
    Select();
  }

 private:
  void Select() {
    if (FIndex >= static_cast<int>(FWindow->FObjects.size())) return;
    FWindow->FRenderer.HideFixingLayers();
    FWindow->SelectObject(FIndex);
  }

  TfmMain* FWindow;
  int FIndex;
  bool FFront;
  QList<QPointer<TLayer>> FBefore;
  bool FFirst = true;
};

}  // namespace

void TfmMain::RestackCurrent(bool front) {
  TLayer* layer = FObjects[static_cast<size_t>(FCurIndex)]->Layer;
  if (!layer) return;
  FDocument.CommitStep();
  QList<QPointer<TLayer>> before;
  for (TLayer* other : pnlImg->Layers().Order()) before << QPointer<TLayer>(other);
  front ? layer->raise() : layer->lower();
  const QString caption = (front ? QStringLiteral("на передний план «%1»") : QStringLiteral("на задний план «%1»"))
                              .arg(FObjects[static_cast<size_t>(FCurIndex)]->ObjName);
  if (FHistory) FHistory->push(new TStackStep(this, FCurIndex, front, std::move(before), caption));
}

void TfmMain::ResetHistory() {
  PlanChangedForChecks();  // a new plan or one opened
  FDocument.ResetHistory();
  FSession.DiscardRecovery();
  UpdateTitle();
}

void TfmMain::WireDocument() {
  FDocument.SetCurrentSource([this] { return FCurIndex; });
  connect(&FDocument, &TPlanDocument::ObjectsChanged, this, &TfmMain::ShowObjectChanges);
  connect(&FDocument, &TPlanDocument::ObjectInserted, this, &TfmMain::ShowInsertedObject);
  connect(&FDocument, &TPlanDocument::ObjectAboutToBeRemoved, this, &TfmMain::TakeObjectViews);
  connect(&FDocument, &TPlanDocument::ObjectRemoved, this, &TfmMain::ShowRemovedObject);
  connect(&FDocument, &TPlanDocument::PlanAboutToBeReset, this, [this] {
    for (int i = static_cast<int>(FObjects.size()) - 1; i >= 0; --i) TakeObjectViews(i);
  });
  connect(&FDocument, &TPlanDocument::PlanReset, this, &TfmMain::ShowPlanAnew);
  connect(&FDocument, &TPlanDocument::StepShown, this, &TfmMain::ShowStepSelection);
}

void TfmMain::ShowObjectChanges(const TObjectChanges& changes) {
  // The walls' geometry rescales the plan: everything is drawn anew. Otherwise each object
  // changed is projected from its millimetres and drawn on its own layer.
  bool walls = false;
  bool reselect = false;  // the current object framed and its page filled again
  bool frame = false;     // the current object moved or changed size: its frame follows
  bool chords = false;    // a beam came onto a chord or left it
  constexpr TPlanFields kFramed = pfBellDiameter | pfBellPosition | pfBeemWidth | pfBeemPoints | pfPostSize |
                                  pfPostAngle | pfPostPosition;
  for (const TObjectChange& c : changes) {
    const TPlanObject& o = *FObjects[static_cast<size_t>(c.Index)];
    if (c.Fields & (pfName | pfVisible)) {
      const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
      if (QListWidgetItem* item = pnlObjView->clbObjects->item(c.Index)) {
        item->setText(o.ObjName);
        item->setCheckState(o.ObjVisible ? Qt::Checked : Qt::Unchecked);
      }
      cbObjects->setItemText(c.Index, o.ObjName);
    }
    if (c.Index == 0 && (c.Fields & (pfKind | pfWallSizes))) walls = true;
    if (c.Index == 0 && (c.Fields & pfWallType)) reselect = true;
    if (c.Index == FCurIndex && (c.Fields & kFramed)) frame = true;
    if (c.Fields & (pfBeemOrientation | pfKind)) chords = true;
  }
  if (walls) {
    FRenderer.ComputeScale();
    FRenderer.DrawWalls();
    FRenderer.ProjectPost();
    FRenderer.DrawPost();
    for (int i = 2; i < static_cast<int>(FObjects.size()); ++i) FRenderer.ReprojectObject(i);
    FRenderer.DrawRulers();
    reselect = true;
  } else {
    for (const TObjectChange& c : changes) {
      switch (FObjects[static_cast<size_t>(c.Index)]->ObjType) {
        case okWalls:
          if (c.Fields & pfWallArch) FRenderer.ComputeScale();
          FRenderer.DrawWalls();
          break;
        case okPost:
          FRenderer.ProjectPost();
          FRenderer.DrawPost();
          break;
        case okBell:
        case okBeam: FRenderer.ReprojectObject(c.Index); break;
      }
    }
  }
  FBellSlots = RebuildBellSlots(FObjects);
  if (FDocument.ShowingStep()) return;  // StepShown sets the boxes and selects
  if (chords) SyncChordBoxes();
  if (reselect) {
    SelectObject(FCurIndex);
    if (walls) ViewControl.UpdateViewControls();
  } else if (frame) {
    DrawSelectionFrame();
  }
}

void TfmMain::ShowInsertedObject(int index) {
  TPlanObject& o = *FObjects[static_cast<size_t>(index)];
  if (o.Layer) return;  // placed by the window, which draws it and lists it itself
  // Put back by a step: a layer under the object that follows it, and its rows in the lists.
  o.Layer = FRenderer.NewObjectLayer(o.ObjType);
  FRenderer.FLayers[RingerLayer]->raise();
  FRenderer.FLayers[SelectionLayer]->raise();
  if (index + 1 < static_cast<int>(FObjects.size())) {
    if (TLayer* above = FObjects[static_cast<size_t>(index) + 1]->Layer) o.Layer->stackUnder(above);
  }
  InsertListRows(index);
  FRenderer.ReprojectObject(index);
  RegroupBells();
  if (o.ObjType == okBell) FRenderer.DrawPost();
}

void TfmMain::InsertListRows(int index) {
  const TPlanObject& o = *FObjects[static_cast<size_t>(index)];
  const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
  auto* item = new QListWidgetItem(o.ObjName);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(o.ObjVisible ? Qt::Checked : Qt::Unchecked);
  pnlObjView->clbObjects->insertItem(index, item);
  cbObjects->insertItem(index, o.ObjName);
}

void TfmMain::TakeObjectViews(int index) {
  TPlanObject& o = *FObjects[static_cast<size_t>(index)];
  if (o.ObjType == okBeam && o.BeemOrientation > 0) UncheckChordBoxQuietly(o.BeemOrientation);
  delete o.Layer;
  o.Layer = nullptr;
  const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
  delete pnlObjView->clbObjects->takeItem(index);
  cbObjects->removeItem(index);
}

void TfmMain::ShowRemovedObject(int, TObjectKind kind) {
  if (FCurIndex >= static_cast<int>(FObjects.size())) FCurIndex = 0;
  FCurObject = FObjects.empty() ? nullptr : FObjects[static_cast<size_t>(FCurIndex)].get();
  RegroupBells();
  if (!FRemovingAll && kind == okBell) FRenderer.DrawPost();
}

void TfmMain::ShowPlanAnew() {
  FListingInBulk = true;
  for (int i = 0; i < static_cast<int>(FObjects.size()); ++i) {
    FObjects[static_cast<size_t>(i)]->Layer = FRenderer.NewObjectLayer(FObjects[static_cast<size_t>(i)]->ObjType);
    InsertListRows(i);
  }
  FListingInBulk = false;
  FRenderer.FLayers[RingerLayer]->raise();
  FRenderer.FLayers[SelectionLayer]->raise();
  {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    pnlObjView->clbObjects->setCurrentRow(pnlObjView->clbObjects->count() - 1);
    cbObjects->setCurrentIndex(cbObjects->count() - 1);
  }
  RegroupBells();
  FCurObject = FObjects.empty() ? nullptr : FObjects.back().get();
  FCurIndex = 1;
  FRenderer.DrawPlan();
  TickChordBoxes();
  ViewControl.UpdateViewControls();
}

void TfmMain::ShowStepSelection(int select) {
  SyncChordBoxes();
  FRenderer.HideFixingLayers();
  FCurIndex = select;
  FPointerMode = pmIdle;
  SelectObject(FCurIndex);
}

void TfmMain::nUndoClick() {
  FDocument.CommitStep();  // a change not yet committed is taken back first
  if (FHistory->canUndo()) FHistory->undo();
}

void TfmMain::nRedoClick() {
  FDocument.CommitStep();
  if (FHistory->canRedo()) FHistory->redo();
}

void TfmMain::UpdateUndoActions() {
  const bool canUndo = FHistory->canUndo(), canRedo = FHistory->canRedo();
  Menu.nUndo->setEnabled(canUndo);
  Menu.nRedo->setEnabled(canRedo);
  Menu.nUndo->setText(canUndo ? QStringLiteral("Отменить: ") + FHistory->undoText() : QStringLiteral("Отменить"));
  Menu.nRedo->setText(canRedo ? QStringLiteral("Повторить: ") + FHistory->redoText() : QStringLiteral("Повторить"));
  pnlTools->btnUndo->setEnabled(canUndo);
  pnlTools->btnRedo->setEnabled(canRedo);
  pnlTools->btnUndo->setToolTip(Menu.nUndo->text());
  pnlTools->btnRedo->setToolTip(Menu.nRedo->text());
}

void TfmMain::WireHistory() {
  FHistory = &FDocument.History();
  connect(FHistory, &QUndoStack::indexChanged, this, [this] {
    UpdateUndoActions();
    PlanChangedForChecks();  // every step done, undone or redone
  });
  connect(FHistory, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
  connect(Menu.nUndo, &QAction::triggered, this, &TfmMain::nUndoClick);
  connect(Menu.nRedo, &QAction::triggered, this, &TfmMain::nRedoClick);
  connect(pnlTools->btnUndo, &QToolButton::clicked, this, &TfmMain::nUndoClick);
  connect(pnlTools->btnRedo, &QToolButton::clicked, this, &TfmMain::nRedoClick);
  UpdateUndoActions();
}
