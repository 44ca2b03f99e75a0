// The walls' operations. A size stores its clamped value, keeps outer = inner + 2 x thickness,
// clamps the arch to the new sides and carries every other object along: positions scale about
// the walls' centre, free beams' ends follow the faces, chord beams are laid on their chords
// again from the walls' millimetre outline (no drawing is needed for it). One batch says all.
#include "beams/beem_geometry.h"
#include "beams/chord_relay.h"
#include "model/edit_scope.h"
#include "model/plan_document.h"
#include "platform/rounding.h"
#include "walls/wall_geometry.h"
#include "walls/wall_rules.h"

namespace {

// Positions scale about the walls' centre by the ratio of the half diameters.
int ScaleAboutCentre(int c, int hn, int ho) {
  if (ho == 0 || c == ho) return hn;
  const long double k = static_cast<long double>(hn) / ho;
  if (c < ho) return Round(hn - (ho - c) * k);
  return Round(hn + (c - ho) * k);
}

QPoint ScaleAboutCentre(QPoint p, int hn, int ho) {
  return QPoint(ScaleAboutCentre(p.x(), hn, ho), ScaleAboutCentre(p.y(), hn, ho));
}

}  // namespace

void TPlanDocument::RelayChordBeems(TObjectChanges& changes) {
  const TComputedChordWalls chords(At(0));
  const TChordWalls& walls = chords.Walls();
  for (int i : ChordBeemIndices(FObjects)) {
    TPlanObject& b = Record(i);
    if (const auto points = ChordBeemPoints(walls, b.BeemOrientation, b.BeemWidth)) {
      if (b.BeemBeginPoint == points->Begin && b.BeemEndPoint == points->End) continue;
      b.BeemBeginPoint = points->Begin;
      b.BeemEndPoint = points->End;
      changes.push_back({i, pfBeemPoints});
    }
  }
}

std::int32_t TPlanDocument::ApplyWallSizes(const TWallEdit& edit) {
  TPlanObject& w = Record(0);
  const std::int32_t outerOld = w.WallDiameterOuter, innerOld = w.WallDiameterInner;
  TWallSizes after = edit.Sizes;
  after.Arch = ClampWallArcWidth(after, after.Arch);
  if (after == WallSizesOf(w)) return edit.Stored;  // clamped back to what the walls have: nothing moves
  w.WallDiameterOuter = edit.Sizes.Outer;
  w.WallDiameterInner = edit.Sizes.Inner;
  w.WallWallWidth = edit.Sizes.Thickness;
  w.WallArcWidth = ClampWallArcWidth(WallSizesOf(w), edit.Sizes.Arch);
  TObjectChanges changes{{0, pfWallSizes | pfWallArch}};
  const int hn = w.WallDiameterOuter / 2, ho = outerOld / 2;
  const TWallsResize resize{outerOld, innerOld, w.WallDiameterOuter, w.WallDiameterInner};
  for (int i = 1; i < Count(); ++i) {
    TPlanObject& o = Record(i);
    switch (o.ObjType) {
      case okBell:
        o.BellPosition = ScaleAboutCentre(o.BellPosition, hn, ho);
        changes.push_back({i, pfBellPosition});
        break;
      case okPost:
        o.PostPosition = ScaleAboutCentre(o.PostPosition, hn, ho);
        changes.push_back({i, pfPostPosition});
        break;
      case okBeam:
        o.BeemBeginPoint = RelayoutBeemPoint(o.BeemBeginPoint, resize);
        o.BeemEndPoint = RelayoutBeemPoint(o.BeemEndPoint, resize);
        changes.push_back({i, pfBeemPoints});  // a chord beam's too: laid again just below
        break;
      case okWalls:
        break;
    }
  }
  TObjectChanges relaid;  // every beam is in the batch already
  RelayChordBeems(relaid);
  Q_EMIT ObjectsChanged(changes);
  return edit.Stored;
}

std::int32_t TPlanDocument::SetWallDiameterOuter(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return ApplyWallSizes(ApplyOuterDiameter(WallSizesOf(At(0)), v));
}

std::int32_t TPlanDocument::SetWallDiameterInner(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return ApplyWallSizes(ApplyInnerDiameter(WallSizesOf(At(0)), v));
}

std::int32_t TPlanDocument::SetWallWidth(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  return ApplyWallSizes(ApplyWallWidth(WallSizesOf(At(0)), v));
}

std::int32_t TPlanDocument::SetWallArcWidth(std::int32_t v) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  TPlanObject& w = Record(0);
  const std::int32_t arch = ClampWallArcWidth(WallSizesOf(w), v);
  const bool changed = arch != w.WallArcWidth;
  w.WallArcWidth = arch;
  Changed(0, changed ? TPlanFields{pfWallArch} : TPlanFields{0});
  return w.WallArcWidth;
}

void TPlanDocument::SetWallType(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  const std::uint8_t type = WallTypeFromIndex(item);
  if (type == At(0).WallType) return;
  Record(0).WallType = type;
  TObjectChanges changes{{0, pfWallType}};
  RelayChordBeems(changes);
  Q_EMIT ObjectsChanged(changes);
}

void TPlanDocument::SetWallMaterial(int item) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, 0);
  if (item == At(0).WallMaterial) return;
  Record(0).WallMaterial = item;
  Changed(0, pfWallMaterial);
}

void TPlanDocument::LayBeemOnChord(int index, int k) {
  const TEditScope edit(*this);
  NameStep(TStepVerb::Change, index);
  TPlanObject& b = Record(index);
  const TComputedChordWalls chords(At(0));
  const TChordWalls& walls = chords.Walls();
  TPlanFields fields = b.BeemOrientation != k ? TPlanFields{pfBeemOrientation} : TPlanFields{0};
  b.BeemOrientation = k;
  if (const auto points = ChordBeemPoints(walls, k, b.BeemWidth)) {
    if (b.BeemBeginPoint != points->Begin || b.BeemEndPoint != points->End) fields |= pfBeemPoints;
    b.BeemBeginPoint = points->Begin;
    b.BeemEndPoint = points->End;
  }
  Changed(index, fields);
}
