#pragma once

#include <iterator>
#include <type_traits>
#include <vector>

#include "beams/chords.h"
#include "beams/orientations.h"
#include "plan/plan_object.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

// Which chord boxes a change of a beam's orientation clears and sets; 0 means none. A box that
// is cleared and set again ends checked. Only orientations 1..24 have boxes.
struct TChordBoxMarks {
  int Clear = 0;
  int Set = 0;
  friend bool operator==(const TChordBoxMarks&, const TChordBoxMarks&) = default;
};
TChordBoxMarks ChordBoxMarks(int oldOrientation, int newOrientation);

// What a change of a chord box's check mark does to the plan.
enum class TChordBoxAction { None, LayNewBeem, DeleteBeem };

// checked: the box's new mark; found: FindBeemByOrientation of its chord; relaying: a relay of
// the chord beams is running; boxDeletes: clearing a box may delete its beam (false while the
// object list deletes that beam itself).
TChordBoxAction ChordBoxClickAction(bool checked, int found, bool relaying, bool boxDeletes);

// The walls as the chords are laid on them: their record's sizes and the inner outline in
// millimetres (which the walls' geometry computes; no drawing is needed for it).
inline TChordWalls ChordWallsOf(const TPlanObject& w, std::span<const QPoint> innerPoints) {
  TChordWalls walls;
  walls.WallType = w.WallType;
  walls.DiameterOuter = w.WallDiameterOuter;
  walls.DiameterInner = w.WallDiameterInner;
  walls.WallWidth = w.WallWallWidth;
  walls.InnerPoints = innerPoints;
  return walls;
}

// The walls as the chords are laid on them, from their millimetre outline, which no scale
// changes and no drawing is needed for: opening and the document's walls edits both lay chord
// beams on it.
class TComputedChordWalls {
 public:
  explicit TComputedChordWalls(const TPlanObject& w)
      : FOutlines(ComputeWallGeometry(WallSizesOf(w), TPlanMapping{})), FWalls(ChordWallsOf(w, FOutlines.InnerMm)) {}
  TComputedChordWalls(const TComputedChordWalls&) = delete;  // the walls point into the outline
  TComputedChordWalls& operator=(const TComputedChordWalls&) = delete;
  const TChordWalls& Walls() const { return FWalls; }

 private:
  TWallOutlines FOutlines;
  TChordWalls FWalls;
};

// An orientation read from a document that names no chord is taken as a free beam.
inline int DocumentBeemOrientation(int stored) {
  return stored >= 0 && stored <= kChordCount ? stored : 0;
}

namespace chord_relay_detail {
template <class T>
const TPlanObject& Obj(const T& item) {
  if constexpr (std::is_same_v<std::remove_cvref_t<T>, TPlanObject>)
    return item;
  else
    return *item;
}
}  // namespace chord_relay_detail

// The index of the first beam (from index 2; the walls and the pedestal are never beams) whose
// orientation is k, or -1. With k = 0 it finds the first free beam. Works on a list of records
// or of pointers to them.
template <class Objects>
int FindBeemByOrientation(const Objects& objects, int k) {
  const int count = static_cast<int>(std::size(objects));
  for (int i = 2; i < count; ++i) {
    const TPlanObject& o = chord_relay_detail::Obj(objects[i]);
    if (o.ObjType == okBeam && o.BeemOrientation == k) return i;
  }
  return -1;
}

// Indices of the beams that lie on a chord, in list order: the beams a relay lays anew and
// whose boxes an opened document ticks.
template <class Objects>
std::vector<int> ChordBeemIndices(const Objects& objects) {
  std::vector<int> result;
  const int count = static_cast<int>(std::size(objects));
  for (int i = 2; i < count; ++i) {
    const TPlanObject& o = chord_relay_detail::Obj(objects[i]);
    if (o.ObjType == okBeam && o.BeemOrientation > 0) result.push_back(i);
  }
  return result;
}
