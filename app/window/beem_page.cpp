// The beam page of the inspector and the beams panel with its chord boxes.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/beem_page.h"
#include "app/tfm_main.h"
#include "controls/beems_panel.h"
#include "beams/caption_stretch.h"
#include "beams/orientations.h"
#include "controls/ac_number_edit.h"
#include "platform/canvas.h"
#include "platform/resource_icon.h"


void TfmMain::BuildBeemPage() {
  pnlBeemProp = new TBeemPage(FDocument);
  pnlInspPages->addWidget(pnlBeemProp);
}


void TfmMain::BuildOrientationNamesList() {
  FOrientationNames = BuildOrientationNames();
}

void TfmMain::WireChordBoxes() {
  connect(pnlBeems->btnBeem, &QToolButton::clicked, this, &TfmMain::btnBeemClick);
  for (int k = 1; k <= kChordCount; ++k) {
    QCheckBox* box = pnlBeems->FChordBoxes[static_cast<size_t>(k - 1)];
    box->setToolTip(FOrientationNames.value(k));
    // toggled fires on user and code changes, never for a mark set to the state it has.
    connect(box, &QCheckBox::toggled, this, [this, k](bool checked) { ChordBoxClick(k, checked); });
  }
}

void TfmMain::FillOrientationList() {
  const QSignalBlocker blocker(pnlBeemProp->cbBeemOrientation);
  pnlBeemProp->cbBeemOrientation->clear();
  pnlBeemProp->cbBeemOrientation->addItems(FOrientationNames);
  pnlBeemProp->cbBeemOrientation->setCurrentIndex(0);
}
