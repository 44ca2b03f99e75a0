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
#include "beams/caption_stretch.h"
#include "beams/orientations.h"
#include "controls/ac_number_edit.h"
#include "platform/canvas.h"
#include "platform/resource_icon.h"


void TfmMain::BuildBeemPage() {
  pnlBeemProp = new TBeemPage;
  pnlInspPages->addWidget(pnlBeemProp);

  connect(pnlBeemProp->edBeemObjName, &QLineEdit::returnPressed, this, [this] {
    if (pnlBeemProp->edBeemObjName->text() != FObjects[static_cast<size_t>(FCurIndex)]->ObjName)
      MakeUniqueName(FCurIndex, pnlBeemProp->edBeemObjName->text(), false);
  });
  connect(pnlBeemProp->cbBeemMaterials, &QComboBox::activated, this, &TfmMain::cbBeemMaterialsChange);
  connect(pnlBeemProp->cbBeemOrientation, &QComboBox::activated, this, &TfmMain::cbBeemOrientationChange);
  auto onEnter = [this](TacNumberEdit* edit, std::int32_t (TfmMain::*apply)(std::int32_t),
                        std::int32_t (*stored)(const TPlanObject&)) {
    connect(edit, &TacNumberEdit::OnKeyDown, this, [this, edit, apply, stored](int key) {
      if (!IsEnterKey(key)) return;
      const TPlanObject& b = *FObjects[static_cast<size_t>(FCurIndex)];
      if (b.ObjType != okBeam || edit->Value() == stored(b)) return;
      edit->SetValue((this->*apply)(edit->Value()));
    });
  };
  onEnter(pnlBeemProp->edBeemWidth, &TfmMain::SetBeemWidth, [](const TPlanObject& o) { return o.BeemWidth; });
  onEnter(pnlBeemProp->edBeemBeginX, &TfmMain::SetBeemBeginX, [](const TPlanObject& o) { return o.BeemBeginPoint.x(); });
  onEnter(pnlBeemProp->edBeemBeginY, &TfmMain::SetBeemBeginY, [](const TPlanObject& o) { return o.BeemBeginPoint.y(); });
  onEnter(pnlBeemProp->edBeemEndX, &TfmMain::SetBeemEndX, [](const TPlanObject& o) { return o.BeemEndPoint.x(); });
  onEnter(pnlBeemProp->edBeemEndY, &TfmMain::SetBeemEndY, [](const TPlanObject& o) { return o.BeemEndPoint.y(); });
}

void TfmMain::BuildBeemsPanelContents() {
  btnBeem = new QToolButton(pnlBeems);
  btnBeem->setObjectName(QStringLiteral("btnBeem"));
  btnBeem->setAutoRaise(true);
  btnBeem->setGeometry(kBeemButtonBounds);
  btnBeem->setIcon(ResourceIcon(QStringLiteral(":/icons/beem")));
  btnBeem->setIconSize(QSize(60, 10));
  btnBeem->setToolTip(BeemButtonHint());
  connect(btnBeem, &QToolButton::clicked, this, &TfmMain::btnBeemClick);
  QFont font = MakePixelFont(QStringLiteral("MS Serif"), kChordBoxFontPixelHeight);
  for (const TChordBoxInfo& info : ChordBoxes()) {
    auto* box = new QCheckBox(info.Caption, pnlBeems);
    box->setObjectName(info.Name);
    box->setProperty("Tag", info.Tag);
    box->setGeometry(info.Bounds);
    FChordBoxes[static_cast<size_t>(info.Tag - 1)] = box;
  }
  // Where the face is missing, the stand-in is wider and the longest captions would lose their
  // last letters: it is narrowed until every caption shows whole in its box. A box is as wide
  // as its caption plus what the style adds around the mark, so the tries measure captions in
  // the font alone: setting each try's font on the 24 boxes and asking them cost more than the
  // fonts' lookups.
  QStyleOptionButton option;
  option.initFrom(FChordBoxes[0]);
  const auto widestAt = [&](int stretch) {
    QFont tried = font;
    if (stretch != 0) tried.setStretch(stretch);
    const QFontMetrics metrics(tried);
    int widest = 0;
    for (QCheckBox* box : FChordBoxes) {
      // As a check box measures its caption for its size hint.
      option.text = box->text();
      const QSize text = style()->itemTextRect(metrics, QRect(), Qt::TextShowMnemonic, false, option.text).size();
      widest = qMax(widest, style()->sizeFromContents(QStyle::CT_CheckBox, &option, text, box).width());
    }
    return widest;
  };
  const int mark = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                   style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
  const int stretch = CaptionStretch(kChordBoxWidth, mark, widestAt);
  if (stretch != 0) font.setStretch(stretch);
  for (QCheckBox* box : FChordBoxes) box->setFont(font);
}

void TfmMain::BuildOrientationNamesList() {
  FOrientationNames = BuildOrientationNames();
}

void TfmMain::WireChordBoxes() {
  for (int k = 1; k <= kChordCount; ++k) {
    QCheckBox* box = FChordBoxes[static_cast<size_t>(k - 1)];
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
