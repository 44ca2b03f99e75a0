// Beams on the plan: chord beams and free beams, their projection, drawing and edits.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <optional>

#include "app/tfm_main.h"
#include "controls/beems_panel.h"
#include "controls/beem_page.h"
#include "model/edit_scope.h"
#include "beams/beem_geometry.h"
#include "beams/beem_paint.h"
#include "beams/chord_relay.h"
#include "beams/chords.h"
#include "controls/ac_number_edit.h"
#include "controls/plan_panel.h"
#include "platform/layer.h"

void TfmMain::CreateBeemSteps(TPlanObject& o, const QString& name, QPoint at, bool draw) {
  MakeUniqueName(FCurIndex, name, true);
  o.BeemMaterial = kBeemMaterialDefault;
  o.BeemWidth = kBeemWidthDefault;
  o.BeemOrientation = 0;
  o.BeemBeginPointPx = at;
  o.BeemEndPointPx = at + QPoint(1, 1);
  FRenderer.ProjectBeem(FCurIndex, true);
  if (draw) FRenderer.DrawBeem(FCurIndex);
}

void TfmMain::FillBeemInspector() {
  EnsureObjectPages();
  FCurObject = FObjects[static_cast<size_t>(FCurIndex)].get();
  const TPlanObject& b = *FCurObject;
  pnlBeemProp->edBeemObjName->setText(b.ObjName);
  pnlBeemProp->edBeemWidth->SetValue(b.BeemWidth);
  {
    const QSignalBlocker b1(pnlBeemProp->cbBeemMaterials), b2(pnlBeemProp->cbBeemOrientation);
    pnlBeemProp->cbBeemMaterials->setCurrentIndex(b.BeemMaterial - kBeemMaterialFirst);
    pnlBeemProp->cbBeemOrientation->setCurrentIndex(b.BeemOrientation);
  }
  ShowBeemPoints(b);
  ShowInspectorPage(pnlBeemProp);
}

void TfmMain::ShowBeemPoints(const TPlanObject& b) {
  const int d = FObjects[0]->WallDiameterOuter;
  pnlBeemProp->edBeemBeginX->SetValue(ShownBeemCoordinate(b.BeemBeginPoint.x(), d));
  pnlBeemProp->edBeemBeginY->SetValue(ShownBeemCoordinate(b.BeemBeginPoint.y(), d));
  pnlBeemProp->edBeemEndX->SetValue(ShownBeemCoordinate(b.BeemEndPoint.x(), d));
  pnlBeemProp->edBeemEndY->SetValue(ShownBeemCoordinate(b.BeemEndPoint.y(), d));
}

QCheckBox* TfmMain::ChordBox(int k) const {
  return IsChordOrientation(k) ? pnlBeems->FChordBoxes[static_cast<size_t>(k - 1)] : nullptr;
}

void TfmMain::SetChordBoxChecked(int k, bool checked) {
  if (QCheckBox* box = ChordBox(k)) box->setChecked(checked);  // runs ChordBoxClick on a change
}

void TfmMain::UncheckChordBoxQuietly(int orientation) {
  FChordBoxDeletes = false;
  SetChordBoxChecked(orientation, false);
  FChordBoxDeletes = true;
}

int TfmMain::LayBeemOnChord(int index, int k) {
  TPlanObject& b = *FObjects[static_cast<size_t>(index)];
  const TPlanObject& w = *FObjects[0];
  const TChordWalls walls = ChordWallsOf(w, w.WallInnerPoints);
  const int old = b.BeemOrientation;
  b.BeemOrientation = k;
  if (const auto points = ChordBeemPoints(walls, k, b.BeemWidth)) {
    b.BeemBeginPoint = points->Begin;
    b.BeemEndPoint = points->End;
  }
  const TChordBoxMarks marks = ChordBoxMarks(old, k);
  if (marks.Clear) UncheckChordBoxQuietly(marks.Clear);
  if (marks.Set) SetChordBoxChecked(marks.Set, true);
  // The page of the current beam shows the points it now has: a stale number left in a field
  // would be applied by the next Enter there and throw the beam off its chord.
  if (index == FCurIndex) ShowBeemPoints(b);
  return k;
}

void TfmMain::TickChordBoxes() {
  for (int i : ChordBeemIndices(FObjects)) SetChordBoxChecked(FObjects[static_cast<size_t>(i)]->BeemOrientation, true);
}

void TfmMain::ChordBoxClick(int k, bool checked) {
  const int a = FindBeemByOrientation(FObjects, k);
  const TChordBoxAction action = ChordBoxClickAction(checked, a, false, FChordBoxDeletes);
  // Boxes ticked for beams already there (a document opening) change nothing and make no edit.
  std::optional<TEditScope> edit;
  if (action != TChordBoxAction::None) edit.emplace(FDocument);
  switch (action) {
    case TChordBoxAction::LayNewBeem:
      CreateObject(QStringLiteral("Балка"), okBeam, QPoint(0, 0), 0, true);
      LayBeemOnChord(FCurIndex, k);
      FRenderer.ProjectBeem(FCurIndex, false);
      FRenderer.DrawBeem(FCurIndex);
      SelectObject(FCurIndex);
      break;
    case TChordBoxAction::DeleteBeem:
      FDocument.NameStep(TStepVerb::Remove, a);
      DeleteObject(a, false);
      SelectObject(0);
      break;
    case TChordBoxAction::None:
      break;
  }
  FChordBoxDeletes = true;
}

void TfmMain::btnBeemClick() {
  pnlImg->setCursor(PlanCursor(pmPlaceBeam));
  FPointerMode = pmPlaceBeam;
}

void TfmMain::FinishBeemEdit() {
  FRenderer.ProjectBeem(FCurIndex, false);
  FRenderer.DrawBeem(FCurIndex);
  DrawSelectionFrame();
}

// The document stores and announces each value (ShowObjectChanges draws it); the frame follows.
std::int32_t TfmMain::SetBeemMaterial(std::int32_t m) { return FDocument.SetBeemMaterial(FCurIndex, m); }

std::int32_t TfmMain::SetBeemWidth(std::int32_t v) {
  v = FDocument.SetBeemWidth(FCurIndex, v);
  DrawSelectionFrame();
  return v;
}

std::int32_t TfmMain::SetBeemPoint(int which, std::int32_t v) {
  EnsureObjectPages();
  const int old = FObjects[static_cast<size_t>(FCurIndex)]->BeemOrientation;
  v = FDocument.SetBeemPoint(FCurIndex, which, v);
  {
    const QSignalBlocker blocker(pnlBeemProp->cbBeemOrientation);
    pnlBeemProp->cbBeemOrientation->setCurrentIndex(0);
  }
  // The beam left its chord: its box is cleared, which then finds no beam on that chord and
  // deletes nothing.
  if (old > 0) SetChordBoxChecked(old, false);
  DrawSelectionFrame();
  return v;
}

std::int32_t TfmMain::SetBeemBeginX(std::int32_t v) { return SetBeemPoint(0, v); }
std::int32_t TfmMain::SetBeemBeginY(std::int32_t v) { return SetBeemPoint(1, v); }
std::int32_t TfmMain::SetBeemEndX(std::int32_t v) { return SetBeemPoint(2, v); }
std::int32_t TfmMain::SetBeemEndY(std::int32_t v) { return SetBeemPoint(3, v); }

void TfmMain::cbBeemOrientationChange(int k) {
  const TEditScope edit(FDocument);
  FDocument.NameStep(TStepVerb::Change, FCurIndex);
  EnsureObjectPages();
  TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
  if (b.ObjType != okBeam) return;
  if (FindBeemByOrientation(FObjects, k) == -1) {
    LayBeemOnChord(FCurIndex, k);
    FinishBeemEdit();
  } else {
    const QSignalBlocker blocker(pnlBeemProp->cbBeemOrientation);
    pnlBeemProp->cbBeemOrientation->setCurrentIndex(b.BeemOrientation);
  }
}

void TfmMain::cbBeemMaterialsChange(int item) {
  const TEditScope edit(FDocument);
  FDocument.NameStep(TStepVerb::Change, FCurIndex);
  TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
  if (b.ObjType != okBeam) return;
  const int m = item + kBeemMaterialFirst;
  if (m != b.BeemMaterial) SetBeemMaterial(m);
}
