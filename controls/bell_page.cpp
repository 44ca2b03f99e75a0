#include "controls/bell_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"
#include "controls/page_wiring.h"
#include "model/plan_document.h"

TBellPage::TBellPage(TPlanDocument& document) : FDocument(document) {
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

  RenameOnEnter(edObjBellName, this, [this] { return Shows() ? FDocument.At(FIndex).ObjName : edObjBellName->text(); },
                [this](const QString& name) { FDocument.RenameObject(FIndex, name); });
  // A diameter another bell has is refused: the list goes back to the bell's own.
  connect(cbBellDiameter, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (item < 0 || !Shows()) return;
    const std::int32_t diameter = cbBellDiameter->itemText(item).toInt();
    if (diameter == FDocument.At(FIndex).BellDiameter) return;
    const std::int32_t stored = FDocument.SetBellDiameter(FIndex, diameter);
    const QSignalBlocker blocker(cbBellDiameter);
    cbBellDiameter->setCurrentIndex(cbBellDiameter->findText(QString::number(stored)));
  });
  for (const bool x : {true, false}) {
    TacNumberEdit* edit = x ? edBPositionX : edBPositionY;
    ApplyOnEnter(
        edit, this,
        [this, edit, x] {
          if (!Shows()) return edit->Value();  // nothing to apply
          const QPoint at = FDocument.At(FIndex).BellPosition;
          return x ? at.x() : at.y();
        },
        [this, x](std::int32_t v) { return FDocument.SetBellPosition(FIndex, x, v); });
  }
}

bool TBellPage::Shows() const { return FIndex < FDocument.Count() && FDocument.At(FIndex).ObjType == okBell; }

void TBellPage::Show(int index) {
  FIndex = index;
  const TPlanObject& b = FDocument.At(index);
  const std::int32_t d = FDocument.At(0).WallDiameterOuter;
  edObjBellName->setText(b.ObjName);
  {
    const QSignalBlocker blocker(cbBellDiameter);
    cbBellDiameter->setCurrentIndex(cbBellDiameter->findText(QString::number(b.BellDiameter)));
  }
  edBPositionX->SetValue(qMin(b.BellPosition.x(), d));
  edBPositionY->SetValue(qMin(b.BellPosition.y(), d));
}

void TBellPage::ApplyCaptions() {
  lblObjBellName->setText(QStringLiteral("Имя объекта"));
  lblBDiameter->setText(QStringLiteral("Диаметр колокола (мм)"));
  lblBPosition->setText(QStringLiteral("Положение колокола (мм)"));
  for (QLabel* l : {lblObjBellName, lblBDiameter, lblBPosition}) l->adjustSize();
}
