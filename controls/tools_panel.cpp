#include "controls/tools_panel.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/flat_button.h"
#include "controls/panel_title.h"

namespace {

// A tick in a ring: the plan checked.
QIcon CheckIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 110, 0), 1.6));
  p.setBrush(QColor(235, 250, 235));
  p.drawEllipse(QRectF(1, 1, 14, 14));
  p.setPen(QPen(QColor(0, 120, 0), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  const QPointF tick[] = {{4.5, 8.2}, {7.0, 10.8}, {11.6, 5.2}};
  p.drawPolyline(tick, 3);
  return QIcon(pixmap);
}

}  // namespace

TToolsPanel::TToolsPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlTools"));
  setFixedHeight(52);
  pnlToolsTitle = new TPanelTitle(QStringLiteral("pnlToolsTitle"), QStringLiteral("btnToolsClose"), this);
  pnlToolsTitle->setGeometry(0, 0, 4000, 23);
  auto* v = new QVBoxLayout(this);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(pnlToolsTitle);
  v->addStretch(1);
  btnNewDoc = FlatButton(this, QStringLiteral("btnNewDoc"), QStringLiteral(":/icons/new"), 4, 26);
  btnOpenDoc = FlatButton(this, QStringLiteral("btnOpenDoc"), QStringLiteral(":/icons/open"), 28, 26);
  btnSaveDoc = FlatButton(this, QStringLiteral("btnSaveDoc"), QStringLiteral(":/icons/save"), 52, 26);
  btnExport = FlatButton(this, QStringLiteral("btnExport"), QStringLiteral(":/icons/save"), 76, 26);
  btnApply = FlatButton(this, QStringLiteral("btnApply"), QStringLiteral(":/icons/apply"), 116, 26);
  btnUndo = FlatButton(this, QStringLiteral("btnUndo"), QStringLiteral(":/icons/undo"), 156, 26);
  btnRedo = FlatButton(this, QStringLiteral("btnRedo"), QStringLiteral(":/icons/redo"), 180, 26);
  btnCheck = FlatButton(this, QStringLiteral("btnCheck"), QString(), 220, 26);
  btnCheck->setIcon(CheckIcon());
  btnCheck->setToolTip(QStringLiteral("Проверка (F7)"));
}
