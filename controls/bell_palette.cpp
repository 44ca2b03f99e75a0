#include "controls/bell_palette.h"

#include <QIcon>
#include <QPixmap>
#include <QToolButton>

#include "bells/bell_pictures.h"
#include "controls/panel_title.h"
#include "controls/weight_labels.h"

TBellPalette::TBellPalette(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlBells"));
  setFixedHeight(99);
  pnlBellsTitle = AddTitleColumn(this, QStringLiteral("pnlBellsTitle"), QStringLiteral("btnBellsClose"));

  const QIcon series[2] = {QIcon(QPixmap::fromImage(ButtonGlyph(BellGlyphResource(1)))),
                           QIcon(QPixmap::fromImage(ButtonGlyph(BellGlyphResource(2))))};
  std::vector<TWeightLabels::TLabel> weights;
  for (int slot = 0; slot < kBellCount; ++slot) {
    const TBellButtonInfo info = BellButtonInfo(slot);
    auto* button = new QToolButton(this);
    button->setObjectName(info.Name);
    button->setAutoRaise(true);
    button->setGeometry(info.ButtonRect);
    button->setIcon(series[info.Series - 1]);
    button->setIconSize(info.Series == 1 ? QSize(20, 20) : QSize(20, 18));
    button->setToolTip(info.Hint);
    button->setProperty("Tag", info.Tag);
    FBellButtons[static_cast<size_t>(slot)] = button;
    weights.push_back({info.WeightLabelRect, info.WeightText});
  }
  QFont labelFont(QString::fromLatin1(kWeightLabelFont));
  labelFont.setPointSize(kWeightLabelPointSize);
  lblWeights = new TWeightLabels(std::move(weights), labelFont, this);
  lblWeights->stackUnder(FBellButtons[0]);  // beneath the buttons and over the title, as labels were
  lblWeights->show();
}
