// The bell page of the inspector and the bell palette.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>
#include <QToolButton>

#include "controls/bell_page.h"
#include "app/tfm_main.h"
#include "bells/bell_catalogue.h"
#include "bells/bell_pictures.h"
#include "controls/bell_palette.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildBellPage() {
  pnlBellProp = new TBellPage;
  pnlInspPages->addWidget(pnlBellProp);

  connect(pnlBellProp->edObjBellName, &QLineEdit::returnPressed, this, [this] {
    if (pnlBellProp->edObjBellName->text() != FObjects[static_cast<size_t>(FCurIndex)]->ObjName)
      MakeUniqueName(FCurIndex, pnlBellProp->edObjBellName->text(), false);
  });
  connect(pnlBellProp->cbBellDiameter, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (item < 0 || FObjects[static_cast<size_t>(FCurIndex)]->ObjType != okBell) return;
    if (pnlBellProp->cbBellDiameter->itemText(item).toInt() == FObjects[static_cast<size_t>(FCurIndex)]->BellDiameter) return;
    const int shown = ChangeBellDiameter(item);
    const QSignalBlocker blocker(pnlBellProp->cbBellDiameter);
    pnlBellProp->cbBellDiameter->setCurrentIndex(shown);
    // A refused diameter changes nothing, so the last fixing stays on the plan.
    if (shown == item) DrawSelectionFrame();
  });
  auto onEnter = [this](TacNumberEdit* edit, bool x) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, x](int key) {
      if (!IsEnterKey(key)) return;
      const TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
      if (b.ObjType != okBell) return;
      if (edit->Value() == (x ? b.BellPosition.x() : b.BellPosition.y())) return;
      edit->SetValue(x ? SetBellPositionX(edit->Value()) : SetBellPositionY(edit->Value()));
    });
  };
  onEnter(pnlBellProp->edBPositionX, true);
  onEnter(pnlBellProp->edBPositionY, false);
}

void TfmMain::BuildBellPalette() {
  FBellDiameters = LoadBellDiameters();
  FBellWeights = LoadBellWeights();
  for (QToolButton* button : pnlBells->FBellButtons) {
    const std::int32_t tag = button->property("Tag").toInt();
    connect(button, &QToolButton::clicked, this, [this, tag] { BellButtonClick(tag); });
  }
}

void TfmMain::FillBellDiameterList() {
  const QSignalBlocker blocker(pnlBellProp->cbBellDiameter);
  pnlBellProp->cbBellDiameter->clear();
  for (int slot = 0; slot < kBellCount; ++slot) pnlBellProp->cbBellDiameter->addItem(BellButtonInfo(slot).DiameterText);
  pnlBellProp->cbBellDiameter->setCurrentIndex(0);
}
