#include "controls/beems_panel.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include "beams/caption_stretch.h"
#include "controls/panel_title.h"
#include "platform/canvas.h"
#include "platform/resource_icon.h"

TBeemsPanel::TBeemsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlBeems"));
  setFixedWidth(70);
  pnlBeemTitle = AddTitleColumn(this, QStringLiteral("pnlBeemTitle"), QStringLiteral("btnBeemClose"));

  btnBeem = new QToolButton(this);
  btnBeem->setObjectName(QStringLiteral("btnBeem"));
  btnBeem->setAutoRaise(true);
  btnBeem->setGeometry(kBeemButtonBounds);
  btnBeem->setIcon(ResourceIcon(QStringLiteral(":/icons/beem")));
  btnBeem->setIconSize(QSize(60, 10));
  btnBeem->setToolTip(BeemButtonHint());
  QFont font = MakePixelFont(QStringLiteral("MS Serif"), kChordBoxFontPixelHeight);
  for (const TChordBoxInfo& info : ChordBoxes()) {
    auto* box = new QCheckBox(info.Caption, this);
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
