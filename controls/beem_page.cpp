#include "controls/beem_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"
#include "platform/canvas.h"

TBeemPage::TBeemPage() {
  setObjectName(QStringLiteral("pnlBeemProp"));
  lblBeemObjName = PageLabel(this, QStringLiteral("lblBeemObjName"), QString(), 8, 8);
  edBeemObjName = PageNameEdit(this, QStringLiteral("edBeemObjName"), 8, 24, 196);
  lblBMMaterial = PageLabel(this, QStringLiteral("lblBMMaterial"), QString(), 8, 48);
  cbBeemMaterials = PageList(this, QStringLiteral("cbBeemMaterials"), 8, 64, 196);
  lblBMWidth = PageLabel(this, QStringLiteral("lblBMWidth"), QString(), 8, 88);
  edBeemWidth = PageNumber(this, QStringLiteral("edBeemWidth"), 8, 104, 196);
  lblBMPosition = PageLabel(this, QStringLiteral("lblBMPosition"), QString(), 8, 128);
  cbBeemOrientation = PageList(this, QStringLiteral("cbBeemOrientation"), 8, 145, 196);
  cbBeemOrientation->setFont(MakePixelFont(QStringLiteral("MS Sans Serif"), 11));
  lblBMBegin = PageLabel(this, QStringLiteral("lblBMBegin"), QString(), 8, 168);
  PageLabel(this, QStringLiteral("lblBMBeginX"), QStringLiteral("X:"), 8, 186);
  edBeemBeginX = PageNumber(this, QStringLiteral("edBeemBeginX"), 24, 182, 73);
  PageLabel(this, QStringLiteral("lblBMBeginY"), QStringLiteral("Y:"), 112, 186);
  edBeemBeginY = PageNumber(this, QStringLiteral("edBeemBeginY"), 128, 182, 73);
  lblEnd = PageLabel(this, QStringLiteral("lblEnd"), QString(), 8, 204);
  PageLabel(this, QStringLiteral("lblBMEndX"), QStringLiteral("X:"), 8, 220);
  edBeemEndX = PageNumber(this, QStringLiteral("edBeemEndX"), 24, 218, 73);
  PageLabel(this, QStringLiteral("lblBMEndY"), QStringLiteral("Y:"), 112, 220);
  edBeemEndY = PageNumber(this, QStringLiteral("edBeemEndY"), 128, 218, 73);
  QWidget::setTabOrder(edBeemObjName, edBeemWidth);
  QWidget::setTabOrder(edBeemWidth, cbBeemMaterials);
  QWidget::setTabOrder(cbBeemMaterials, cbBeemOrientation);
  QWidget::setTabOrder(cbBeemOrientation, edBeemBeginX);
  QWidget::setTabOrder(edBeemBeginX, edBeemBeginY);
  QWidget::setTabOrder(edBeemBeginY, edBeemEndY);
  QWidget::setTabOrder(edBeemEndY, edBeemEndX);
  ApplyCaptions();
}

void TBeemPage::ApplyCaptions() {
  lblBeemObjName->setText(QStringLiteral("Имя объекта"));
  lblBMMaterial->setText(QStringLiteral("Материал балки"));
  lblBMWidth->setText(QStringLiteral("Ширина балки (мм)"));
  lblBMPosition->setText(QStringLiteral("Положение балки (мм)"));
  lblBMBegin->setText(QStringLiteral("Начало (мм)"));
  lblEnd->setText(QStringLiteral("Конец (мм)"));
  for (QLabel* l : {lblBeemObjName, lblBMMaterial, lblBMWidth, lblBMPosition, lblBMBegin, lblEnd}) l->adjustSize();
}
