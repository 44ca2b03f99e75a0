#include "plan/plan_panel.h"

#include <QMouseEvent>

TPlanPanel::TPlanPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlImg"));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setMouseTracking(true);
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
