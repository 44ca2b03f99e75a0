#include "controls/wall_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"
#include "controls/page_wiring.h"
#include "model/edit_scope.h"
#include "walls/wall_rules.h"

TWallPage::TWallPage(TPlanDocument& document) : FDocument(document) {
  setObjectName(QStringLiteral("pnlWallProp"));
  lblWallName = PageLabel(this, QStringLiteral("lblWallName"), QString(), 8, 8);
  edWallName = PageNameEdit(this, QStringLiteral("edWallName"), 8, 24, 194);
  lblWallType = PageLabel(this, QStringLiteral("lblWallType"), QString(), 8, 48);
  cbWallType = PageList(this, QStringLiteral("cbWallType"), 8, 64, 194);
  lblMaterial = PageLabel(this, QStringLiteral("lblMaterial"), QString(), 8, 88);
  cbWallMaterials = PageList(this, QStringLiteral("cbWallMaterials"), 8, 104, 194);
  lblDiameterOuter = PageLabel(this, QStringLiteral("lblDiameterOuter"), QString(), 8, 128);
  edDiameterOuter = PageNumber(this, QStringLiteral("edDiameterOuter"), 8, 144, 194);
  lblDiameterInner = PageLabel(this, QStringLiteral("lblDiameterInner"), QString(), 8, 168);
  edDiameterInner = PageNumber(this, QStringLiteral("edDiameterInner"), 8, 184, 194);
  lblWallWidth = PageLabel(this, QStringLiteral("lblWallWidth"), QString(), 8, 208);
  edWallWidth = PageNumber(this, QStringLiteral("edWallWidth"), 8, 224, 194);
  lblArcWidth = PageLabel(this, QStringLiteral("lblArcWidth"), QString(), 8, 248);
  edWallArcWidth = PageNumber(this, QStringLiteral("edWallArcWidth"), 8, 264, 194);
  QWidget::setTabOrder(edWallName, cbWallType);
  QWidget::setTabOrder(cbWallType, cbWallMaterials);
  QWidget::setTabOrder(cbWallMaterials, edDiameterOuter);
  QWidget::setTabOrder(edDiameterOuter, edDiameterInner);
  QWidget::setTabOrder(edDiameterInner, edWallWidth);
  QWidget::setTabOrder(edWallWidth, edWallArcWidth);
  ApplyCaptions();

  TPlanDocument& d = FDocument;
  RenameOnEnter(edWallName, this, [&d] { return d.At(0).ObjName; }, [&d](const QString& name) { d.RenameObject(0, name); });
  // Another type lays the chord beams on its sides and may narrow the arches: one step.
  connect(cbWallType, &QComboBox::activated, this, [this](int item) {
    const TEditScope edit(FDocument);
    FDocument.NameStep(TStepVerb::Change, 0);
    if (item == WallTypeFromIndex(FDocument.At(0).WallType)) return;
    FDocument.SetWallType(item);
    edWallArcWidth->SetValue(FDocument.SetWallArcWidth(FDocument.At(0).WallArcWidth));
  });
  connect(cbWallMaterials, &QComboBox::activated, this, [this](int item) {
    if (item != FDocument.At(0).WallMaterial) FDocument.SetWallMaterial(item);
  });
  ApplyOnEnter(edDiameterOuter, this, [&d] { return d.At(0).WallDiameterOuter; },
               [&d](std::int32_t v) { return d.SetWallDiameterOuter(v); });
  ApplyOnEnter(edDiameterInner, this, [&d] { return d.At(0).WallDiameterInner; },
               [&d](std::int32_t v) { return d.SetWallDiameterInner(v); });
  ApplyOnEnter(edWallWidth, this, [&d] { return d.At(0).WallWallWidth; }, [&d](std::int32_t v) { return d.SetWallWidth(v); });
  ApplyOnEnter(edWallArcWidth, this, [&d] { return d.At(0).WallArcWidth; },
               [&d](std::int32_t v) { return d.SetWallArcWidth(v); });
}

void TWallPage::Show() {
  const TPlanObject& w = FDocument.At(0);
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
}

void TWallPage::ApplyCaptions() {
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
