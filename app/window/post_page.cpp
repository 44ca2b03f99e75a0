// The pedestal page of the inspector.
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>

#include "app/page_builder.h"
#include "app/tfm_main.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildPostPage() {
  pnlPostProp = new QWidget;
  pnlPostProp->setObjectName(QStringLiteral("pnlPostProp"));
  QWidget* p = pnlPostProp;
  lblPostObjName = PageLabel(p, QStringLiteral("lblPostObjName"), QString(), 8, 8);
  edPostObjName = PageNameEdit(p, QStringLiteral("edPostObjName"), 8, 24, 196);
  lblPostLength = PageLabel(p, QStringLiteral("lblPostLength"), QString(), 8, 48);
  edPostWidth = PageNumber(p, QStringLiteral("edPostWidth"), 8, 64, 196);
  lblPostWidth = PageLabel(p, QStringLiteral("lblPostWidth"), QString(), 8, 88);
  edPostHeight = PageNumber(p, QStringLiteral("edPostHeight"), 8, 104, 196);
  lblPostAngle = PageLabel(p, QStringLiteral("lblPostAngle"), QString(), 8, 128);
  edPostAngle = PageNumber(p, QStringLiteral("edPostAngle"), 8, 144, 196);
  lblPostPosition = PageLabel(p, QStringLiteral("lblPostPosition"), QString(), 8, 168);
  PageLabel(p, QStringLiteral("lblPostX"), QStringLiteral("X:"), 8, 186);
  edPostPositionX = PageNumber(p, QStringLiteral("edPostPositionX"), 24, 182, 73);
  PageLabel(p, QStringLiteral("lblPostY"), QStringLiteral("Y:"), 112, 186);
  edPostPositionY = PageNumber(p, QStringLiteral("edPostPositionY"), 128, 182, 73);
  setTabOrder(edPostObjName, edPostWidth);
  setTabOrder(edPostWidth, edPostHeight);
  setTabOrder(edPostHeight, edPostAngle);
  setTabOrder(edPostAngle, edPostPositionX);
  setTabOrder(edPostPositionX, edPostPositionY);
  pnlInspPages->addWidget(pnlPostProp);

  connect(edPostObjName, &QLineEdit::returnPressed, this, [this] {
    FCurObject = FObjects[1].get();
    if (edPostObjName->text() != FObjects[1]->ObjName) MakeUniqueName(1, edPostObjName->text(), false);
  });
  auto onEnter = [this](TacNumberEdit* edit, std::int32_t (TfmMain::*apply)(std::int32_t),
                        std::int32_t (*stored)(const TPlanObject&)) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      if (edit->Value() == stored(*FObjects[1])) return;
      edit->SetValue((this->*apply)(edit->Value()));
    });
  };
  onEnter(edPostWidth, &TfmMain::SetPostWidth, [](const TPlanObject& o) { return o.PostWidth; });
  onEnter(edPostHeight, &TfmMain::SetPostHeight, [](const TPlanObject& o) { return o.PostHeight; });
  onEnter(edPostAngle, &TfmMain::SetPostAngle, [](const TPlanObject& o) { return o.PostAngle; });
  onEnter(edPostPositionX, &TfmMain::SetPostPositionX, [](const TPlanObject& o) { return o.PostPosition.x(); });
  onEnter(edPostPositionY, &TfmMain::SetPostPositionY, [](const TPlanObject& o) { return o.PostPosition.y(); });
}

void TfmMain::ApplyPostPageCaptions() {
  lblPostObjName->setText(QStringLiteral("Имя объекта"));
  lblPostLength->setText(QStringLiteral("Длина постамента (мм)"));
  lblPostWidth->setText(QStringLiteral("Ширина постамента (мм)"));
  lblPostAngle->setText(QStringLiteral("Угол постамента (градусы)"));
  lblPostPosition->setText(QStringLiteral("Положение постамента (мм)"));
  for (QLabel* l : {lblPostObjName, lblPostLength, lblPostWidth, lblPostAngle, lblPostPosition}) l->adjustSize();
}
