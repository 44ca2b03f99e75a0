// Undo and redo in the window: the actions and their captions, and front/back. The steps are the
// document's (model/plan_edits.cpp); what a step puts back reaches the drawing and the lists
// through the same signals as every operation's change (TDocumentViews).
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
