// The bell page of the inspector and the bell palette.
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QLineEdit>
#include <QToolButton>

#include "controls/bell_page.h"
#include "app/tfm_main.h"
#include "bells/bell_catalogue.h"
#include "bells/bell_pictures.h"
#include "controls/bell_palette.h"
#include "controls/ac_number_edit.h"

void TfmMain::BuildBellPage() {
  pnlBellProp = new TBellPage(FDocument);
  pnlInspPages->addWidget(pnlBellProp);
}

void TfmMain::BuildBellPalette() {
  FBellDiameters = LoadBellDiameters();
  FBellWeights = LoadBellWeights();
  for (QToolButton* button : pnlBells->FBellButtons) {
    const std::int32_t tag = button->property("Tag").toInt();
    connect(button, &QToolButton::clicked, this, [this, tag] { BellButtonClick(tag); });
  }
}

void TfmMain::FillBellDiameterList() {
  const QSignalBlocker blocker(pnlBellProp->cbBellDiameter);
  pnlBellProp->cbBellDiameter->clear();
  for (int slot = 0; slot < kBellCount; ++slot) pnlBellProp->cbBellDiameter->addItem(BellButtonInfo(slot).DiameterText);
  pnlBellProp->cbBellDiameter->setCurrentIndex(0);
}
