#include "beams/chord_relay.h"

#include "beams/orientations.h"

TChordBoxMarks ChordBoxMarks(int oldOrientation, int newOrientation) {
  TChordBoxMarks marks;
  if (IsChordOrientation(oldOrientation)) marks.Clear = oldOrientation;
  if (IsChordOrientation(newOrientation)) marks.Set = newOrientation;
  return marks;
}

TChordBoxAction ChordBoxClickAction(bool checked, int found, bool relaying, bool boxDeletes) {
  if (relaying) return TChordBoxAction::None;
  if (checked) return found == -1 ? TChordBoxAction::LayNewBeem : TChordBoxAction::None;
  // Indices 0 and 1 are the walls and the pedestal, never a chord's beam.
  if (found > 1 && boxDeletes) return TChordBoxAction::DeleteBeem;
  return TChordBoxAction::None;
}
