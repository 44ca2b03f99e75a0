#include "controls/weight_labels.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>

namespace {

QRect Around(const std::vector<TWeightLabels::TLabel>& labels) {
  QRect all;
  for (const TWeightLabels::TLabel& label : labels) all |= label.Rect;
  return all;
}

}  // namespace

TWeightLabels::TWeightLabels(std::vector<TLabel> labels, const QFont& font, QWidget* parent)
    : QWidget(parent), FLabels(std::move(labels)) {
  setObjectName(QStringLiteral("lblWeights"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFont(font);
  setGeometry(Around(FLabels));
}

void TWeightLabels::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  // A label's own flags for plain text read left to right.
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs | Qt::TextForceLeftToRight;
  for (const TLabel& label : FLabels) {
    const QRect r = label.Rect.translated(-pos());
    if (!event->rect().intersects(r)) continue;
    p.setClipRect(r);  // a label's widget ends at its rectangle
    style()->drawItemText(&p, r, flags, palette(), isEnabled(), label.Text, QPalette::WindowText);
  }
}
