// Undo and redo. Every operation that may change the stored plan runs inside an edit
// (TEditScope); when the outermost edit closes, what differs from the committed model is one
// step, named by the operation. Taking a step back or forth shows the other
// model: patched object by object when the objects stay as they are, rebuilt when they came,
// went or changed places.
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

// One change of the stored plan: the models before and after it, and the object to select when
// each is shown again.
class TPlanStep : public QUndoCommand {
 public:
  TPlanStep(TfmMain* window, TPlanModel before, TPlanModel after, int selectBefore,
            int selectAfter, const QString& caption)
      : QUndoCommand(caption),
        FWindow(window),
        FBefore(std::move(before)),
        FAfter(std::move(after)),
        FSelectBefore(selectBefore),
        FSelectAfter(selectAfter) {}

  void undo() override { FWindow->ShowModel(FBefore, SelectFor(FAfter, FBefore, FSelectBefore)); }
  void redo() override {
    if (FFirst) {  // pushed after the change was made: the plan already shows it
      FFirst = false;
      return;
    }
    FWindow->ShowModel(FAfter, SelectFor(FBefore, FAfter, FSelectAfter));
  }

 private:
  // The object the step changed, as it stands in `to`; when it is gone there, the one that
  // was current in that state.
  static int SelectFor(const TPlanModel& from, const TPlanModel& to, int current) {
    const TModelChange c = DescribeChange(from, to);
    if (c.Kind == TModelChange::Removed || c.Index < 0) return current;
    return c.Index;
  }

  TfmMain* FWindow;
  TPlanModel FBefore, FAfter;
  int FSelectBefore, FSelectAfter;
  bool FFirst = true;
};

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
  CommitStep();
  QList<QPointer<TLayer>> before;
  for (TLayer* other : pnlImg->Layers().Order()) before << QPointer<TLayer>(other);
  front ? layer->raise() : layer->lower();
  const QString caption = (front ? QStringLiteral("на передний план «%1»") : QStringLiteral("на задний план «%1»"))
                              .arg(FObjects[static_cast<size_t>(FCurIndex)]->ObjName);
  if (FHistory) FHistory->push(new TStackStep(this, FCurIndex, front, std::move(before), caption));
}

void TfmMain::BeginEdit() {
  if (FEditDepth++ == 0) FStepCaption.clear();
}

void TfmMain::EndEdit() {
  if (FEditDepth <= 0) return;
  if (--FEditDepth > 0) return;
  CommitStep(FStepCaption);
  FStepCaption.clear();
}

void TfmMain::NameStep(TStepVerb verb, int index) {
  if (FEditDepth == 0 || !FStepCaption.isEmpty()) return;
  if (index < 0 || index >= static_cast<int>(FObjects.size())) return;
  static const char* const kVerbs[] = {"изменение", "перемещение", "добавление", "удаление",
                                       "переименование", "показ", "скрытие"};
  FStepCaption = QStringLiteral("%1 «%2»")
                     .arg(QString::fromUtf8(kVerbs[static_cast<int>(verb)]), FObjects[static_cast<size_t>(index)]->ObjName);
}

void TfmMain::CommitStep(const QString& caption) {
  if (!FHistory) return;
  TPlanModel now = TPlanModel::Capture(FObjects, &FCommitted);
  if (now == FCommitted) {
    FCommittedIndex = FCurIndex;
    return;
  }
  TPlanModel before = std::move(FCommitted);
  FCommitted = now;
  const int selectBefore = FCommittedIndex;
  FCommittedIndex = FCurIndex;
  FHistory->push(new TPlanStep(this, std::move(before), std::move(now), selectBefore, FCurIndex,
                               caption.isEmpty() ? QStringLiteral("изменение плана") : caption));
  if (FAutosaveTimer) FAutosaveTimer->start();
}

void TfmMain::ResetHistory() {
  PlanChangedForChecks();  // a new plan or one opened
  FCommitted = TPlanModel::Capture(FObjects);
  FCommittedIndex = FCurIndex;
  if (FHistory) {
    FHistory->clear();
    FHistory->setClean();
  }
  DiscardRecovery();
  UpdateTitle();
}

void TfmMain::ShowModel(const TPlanModel& model, int select) {
  const TPlanModel now = TPlanModel::Capture(FObjects, &FCommitted);
  bool sameObjects = now.Size() == model.Size();
  for (std::size_t i = 0; sameObjects && i < now.Size(); ++i)
    sameObjects = now.At(i).ObjType == model.At(i).ObjType;
  const TModelChange change = DescribeChange(now, model);
  if (!sameObjects && change.Kind == TModelChange::Removed && change.Index >= 2) {
    DeleteObject(change.Index, false);
  } else if (!sameObjects && change.Kind == TModelChange::Added && change.Index >= 2) {
    InsertStoredObject(change.Index, model.At(static_cast<std::size_t>(change.Index)));
  } else if (!sameObjects) {
    ProjectRecords(model.ToRecords());
  } else {
    bool walls = false;
    std::vector<int> changed;
    for (std::size_t i = 0; i < now.Size(); ++i) {
      if (now.At(i) == model.At(i)) continue;
      TPlanObject& o = *FObjects[i];
      ApplyStored(o, model.At(i));
      const int n = static_cast<int>(i);
      {
        const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
        if (QListWidgetItem* item = pnlObjView->clbObjects->item(n)) {
          item->setText(o.ObjName);
          item->setCheckState(o.ObjVisible ? Qt::Checked : Qt::Unchecked);
        }
        cbObjects->setItemText(n, o.ObjName);
      }
      if (i == 0) walls = true;
      changed.push_back(n);
    }
    if (walls) {
      FPrevDiameterOuter = FObjects[0]->WallDiameterOuter;
      FPrevDiameterInner = FObjects[0]->WallDiameterInner;
      FRenderer.ComputeScale();
      FRenderer.DrawWalls();
      FRenderer.ProjectPost();
      FRenderer.DrawPost();
      for (int i = 2; i < static_cast<int>(FObjects.size()); ++i) FRenderer.ReprojectObject(i);
      FRenderer.DrawRulers();
    } else {
      for (int i : changed) {
        if (FObjects[static_cast<size_t>(i)]->ObjType == okPost) {
          FRenderer.ProjectPost();
          FRenderer.DrawPost();
        } else {
          FRenderer.ReprojectObject(i);
        }
      }
    }
    FBellSlots = RebuildBellSlots(FObjects);
  }
  // Every chord box shows whether a beam lies on its chord, set without running its click.
  for (int k = 1; k <= kChordCount; ++k) {
    QCheckBox* box = ChordBox(k);
    const QSignalBlocker blocker(box);
    box->setChecked(FindBeemByOrientation(FObjects, k) >= 0);
  }
  FRenderer.HideFixingLayers();
  FCommitted = TPlanModel::Capture(FObjects, &model);
  const int last = static_cast<int>(FObjects.size()) - 1;
  FCurIndex = std::clamp(select, 0, last);
  FCommittedIndex = FCurIndex;
  FPointerMode = pmIdle;
  SelectObject(FCurIndex);
  if (FAutosaveTimer) FAutosaveTimer->start();
}

void TfmMain::InsertStoredObject(int index, const TStoredObject& stored) {
  const int last = static_cast<int>(FObjects.size());
  TPlanObject record;
  ApplyStored(record, stored);
  ReadObjectSection(record, last);
  TPlanObject& o = *FObjects.back();
  o.ObjName = stored.ObjName;  // the name it had, not one the naming rule would give it now
  // Back to its place in the list, and on the panel under the object that follows it.
  std::rotate(FObjects.begin() + index, FObjects.end() - 1, FObjects.end());
  {
    const QSignalBlocker b1(pnlObjView->clbObjects), b2(cbObjects);
    QListWidgetItem* item = pnlObjView->clbObjects->takeItem(last);
    item->setText(o.ObjName);
    pnlObjView->clbObjects->insertItem(index, item);
    cbObjects->removeItem(last);
    cbObjects->insertItem(index, o.ObjName);
  }
  if (index + 1 < static_cast<int>(FObjects.size())) {
    if (TLayer* above = FObjects[static_cast<size_t>(index) + 1]->Layer) o.Layer->stackUnder(above);
  }
  for (int i = 0; i < static_cast<int>(FObjects.size()); ++i) FObjects[static_cast<size_t>(i)]->CreateIndex = i;
  FRenderer.ReprojectObject(index);
  RegroupBells();
  if (o.ObjType == okBell) FRenderer.DrawPost();
}

void TfmMain::nUndoClick() {
  CommitStep();  // a change not yet committed is taken back first
  if (FHistory->canUndo()) FHistory->undo();
}

void TfmMain::nRedoClick() {
  CommitStep();
  if (FHistory->canRedo()) FHistory->redo();
}

void TfmMain::UpdateUndoActions() {
  const bool canUndo = FHistory->canUndo(), canRedo = FHistory->canRedo();
  nUndo->setEnabled(canUndo);
  nRedo->setEnabled(canRedo);
  nUndo->setText(canUndo ? QStringLiteral("Отменить: ") + FHistory->undoText() : QStringLiteral("Отменить"));
  nRedo->setText(canRedo ? QStringLiteral("Повторить: ") + FHistory->redoText() : QStringLiteral("Повторить"));
  pnlTools->btnUndo->setEnabled(canUndo);
  pnlTools->btnRedo->setEnabled(canRedo);
  pnlTools->btnUndo->setToolTip(nUndo->text());
  pnlTools->btnRedo->setToolTip(nRedo->text());
}

void TfmMain::WireHistory() {
  FHistory = new QUndoStack(this);
  connect(FHistory, &QUndoStack::indexChanged, this, [this] {
    UpdateUndoActions();
    PlanChangedForChecks();  // every step done, undone or redone
  });
  connect(FHistory, &QUndoStack::cleanChanged, this, [this] { UpdateTitle(); });
  connect(nUndo, &QAction::triggered, this, &TfmMain::nUndoClick);
  connect(nRedo, &QAction::triggered, this, &TfmMain::nRedoClick);
  connect(pnlTools->btnUndo, &QToolButton::clicked, this, &TfmMain::nUndoClick);
  connect(pnlTools->btnRedo, &QToolButton::clicked, this, &TfmMain::nRedoClick);
  UpdateUndoActions();
}
