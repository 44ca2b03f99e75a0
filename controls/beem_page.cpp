#include "controls/beem_page.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls/ac_number_edit.h"
#include "controls/page_builder.h"
#include "platform/canvas.h"
#include "beams/beem_geometry.h"
#include "beams/chord_relay.h"
#include "controls/page_wiring.h"
#include "model/edit_scope.h"
#include "walls/wall_rules.h"

TBeemPage::TBeemPage(TPlanDocument& document) : FDocument(document) {
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

  RenameOnEnter(edBeemObjName, this, [this] { return Shows() ? FDocument.At(FIndex).ObjName : edBeemObjName->text(); },
                [this](const QString& name) { FDocument.RenameObject(FIndex, name); });
  connect(cbBeemMaterials, &QComboBox::activated, this, [this](int item) {
    if (!Shows()) return;
    const int m = item + kBeemMaterialFirst;
    if (m != FDocument.At(FIndex).BeemMaterial) FDocument.SetBeemMaterial(FIndex, m);
  });
  // A chord another beam lies on is refused: the list goes back to the beam's own.
  connect(cbBeemOrientation, &QComboBox::activated, this, [this](int k) {
    const TEditScope edit(FDocument);
    FDocument.NameStep(TStepVerb::Change, FIndex);
    if (!Shows()) return;
    if (FindBeemByOrientation(FDocument.Objects(), k) == -1) {
      FDocument.LayBeemOnChord(FIndex, k);
      // The fields show the points it now has: a stale number left in one would be applied by
      // the next Enter there and throw the beam off its chord.
      ShowPoints();
    } else {
      const QSignalBlocker blocker(cbBeemOrientation);
      cbBeemOrientation->setCurrentIndex(FDocument.At(FIndex).BeemOrientation);
    }
  });
  ApplyOnEnter(edBeemWidth, this, [this] { return Shows() ? FDocument.At(FIndex).BeemWidth : edBeemWidth->Value(); },
               [this](std::int32_t v) { return FDocument.SetBeemWidth(FIndex, v); });
  TacNumberEdit* const points[] = {edBeemBeginX, edBeemBeginY, edBeemEndX, edBeemEndY};
  for (int which = 0; which < 4; ++which) {
    TacNumberEdit* edit = points[which];
    ApplyOnEnter(
        edit, this,
        [this, edit, which] {
          if (!Shows()) return edit->Value();  // nothing to apply
          const TPlanObject& b = FDocument.At(FIndex);
          const QPoint p = which < 2 ? b.BeemBeginPoint : b.BeemEndPoint;
          return which % 2 == 0 ? p.x() : p.y();
        },
        [this, which](std::int32_t v) {
          // An edited end no longer lies on the chord: the beam becomes free.
          v = FDocument.SetBeemPoint(FIndex, which, v);
          const QSignalBlocker blocker(cbBeemOrientation);
          cbBeemOrientation->setCurrentIndex(0);
          return v;
        });
  }
}

bool TBeemPage::Shows() const { return FIndex < FDocument.Count() && FDocument.At(FIndex).ObjType == okBeam; }

void TBeemPage::Show(int index) {
  FIndex = index;
  const TPlanObject& b = FDocument.At(index);
  edBeemObjName->setText(b.ObjName);
  edBeemWidth->SetValue(b.BeemWidth);
  {
    const QSignalBlocker b1(cbBeemMaterials), b2(cbBeemOrientation);
    cbBeemMaterials->setCurrentIndex(b.BeemMaterial - kBeemMaterialFirst);
    cbBeemOrientation->setCurrentIndex(b.BeemOrientation);
  }
  ShowPoints();
}

void TBeemPage::ShowPoints() {
  const TPlanObject& b = FDocument.At(FIndex);
  const int d = FDocument.At(0).WallDiameterOuter;
  edBeemBeginX->SetValue(ShownBeemCoordinate(b.BeemBeginPoint.x(), d));
  edBeemBeginY->SetValue(ShownBeemCoordinate(b.BeemBeginPoint.y(), d));
  edBeemEndX->SetValue(ShownBeemCoordinate(b.BeemEndPoint.x(), d));
  edBeemEndY->SetValue(ShownBeemCoordinate(b.BeemEndPoint.y(), d));
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
