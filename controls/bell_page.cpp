#include "controls/bell_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"

TBellPage::TBellPage() {
  setObjectName(QStringLiteral("pnlBellProp"));
  lblObjBellName = PageLabel(this, QStringLiteral("lblObjBellName"), QString(), 8, 8);
  edObjBellName = PageNameEdit(this, QStringLiteral("edObjBellName"), 8, 24, 196);
  lblBDiameter = PageLabel(this, QStringLiteral("lblBDiameter"), QString(), 8, 48);
  cbBellDiameter = PageList(this, QStringLiteral("cbBellDiameter"), 8, 64, 196);
  lblBPosition = PageLabel(this, QStringLiteral("lblBPosition"), QString(), 8, 88);
  PageLabel(this, QStringLiteral("lblBX"), QStringLiteral("X:"), 8, 108);
  edBPositionX = PageNumber(this, QStringLiteral("edBPositionX"), 24, 104, 73);
  PageLabel(this, QStringLiteral("lblBY"), QStringLiteral("Y:"), 112, 108);
  edBPositionY = PageNumber(this, QStringLiteral("edBPositionY"), 128, 104, 73);
  QWidget::setTabOrder(edObjBellName, cbBellDiameter);
  QWidget::setTabOrder(cbBellDiameter, edBPositionX);
  QWidget::setTabOrder(edBPositionX, edBPositionY);
  ApplyCaptions();
}

void TBellPage::ApplyCaptions() {
  lblObjBellName->setText(QStringLiteral("Имя объекта"));
  lblBDiameter->setText(QStringLiteral("Диаметр колокола (мм)"));
  lblBPosition->setText(QStringLiteral("Положение колокола (мм)"));
  for (QLabel* l : {lblObjBellName, lblBDiameter, lblBPosition}) l->adjustSize();
}
