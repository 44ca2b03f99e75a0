// The beam page of the inspector and the beams panel with its chord boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/beem_page.h"
#include "app/tfm_main.h"
#include "controls/beems_panel.h"
#include "beams/caption_stretch.h"
#include "beams/orientations.h"
#include "controls/ac_number_edit.h"
#include "platform/canvas.h"
#include "platform/resource_icon.h"


void TfmMain::BuildBeemPage() {
  pnlBeemProp = new TBeemPage;
  pnlInspPages->addWidget(pnlBeemProp);

  connect(pnlBeemProp->edBeemObjName, &QLineEdit::returnPressed, this, [this] {
    if (pnlBeemProp->edBeemObjName->text() != FObjects[static_cast<size_t>(FCurIndex)]->ObjName)
      MakeUniqueName(FCurIndex, pnlBeemProp->edBeemObjName->text(), false);
  });
  connect(pnlBeemProp->cbBeemMaterials, &QComboBox::activated, this, &TfmMain::cbBeemMaterialsChange);
  connect(pnlBeemProp->cbBeemOrientation, &QComboBox::activated, this, &TfmMain::cbBeemOrientationChange);
  auto onEnter = [this](TacNumberEdit* edit, std::int32_t (TfmMain::*apply)(std::int32_t),
                        std::int32_t (*stored)(const TPlanObject&)) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      const TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
      if (b.ObjType != okBeam || edit->Value() == stored(b)) return;
      edit->SetValue((this->*apply)(edit->Value()));
    });
  };
  onEnter(pnlBeemProp->edBeemWidth, &TfmMain::SetBeemWidth, [](const TPlanObject& o) { return o.BeemWidth; });
  onEnter(pnlBeemProp->edBeemBeginX, &TfmMain::SetBeemBeginX, [](const TPlanObject& o) { return o.BeemBeginPoint.x(); });
  onEnter(pnlBeemProp->edBeemBeginY, &TfmMain::SetBeemBeginY, [](const TPlanObject& o) { return o.BeemBeginPoint.y(); });
  onEnter(pnlBeemProp->edBeemEndX, &TfmMain::SetBeemEndX, [](const TPlanObject& o) { return o.BeemEndPoint.x(); });
  onEnter(pnlBeemProp->edBeemEndY, &TfmMain::SetBeemEndY, [](const TPlanObject& o) { return o.BeemEndPoint.y(); });
}


void TfmMain::BuildOrientationNamesList() {
  FOrientationNames = BuildOrientationNames();
}

void TfmMain::WireChordBoxes() {
  connect(pnlBeems->btnBeem, &QToolButton::clicked, this, &TfmMain::btnBeemClick);
  for (int k = 1; k <= kChordCount; ++k) {
    QCheckBox* box = pnlBeems->FChordBoxes[static_cast<size_t>(k - 1)];
    box->setToolTip(FOrientationNames.value(k));
    // toggled fires on user and code changes, never for a mark set to the state it has.
    connect(box, &QCheckBox::toggled, this, [this, k](bool checked) { ChordBoxClick(k, checked); });
  }
}

void TfmMain::FillOrientationList() {
  const QSignalBlocker blocker(pnlBeemProp->cbBeemOrientation);
  pnlBeemProp->cbBeemOrientation->clear();
  pnlBeemProp->cbBeemOrientation->addItems(FOrientationNames);
  pnlBeemProp->cbBeemOrientation->setCurrentIndex(0);
}
