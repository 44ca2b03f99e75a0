// The bell page of the inspector and the bell palette.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>
#include <QToolButton>

#include "app/page_builder.h"
#include "app/tfm_main.h"
#include "bells/bell_catalogue.h"
#include "bells/bell_pictures.h"
#include "controls/weight_labels.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildBellPage() {
  pnlBellProp = new QWidget;
  pnlBellProp->setObjectName(QStringLiteral("pnlBellProp"));
  QWidget* p = pnlBellProp;
  lblObjBellName = PageLabel(p, QStringLiteral("lblObjBellName"), QString(), 8, 8);
  edObjBellName = PageNameEdit(p, QStringLiteral("edObjBellName"), 8, 24, 196);
  lblBDiameter = PageLabel(p, QStringLiteral("lblBDiameter"), QString(), 8, 48);
  cbBellDiameter = PageList(p, QStringLiteral("cbBellDiameter"), 8, 64, 196);
  lblBPosition = PageLabel(p, QStringLiteral("lblBPosition"), QString(), 8, 88);
  PageLabel(p, QStringLiteral("lblBX"), QStringLiteral("X:"), 8, 108);
  edBPositionX = PageNumber(p, QStringLiteral("edBPositionX"), 24, 104, 73);
  PageLabel(p, QStringLiteral("lblBY"), QStringLiteral("Y:"), 112, 108);
  edBPositionY = PageNumber(p, QStringLiteral("edBPositionY"), 128, 104, 73);
  setTabOrder(edObjBellName, cbBellDiameter);
  setTabOrder(cbBellDiameter, edBPositionX);
  setTabOrder(edBPositionX, edBPositionY);
  pnlInspPages->addWidget(pnlBellProp);

  connect(edObjBellName, &QLineEdit::returnPressed, this, [this] {
    if (edObjBellName->text() != FObjects[static_cast<size_t>(FCurIndex)]->ObjName)
      MakeUniqueName(FCurIndex, edObjBellName->text(), false);
  });
  connect(cbBellDiameter, &QComboBox::currentIndexChanged, this, [this](int item) {
    if (item < 0 || FObjects[static_cast<size_t>(FCurIndex)]->ObjType != okBell) return;
    if (cbBellDiameter->itemText(item).toInt() == FObjects[static_cast<size_t>(FCurIndex)]->BellDiameter) return;
    const int shown = ChangeBellDiameter(item);
    const QSignalBlocker blocker(cbBellDiameter);
    cbBellDiameter->setCurrentIndex(shown);
    // A refused diameter changes nothing, so the last fixing stays on the plan.
    if (shown == item) DrawSelectionFrame();
  });
  auto onEnter = [this](TacNumberEdit* edit, bool x) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, x](int key) {
      if (!IsEnterKey(key)) return;
      const TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
      if (b.ObjType != okBell) return;
      if (edit->Value() == (x ? b.BellPosition.x() : b.BellPosition.y())) return;
      edit->SetValue(x ? SetBellPositionX(edit->Value()) : SetBellPositionY(edit->Value()));
    });
  };
  onEnter(edBPositionX, true);
  onEnter(edBPositionY, false);
}

void TfmMain::ApplyBellPageCaptions() {
  lblObjBellName->setText(QStringLiteral("Имя объекта"));
  lblBDiameter->setText(QStringLiteral("Диаметр колокола (мм)"));
  lblBPosition->setText(QStringLiteral("Положение колокола (мм)"));
  for (QLabel* l : {lblObjBellName, lblBDiameter, lblBPosition}) l->adjustSize();
}

void TfmMain::BuildBellPalette() {
  FBellDiameters = LoadBellDiameters();
  FBellWeights = LoadBellWeights();
  const QIcon series[2] = {QIcon(QPixmap::fromImage(ButtonGlyph(BellGlyphResource(1)))),
                           QIcon(QPixmap::fromImage(ButtonGlyph(BellGlyphResource(2))))};
  std::vector<TWeightLabels::TLabel> weights;
  for (int slot = 0; slot < kBellCount; ++slot) {
    const TBellButtonInfo info = BellButtonInfo(slot);
    auto* button = new QToolButton(pnlBells);
    button->setObjectName(info.Name);
    button->setAutoRaise(true);
    button->setGeometry(info.ButtonRect);
    button->setIcon(series[info.Series - 1]);
    button->setIconSize(info.Series == 1 ? QSize(20, 20) : QSize(20, 18));
    button->setToolTip(info.Hint);
    button->setProperty("Tag", info.Tag);
    connect(button, &QToolButton::clicked, this, [this, tag = info.Tag] { BellButtonClick(tag); });
    FBellButtons[static_cast<size_t>(slot)] = button;
    weights.push_back({info.WeightLabelRect, info.WeightText});
  }
  QFont labelFont(QString::fromLatin1(kWeightLabelFont));
  labelFont.setPointSize(kWeightLabelPointSize);
  lblWeights = new TWeightLabels(std::move(weights), labelFont, pnlBells);
  lblWeights->stackUnder(FBellButtons[0]);  // beneath the buttons and over the title, as labels were
  lblWeights->show();
}

void TfmMain::FillBellDiameterList() {
  const QSignalBlocker blocker(cbBellDiameter);
  cbBellDiameter->clear();
  for (int slot = 0; slot < kBellCount; ++slot) cbBellDiameter->addItem(BellButtonInfo(slot).DiameterText);
  cbBellDiameter->setCurrentIndex(0);
}
