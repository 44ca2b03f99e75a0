#include "controls/post_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"
#include "controls/page_wiring.h"
#include "model/plan_document.h"

namespace {
constexpr int kPost = 1;  // the pedestal's place in every plan
}

TPostPage::TPostPage(TPlanDocument& document) : FDocument(document) {
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

  TPlanDocument& d = FDocument;
  RenameOnEnter(edPostObjName, this, [&d] { return d.At(kPost).ObjName; },
                [&d](const QString& name) { d.RenameObject(kPost, name); });
  ApplyOnEnter(edPostWidth, this, [&d] { return d.At(kPost).PostWidth; }, [&d](std::int32_t v) { return d.SetPostWidth(v); });
  ApplyOnEnter(edPostHeight, this, [&d] { return d.At(kPost).PostHeight; }, [&d](std::int32_t v) { return d.SetPostHeight(v); });
  ApplyOnEnter(edPostAngle, this, [&d] { return d.At(kPost).PostAngle; }, [&d](std::int32_t v) { return d.SetPostAngle(v); });
  ApplyOnEnter(edPostPositionX, this, [&d] { return d.At(kPost).PostPosition.x(); },
               [&d](std::int32_t v) { return d.SetPostPositionX(v); });
  ApplyOnEnter(edPostPositionY, this, [&d] { return d.At(kPost).PostPosition.y(); },
               [&d](std::int32_t v) { return d.SetPostPositionY(v); });
}

void TPostPage::Show() {
  const TPlanObject& p = FDocument.At(kPost);
  const std::int32_t d = FDocument.At(0).WallDiameterOuter;
  edPostObjName->setText(p.ObjName);
  edPostWidth->SetValue(p.PostWidth);
  edPostHeight->SetValue(p.PostHeight);
  edPostAngle->SetValue(p.PostAngle);
  edPostPositionX->SetValue(qBound(0, p.PostPosition.x(), qMax(0, d)));
  edPostPositionY->SetValue(qBound(0, p.PostPosition.y(), qMax(0, d)));
}

void TPostPage::ApplyCaptions() {
  lblPostObjName->setText(QStringLiteral("Имя объекта"));
  lblPostLength->setText(QStringLiteral("Длина постамента (мм)"));
  lblPostWidth->setText(QStringLiteral("Ширина постамента (мм)"));
  lblPostAngle->setText(QStringLiteral("Угол постамента (градусы)"));
  lblPostPosition->setText(QStringLiteral("Положение постамента (мм)"));
  for (QLabel* l : {lblPostObjName, lblPostLength, lblPostWidth, lblPostAngle, lblPostPosition}) l->adjustSize();
}
