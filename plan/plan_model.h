#pragma once

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "plan/plan_object.h"

// The stored part of a drawn record, and the stored fields written into one (its pixels,
// outlines and layer are left for the renderer).
inline const TStoredObject& StoredPart(const TPlanObject& o) { return o; }
inline void ApplyStored(TPlanObject& o, const TStoredObject& s) { static_cast<TStoredObject&>(o) = s; }

// The plan as a document stores it: the objects in their order. Snapshots taken one after
// another share the objects that did not change, so a long history costs little more than the
// changes themselves.
class TPlanModel {
 public:
  using TEntry = std::shared_ptr<const TStoredObject>;

  TPlanModel() = default;
  // The stored part of every record; entries equal to `previous`'s at the same place are shared.
  static TPlanModel Capture(const std::vector<std::unique_ptr<TPlanObject>>& objects,
                            const TPlanModel* previous = nullptr);
  static TPlanModel FromStored(const std::vector<TStoredObject>& objects);

  std::size_t Size() const { return FObjects.size(); }
  const TStoredObject& At(std::size_t i) const { return *FObjects[i]; }
  // Records carrying the stored fields, as the document reader hands them to the window.
  std::vector<TPlanObject> ToRecords() const;

  friend bool operator==(const TPlanModel& a, const TPlanModel& b);

 private:
  std::vector<TEntry> FObjects;
};

// What one step changed: the cheapest way to show the other state, and what to select there.
struct TModelChange {
  enum TKind { None, Added, Removed, Reordered, Changed } Kind = None;
  int Index = -1;        // the object added, removed, moved or (first) changed
  QString Name;          // its name in the state that has it
  bool Structural = false;  // objects came, went or moved: the plan is rebuilt, not patched
};
TModelChange DescribeChange(const TPlanModel& before, const TPlanModel& after);
