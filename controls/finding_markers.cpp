#include "controls/finding_markers.h"

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
  // Only the rings that go and come are painted again, so the plan under the rest is not
  // composed anew.
  QRegion damage;
  for (const QPoint& p : FPlaces) damage += MarkerRect(p);
  FPlaces = std::move(places);
  FChosen = chosen;
  for (const QPoint& p : FPlaces) damage += MarkerRect(p);
  update(damage);
}

void TFindingMarkers::paintEvent(QPaintEvent* event) {
  if (FPlaces.empty()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  for (std::size_t i = 0; i < FPlaces.size(); ++i) {
    const QPoint at = FPlaces[i];
    if (!event->rect().intersects(MarkerRect(at))) continue;
    const bool chosen = static_cast<int>(i) == FChosen;
    p.setPen(QPen(QColor(255, 255, 255, 200), chosen ? 6 : 4));
    p.drawEllipse(at, kRadius, kRadius);
    p.setPen(QPen(QColor(220, 0, 0), chosen ? 3 : 2));
    p.drawEllipse(at, kRadius, kRadius);
    p.drawLine(at + QPoint(-3, 0), at + QPoint(3, 0));
    p.drawLine(at + QPoint(0, -3), at + QPoint(0, 3));
  }
}
