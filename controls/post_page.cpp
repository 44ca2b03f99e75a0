#include "controls/post_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"

TPostPage::TPostPage() {
  setObjectName(QStringLiteral("pnlPostProp"));
  lblPostObjName = PageLabel(this, QStringLiteral("lblPostObjName"), QString(), 8, 8);
  edPostObjName = PageNameEdit(this, QStringLiteral("edPostObjName"), 8, 24, 196);
  lblPostLength = PageLabel(this, QStringLiteral("lblPostLength"), QString(), 8, 48);
  edPostWidth = PageNumber(this, QStringLiteral("edPostWidth"), 8, 64, 196);
  lblPostWidth = PageLabel(this, QStringLiteral("lblPostWidth"), QString(), 8, 88);
  edPostHeight = PageNumber(this, QStringLiteral("edPostHeight"), 8, 104, 196);
  lblPostAngle = PageLabel(this, QStringLiteral("lblPostAngle"), QString(), 8, 128);
  edPostAngle = PageNumber(this, QStringLiteral("edPostAngle"), 8, 144, 196);
  lblPostPosition = PageLabel(this, QStringLiteral("lblPostPosition"), QString(), 8, 168);
  PageLabel(this, QStringLiteral("lblPostX"), QStringLiteral("X:"), 8, 186);
  edPostPositionX = PageNumber(this, QStringLiteral("edPostPositionX"), 24, 182, 73);
  PageLabel(this, QStringLiteral("lblPostY"), QStringLiteral("Y:"), 112, 186);
  edPostPositionY = PageNumber(this, QStringLiteral("edPostPositionY"), 128, 182, 73);
  QWidget::setTabOrder(edPostObjName, edPostWidth);
  QWidget::setTabOrder(edPostWidth, edPostHeight);
  QWidget::setTabOrder(edPostHeight, edPostAngle);
  QWidget::setTabOrder(edPostAngle, edPostPositionX);
  QWidget::setTabOrder(edPostPositionX, edPostPositionY);
  ApplyCaptions();
}

void TPostPage::ApplyCaptions() {
  lblPostObjName->setText(QStringLiteral("Имя объекта"));
  lblPostLength->setText(QStringLiteral("Длина постамента (мм)"));
  lblPostWidth->setText(QStringLiteral("Ширина постамента (мм)"));
  lblPostAngle->setText(QStringLiteral("Угол постамента (градусы)"));
  lblPostPosition->setText(QStringLiteral("Положение постамента (мм)"));
  for (QLabel* l : {lblPostObjName, lblPostLength, lblPostWidth, lblPostAngle, lblPostPosition}) l->adjustSize();
}
