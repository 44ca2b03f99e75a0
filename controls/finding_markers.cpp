#include "controls/finding_markers.h"

#include <algorithm>

#include <QEvent>
#include <QPainter>
#include <QPaintEvent>

namespace {

QRect MarkerRect(QPoint at) {
  const int r = TFindingMarkers::kRadius + 3;
  return QRect(at.x() - r, at.y() - r, 2 * r + 1, 2 * r + 1);
}

}  // namespace

TFindingMarkers::TFindingMarkers(QWidget* panel) : QWidget(panel) {
  setObjectName(QStringLiteral("FindingMarkers"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(panel->rect());
  panel->installEventFilter(this);  // follows the panel's size
}

bool TFindingMarkers::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) setGeometry(parentWidget()->rect());
  return QWidget::eventFilter(watched, event);
}

void TFindingMarkers::SetMarkers(std::vector<QPoint> places, int chosen) {
  if (places == FPlaces && chosen == FChosen) return;
  // Only the rings that move, come or go are painted again, so the plan under the rest is not
  // composed anew.
  const std::size_t n = std::max(FPlaces.size(), places.size());
  for (std::size_t i = 0; i < n; ++i) {
    const bool before = i < FPlaces.size(), after = i < places.size();
    if (before && after && FPlaces[i] == places[i] && (static_cast<int>(i) == chosen) == (static_cast<int>(i) == FChosen))
      continue;
    if (before) update(MarkerRect(FPlaces[i]));
    if (after) update(MarkerRect(places[i]));
  }
  FPlaces = std::move(places);
  FChosen = chosen;
}

namespace {

// One ring drawn once, then copied to every place: a crowded plan has hundreds of findings,
// and stroking each ring anew at every step of a drag cost more than the step itself.
const QImage& MarkerSprite(bool chosen) {
  static const auto paint = [](bool heavy) {
    const QRect r = MarkerRect(QPoint(0, 0));
    QImage sprite(r.size(), QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-r.topLeft());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 200), heavy ? 6 : 4));
    p.drawEllipse(QPoint(0, 0), TFindingMarkers::kRadius, TFindingMarkers::kRadius);
    p.setPen(QPen(QColor(220, 0, 0), heavy ? 3 : 2));
    p.drawEllipse(QPoint(0, 0), TFindingMarkers::kRadius, TFindingMarkers::kRadius);
    p.drawLine(QPoint(-3, 0), QPoint(3, 0));
    p.drawLine(QPoint(0, -3), QPoint(0, 3));
    return sprite;
  };
  static const QImage normal = paint(false), heavy = paint(true);
  return chosen ? heavy : normal;
}

}  // namespace

void TFindingMarkers::paintEvent(QPaintEvent* event) {
  if (FPlaces.empty()) return;
  QPainter p(this);
  const QRect area = event->rect();
  for (std::size_t i = 0; i < FPlaces.size(); ++i) {
    const QRect r = MarkerRect(FPlaces[i]);
    if (r.intersects(area)) p.drawImage(r.topLeft(), MarkerSprite(static_cast<int>(i) == FChosen));
  }
}
