// The walls page of the inspector.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "app/page_builder.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"
#include "walls/wall_rules.h"

void TfmMain::BuildWallPage() {
  pnlWallProp = new QWidget;
  pnlWallProp->setObjectName(QStringLiteral("pnlWallProp"));
  QWidget* p = pnlWallProp;
  lblWallName = PageLabel(p, QStringLiteral("lblWallName"), QString(), 8, 8);
  edWallName = PageNameEdit(p, QStringLiteral("edWallName"), 8, 24, 194);
  lblWallType = PageLabel(p, QStringLiteral("lblWallType"), QString(), 8, 48);
  cbWallType = PageList(p, QStringLiteral("cbWallType"), 8, 64, 194);
  lblMaterial = PageLabel(p, QStringLiteral("lblMaterial"), QString(), 8, 88);
  cbWallMaterials = PageList(p, QStringLiteral("cbWallMaterials"), 8, 104, 194);
  lblDiameterOuter = PageLabel(p, QStringLiteral("lblDiameterOuter"), QString(), 8, 128);
  edDiameterOuter = PageNumber(p, QStringLiteral("edDiameterOuter"), 8, 144, 194);
  lblDiameterInner = PageLabel(p, QStringLiteral("lblDiameterInner"), QString(), 8, 168);
  edDiameterInner = PageNumber(p, QStringLiteral("edDiameterInner"), 8, 184, 194);
  lblWallWidth = PageLabel(p, QStringLiteral("lblWallWidth"), QString(), 8, 208);
  edWallWidth = PageNumber(p, QStringLiteral("edWallWidth"), 8, 224, 194);
  lblArcWidth = PageLabel(p, QStringLiteral("lblArcWidth"), QString(), 8, 248);
  edWallArcWidth = PageNumber(p, QStringLiteral("edWallArcWidth"), 8, 264, 194);
  setTabOrder(edWallName, cbWallType);
  setTabOrder(cbWallType, cbWallMaterials);
  setTabOrder(cbWallMaterials, edDiameterOuter);
  setTabOrder(edDiameterOuter, edDiameterInner);
  setTabOrder(edDiameterInner, edWallWidth);
  setTabOrder(edWallWidth, edWallArcWidth);
  pnlInspPages->addWidget(pnlWallProp);

  connect(edWallName, &QLineEdit::returnPressed, this, &TfmMain::edWallNameKeyDown);
  connect(cbWallType, &QComboBox::activated, this, &TfmMain::cbWallTypeChange);
  connect(cbWallMaterials, &QComboBox::activated, this, &TfmMain::cbWallMaterialsChange);
  // A number is applied by Enter only; leaving the field applies nothing.
  auto onEnter = [this](TacNumberEdit* edit, auto apply, auto stored) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      if (edit->Value() == (FObjects[0].get()->*stored)) return;
      edit->SetValue((this->*apply)(edit->Value()));
      FCurObject = FObjects[0].get();
    });
  };
  onEnter(edDiameterOuter, &TfmMain::SetWallDiameterOuter, &TPlanObject::WallDiameterOuter);
  onEnter(edDiameterInner, &TfmMain::SetWallDiameterInner, &TPlanObject::WallDiameterInner);
  onEnter(edWallWidth, &TfmMain::SetWallWidth, &TPlanObject::WallWallWidth);
  onEnter(edWallArcWidth, &TfmMain::SetWallArcWidth, &TPlanObject::WallArcWidth);
}

void TfmMain::ApplyWallPageCaptions() {
  lblWallName->setText(QStringLiteral("Имя объекта"));
  lblWallType->setText(QStringLiteral("Тип тарвоска"));
  lblMaterial->setText(QStringLiteral("Материал стен"));
  lblDiameterOuter->setText(QStringLiteral("Внешний диаметр (мм)"));
  lblDiameterInner->setText(QStringLiteral("Внутренний диаметр (мм)"));
  lblWallWidth->setText(QStringLiteral("Толщина стен (мм)"));
  lblArcWidth->setText(QStringLiteral("Ширина арочных проемов (мм)"));
  for (QLabel* l : {lblWallName, lblWallType, lblMaterial, lblDiameterOuter, lblDiameterInner,
                    lblWallWidth, lblArcWidth})
    l->adjustSize();
}

void TfmMain::edWallNameKeyDown() {
  FCurObject = FObjects[0].get();
  if (edWallName->text() != FObjects[0]->ObjName) MakeUniqueName(0, edWallName->text(), false);
}

void TfmMain::ShowWallProps() {
  const TPlanObject& w = *FObjects[0];
  edWallName->setText(w.ObjName);
  {
    const QSignalBlocker b1(cbWallType), b2(cbWallMaterials);
    cbWallType->setCurrentIndex(WallTypeFromIndex(w.WallType));
    cbWallMaterials->setCurrentIndex(w.WallMaterial);
  }
  edDiameterOuter->SetValue(w.WallDiameterOuter);
  edDiameterInner->SetValue(w.WallDiameterInner);
  edWallWidth->SetValue(w.WallWallWidth);
  edWallArcWidth->SetValue(w.WallArcWidth);
  ShowInspectorPage(pnlWallProp);
}
