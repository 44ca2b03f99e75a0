#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "model/plan_change.h"
#include "plan/plan_model.h"
#include "plan/plan_object.h"

class QUndoStack;
struct TWallEdit;

// What an operation did, for the name of its step.
enum class TStepVerb : std::uint8_t { Change, Move, Add, Remove, Rename, Show, Hide };

// The open document: the one owner of the plan's objects, their stored millimetres and the
// history of their changes. No widget: the window, the drawing and every export read it, and
// every change of what a document stores goes through its operations, which say what they
// changed in one typed signal:
//   ObjectsChanged   which objects and which of their fields (a batch: a walls edit moves all)
//   ObjectInserted   an object came at an index
//   ObjectAboutToBeRemoved / ObjectRemoved   one went
//   PlanAboutToBeReset / PlanReset   every object anew (a document opened, a new plan, a step rebuilding all)
// Each operation opens an edit (TEditScope); the outermost edit closing makes one undo step of
// what the plan changed, named by the first operation inside it.
class TPlanDocument : public QObject {
  Q_OBJECT
 public:
  using TRecords = std::vector<std::unique_ptr<TPlanObject>>;

  explicit TPlanDocument(QObject* parent = nullptr);
  ~TPlanDocument() override;

  // The records, in the plan's order: walls, pedestal, then bells and beams. The renderer keeps
  // each record's pixels beside its millimetres; nothing else writes a record but this class.
  TRecords& Objects() { return FObjects; }
  const TRecords& Objects() const { return FObjects; }
  int Count() const { return static_cast<int>(FObjects.size()); }
  const TPlanObject& At(int index) const { return *FObjects[static_cast<std::size_t>(index)]; }
  TPlanObject& Record(int index) { return *FObjects[static_cast<std::size_t>(index)]; }
  // What a document stores now; objects unchanged since the last step shared with it.
  TPlanModel Model() const { return TPlanModel::Capture(FObjects, &FCommitted); }

  // ---- objects come and go ----------------------------------------------------------------------
  // At `index`, the record's CreateIndex as its maker gave it. Returns the record.
  TPlanObject& InsertObject(int index, std::unique_ptr<TPlanObject> record);
  void RemoveObject(int index);
  // Every object anew from stored records (opening, a new plan, a step that rebuilds).
  void ResetObjects(const std::vector<TPlanObject>& records);

  // ---- edits and their steps (model/plan_edits.cpp) ---------------------------------------------
  QUndoStack& History() const { return *FHistory; }
  void BeginEdit();
  void EndEdit();
  bool Editing() const { return FEditDepth > 0; }
  // The step's name from the operation that makes it: the first one named in an edit counts.
  void NameStep(TStepVerb verb, int index);
  // Whatever differs from the plan as the last step left it becomes one step named `caption`.
  void CommitStep(const QString& caption = {});
  // The plan as it stands starts a new, clean history.
  void ResetHistory();
  const TPlanModel& Committed() const { return FCommitted; }
  // The object current in the views, remembered with each step to select again on undo.
  void SetCurrentSource(std::function<int()> current) { FCurrent = std::move(current); }
  // Undo and redo: the plan shown as `model` has it, patched object by object when the objects
  // stay of the same kinds, else through removal, insertion or a reset; then StepShown with the
  // object the step changed, or `current` (the one current then) when it took that object away.
  void ShowStep(const TPlanModel& model, int current);
  // True while a step is being shown: the views leave the selection to StepShown.
  bool ShowingStep() const { return FShowingStep; }

  // ---- operations (model/object_edits.cpp) -----------------------------------------------------
  // Each opens an edit, clamps as the inspector does, stores, says what it changed and returns
  // the value stored. `index` is the object's place in the plan.
  std::int32_t SetPostWidth(std::int32_t v);
  std::int32_t SetPostHeight(std::int32_t v);
  std::int32_t SetPostAngle(std::int32_t v);
  std::int32_t SetPostPosition(bool x, std::int32_t v);
  std::int32_t SetPostPositionX(std::int32_t v) { return SetPostPosition(true, v); }
  std::int32_t SetPostPositionY(std::int32_t v) { return SetPostPosition(false, v); }
  std::int32_t SetBellPosition(int index, bool x, std::int32_t value);
  std::int32_t SetBeemMaterial(int index, std::int32_t material);
  std::int32_t SetBeemWidth(int index, std::int32_t v);
  // which: 0 begin x, 1 begin y, 2 end x, 3 end y. A chord beam edited so becomes free.
  std::int32_t SetBeemPoint(int index, int which, std::int32_t v);
  // A diameter another bell has is refused: the one kept is returned.
  std::int32_t SetBellDiameter(int index, std::int32_t diameter);
  int FindBell(std::int32_t diameter) const;  // the bell of that diameter, or -1
  // The beam laid on chord k (0: free, where it lies) from the walls' computed outline.
  void LayBeemOnChord(int index, int k);
  bool SetObjectVisible(int index, bool visible);  // false: it was so already
  // The name typed, made unique among every object's names, the object's own included (the
  // pages rename only to a name that differs from it).
  QString RenameObject(int index, const QString& base);
  bool IsNameFree(const QString& name) const;

  // ---- the walls (model/wall_edits.cpp) --------------------------------------------------------
  // A size edit carries every other object along and lays the chord beams again.
  std::int32_t SetWallDiameterOuter(std::int32_t v);
  std::int32_t SetWallDiameterInner(std::int32_t v);
  std::int32_t SetWallWidth(std::int32_t v);
  std::int32_t SetWallArcWidth(std::int32_t v);
  void SetWallType(int item);  // the list's item; the chord beams laid on the new sides
  void SetWallMaterial(int item);

  // ---- the file ---------------------------------------------------------------------------------
  QString Path() const { return FPath; }
  void SetPath(const QString& path) { FPath = path; }
  bool IsModified() const;
  void MarkSaved();

 Q_SIGNALS:
  void ObjectsChanged(const TObjectChanges& changes);
  void ObjectInserted(int index);
  void ObjectAboutToBeRemoved(int index);
  void ObjectRemoved(int index, TObjectKind kind);
  void PlanAboutToBeReset();
  void PlanReset();
  void StepShown(int select);   // a step undone or redone; the object to select
  void StepCommitted();         // a new step on the history

 private:
  void Renumber();  // every CreateIndex its place: a plan read or put back whole
  void Changed(int index, TPlanFields fields);  // one object's change announced
  std::int32_t ApplyWallSizes(const TWallEdit& edit);
  void RelayChordBeems(TObjectChanges& changes);  // the chord beams that moved are added

  TRecords FObjects;
  QUndoStack* FHistory = nullptr;
  TPlanModel FCommitted;       // the plan as the last step left it
  int FCommittedIndex = 0;     // the object that was current then
  int FEditDepth = 0;
  bool FShowingStep = false;
  QString FStepCaption;
  std::function<int()> FCurrent;
  QString FPath;
};
