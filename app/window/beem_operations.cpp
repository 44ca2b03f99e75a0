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
  NameNewObject(FCurIndex, name);
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
  pnlBeemProp->Show(FCurIndex);
  ShowInspectorPage(pnlBeemProp);
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
      FDocument.LayBeemOnChord(FCurIndex, k);  // drawn in ShowObjectChanges
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

void TfmMain::SyncChordBoxes() {
  // Every chord box shows whether a beam lies on its chord, set without running its click.
  for (int k = 1; k <= kChordCount; ++k) {
    QCheckBox* box = ChordBox(k);
    const QSignalBlocker blocker(box);
    box->setChecked(FindBeemByOrientation(FObjects, k) >= 0);
  }
}

void TfmMain::btnBeemClick() {
  pnlImg->setCursor(PlanCursor(pmPlaceBeam));
  FPointerMode = pmPlaceBeam;
}
