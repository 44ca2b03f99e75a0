// Undo and redo from the operations. Every operation that may change the stored plan runs
// inside an edit (TEditScope); when the outermost edit closes, what differs from the plan as
// the last step left it is one step, named by the operation. A step keeps the two states as
// snapshots that share every unchanged object: a walls edit moves every object, and its inverse
// as a command would be the whole plan anyway.
#include <QUndoStack>
#include <algorithm>

#include "model/plan_document.h"

namespace {

// One change of the stored plan: the states before and after it, and the object to select when
// each is shown again.
class TPlanStep : public QUndoCommand {
 public:
  TPlanStep(TPlanDocument* document, TPlanModel before, TPlanModel after, int selectBefore, int selectAfter,
            const QString& caption)
      : QUndoCommand(caption),
        FDocument(document),
        FBefore(std::move(before)),
        FAfter(std::move(after)),
        FSelectBefore(selectBefore),
        FSelectAfter(selectAfter) {}

  void undo() override { FDocument->ShowStep(FBefore, SelectFor(FAfter, FBefore, FSelectBefore)); }
  void redo() override {
    if (FFirst) {  // pushed after the change was made: the plan already shows it
      FFirst = false;
      return;
    }
    FDocument->ShowStep(FAfter, SelectFor(FBefore, FAfter, FSelectAfter));
  }

 private:
  // The object the step changed, as it stands in `to`; when it is gone there, the one that
  // was current in that state.
  static int SelectFor(const TPlanModel& from, const TPlanModel& to, int current) {
    const TModelChange c = DescribeChange(from, to);
    if (c.Kind == TModelChange::Removed || c.Index < 0) return current;
    return c.Index;
  }

  TPlanDocument* FDocument;
  TPlanModel FBefore, FAfter;
  int FSelectBefore, FSelectAfter;
  bool FFirst = true;
};

}  // namespace

void TPlanDocument::BeginEdit() {
  if (FEditDepth++ == 0) FStepCaption.clear();
}

void TPlanDocument::EndEdit() {
  if (FEditDepth <= 0) return;
  if (--FEditDepth > 0) return;
  CommitStep(FStepCaption);
  FStepCaption.clear();
}

void TPlanDocument::NameStep(TStepVerb verb, int index) {
  if (FEditDepth == 0 || !FStepCaption.isEmpty()) return;
  if (index < 0 || index >= Count()) return;
  static const char* const kVerbs[] = {"изменение", "перемещение", "добавление", "удаление",
                                       "переименование", "показ", "скрытие"};
  FStepCaption = QStringLiteral("%1 «%2»").arg(QString::fromUtf8(kVerbs[static_cast<int>(verb)]), At(index).ObjName);
}

void TPlanDocument::CommitStep(const QString& caption) {
  const int current = FCurrent ? FCurrent() : 0;
  TPlanModel now = Model();
  if (now == FCommitted) {
    FCommittedIndex = current;
    return;
  }
  TPlanModel before = std::move(FCommitted);
  FCommitted = now;
  const int selectBefore = FCommittedIndex;
  FCommittedIndex = current;
  FHistory->push(new TPlanStep(this, std::move(before), std::move(now), selectBefore, current,
                               caption.isEmpty() ? QStringLiteral("изменение плана") : caption));
  Q_EMIT StepCommitted();
}

void TPlanDocument::ResetHistory() {
  FCommitted = TPlanModel::Capture(FObjects);
  FCommittedIndex = FCurrent ? FCurrent() : 0;
  FHistory->clear();
  FHistory->setClean();
}

void TPlanDocument::ShowStep(const TPlanModel& model, int select) {
  FShowingStep = true;
  const TPlanModel now = Model();
  bool sameObjects = now.Size() == model.Size();
  for (std::size_t i = 0; sameObjects && i < now.Size(); ++i)
    sameObjects = now.At(i).ObjType == model.At(i).ObjType;
  const TModelChange change = DescribeChange(now, model);
  if (!sameObjects && change.Kind == TModelChange::Removed && change.Index >= 2) {
    RemoveObject(change.Index);
  } else if (!sameObjects && change.Kind == TModelChange::Added && change.Index >= 2) {
    auto record = std::make_unique<TPlanObject>();
    ApplyStored(*record, model.At(static_cast<std::size_t>(change.Index)));
    InsertObject(change.Index, std::move(record));
    Renumber();
  } else if (!sameObjects) {
    ResetObjects(model.ToRecords());
  } else {
    TObjectChanges changes;
    for (std::size_t i = 0; i < now.Size(); ++i) {
      if (now.At(i) == model.At(i)) continue;
      changes.push_back({static_cast<int>(i), ChangedFields(now.At(i), model.At(i))});
      ApplyStored(*FObjects[i], model.At(i));
    }
    if (!changes.empty()) Q_EMIT ObjectsChanged(changes);
  }
  FShowingStep = false;
  FCommitted = TPlanModel::Capture(FObjects, &model);
  FCommittedIndex = std::clamp(select, 0, std::max(0, Count() - 1));
  Q_EMIT StepShown(FCommittedIndex);
}
