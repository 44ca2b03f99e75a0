#include "plan/plan_panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

TPlanPanel::TPlanPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlImg"));
  setAttribute(Qt::WA_OpaquePaintEvent);  // the panel paints every pixel it is asked for
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setMouseTracking(true);
  FLayers.OnDamage = [this](const QRect& area) { update(area); };
}

void TPlanPanel::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect area = event->rect();
  p.fillRect(area, Qt::white);
  FLayers.Paint(p, area, PaintOrder);
}

void TPlanPanel::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event->button(), ToPlan(event->position().toPoint()));
}

void TPlanPanel::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(ToPlan(event->position().toPoint()));
}

void TPlanPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event->button(), ToPlan(event->position().toPoint()));
}

void TPlanPanel::wheelEvent(QWheelEvent* event) {
  if (!OnWheel) {
    QWidget::wheelEvent(event);
    return;
  }
  OnWheel(event->angleDelta(), event->modifiers(), ToPlan(event->position().toPoint()));
  event->accept();
}

void TPlanPanel::leaveEvent(QEvent* event) {
  if (OnLeave) OnLeave();
  QWidget::leaveEvent(event);
}
