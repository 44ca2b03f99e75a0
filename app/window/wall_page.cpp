// The walls page of the inspector.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "controls/wall_page.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"
#include "walls/wall_rules.h"

void TfmMain::BuildWallPage() {
  pnlWallProp = new TWallPage;
  pnlInspPages->addWidget(pnlWallProp);

  connect(pnlWallProp->edWallName, &QLineEdit::returnPressed, this, &TfmMain::edWallNameKeyDown);
  connect(pnlWallProp->cbWallType, &QComboBox::activated, this, &TfmMain::cbWallTypeChange);
  connect(pnlWallProp->cbWallMaterials, &QComboBox::activated, this, &TfmMain::cbWallMaterialsChange);
  // A number is applied by Enter only; leaving the field applies nothing.
  auto onEnter = [this](TacNumberEdit* edit, auto apply, auto stored) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      if (edit->Value() == (FObjects[0].get()->*stored)) return;
      edit->SetValue((this->*apply)(edit->Value()));
      FCurObject = FObjects[0].get();
    });
  };
  onEnter(pnlWallProp->edDiameterOuter, &TfmMain::SetWallDiameterOuter, &TPlanObject::WallDiameterOuter);
  onEnter(pnlWallProp->edDiameterInner, &TfmMain::SetWallDiameterInner, &TPlanObject::WallDiameterInner);
  onEnter(pnlWallProp->edWallWidth, &TfmMain::SetWallWidth, &TPlanObject::WallWallWidth);
  onEnter(pnlWallProp->edWallArcWidth, &TfmMain::SetWallArcWidth, &TPlanObject::WallArcWidth);
}

void TfmMain::edWallNameKeyDown() {
  FCurObject = FObjects[0].get();
  if (pnlWallProp->edWallName->text() != FObjects[0]->ObjName) MakeUniqueName(0, pnlWallProp->edWallName->text(), false);
}

void TfmMain::ShowWallProps() {
  const TPlanObject& w = *FObjects[0];
  pnlWallProp->edWallName->setText(w.ObjName);
  {
    const QSignalBlocker b1(pnlWallProp->cbWallType), b2(pnlWallProp->cbWallMaterials);
    pnlWallProp->cbWallType->setCurrentIndex(WallTypeFromIndex(w.WallType));
    pnlWallProp->cbWallMaterials->setCurrentIndex(w.WallMaterial);
  }
  pnlWallProp->edDiameterOuter->SetValue(w.WallDiameterOuter);
  pnlWallProp->edDiameterInner->SetValue(w.WallDiameterInner);
  pnlWallProp->edWallWidth->SetValue(w.WallWallWidth);
  pnlWallProp->edWallArcWidth->SetValue(w.WallArcWidth);
  ShowInspectorPage(pnlWallProp);
}
