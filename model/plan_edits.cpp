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

  // Each side is shown selecting the object the step changed, or the one current then when
  // the step took that object away.
  void undo() override { FDocument->ShowStep(FBefore, FSelectBefore); }
  void redo() override {
    if (FFirst) {  // pushed after the change was made: the plan already shows it
      FFirst = false;
      return;
    }
    FDocument->ShowStep(FAfter, FSelectAfter);
  }

 private:
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

void TPlanDocument::ShowStep(const TPlanModel& model, int current) {
  FShowingStep = true;
  bool sameKinds = static_cast<std::size_t>(Count()) == model.Size();
  for (int i = 0; sameKinds && i < Count(); ++i) sameKinds = At(i).ObjType == model.At(static_cast<std::size_t>(i)).ObjType;
  int select = current;
  if (sameKinds) {
    // The common step: objects changed in place, announced with the fields that differ; the
    // first of them is selected.
    TObjectChanges changes;
    for (int i = 0; i < Count(); ++i) {
      const TStoredObject& to = model.At(static_cast<std::size_t>(i));
      if (StoredPart(At(i)) == to) continue;
      changes.push_back({i, ChangedFields(At(i), to)});
      ApplyStored(Record(i), to);
    }
    if (!changes.empty()) select = changes.front().Index;
    if (!changes.empty()) Q_EMIT ObjectsChanged(changes);
  } else {
    const TModelChange change = DescribeChange(Model(), model);
    if (change.Kind != TModelChange::Removed && change.Index >= 0) select = change.Index;
    if (change.Kind == TModelChange::Removed && change.Index >= 2) {
      RemoveObject(change.Index);
    } else if (change.Kind == TModelChange::Added && change.Index >= 2) {
      auto record = std::make_unique<TPlanObject>();
      ApplyStored(*record, model.At(static_cast<std::size_t>(change.Index)));
      InsertObject(change.Index, std::move(record));
      Renumber();
    } else {
      ResetObjects(model.ToRecords());
    }
  }
  FShowingStep = false;
  FCommitted = model;  // the records are the model now, object for object
  FCommittedIndex = std::clamp(select, 0, std::max(0, Count() - 1));
  Q_EMIT StepShown(FCommittedIndex);
}
