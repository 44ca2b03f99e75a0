#include "controls/panel_title.h"

#include <QVBoxLayout>

#include <QLabel>
#include <QToolButton>

#include "platform/canvas.h"
#include "platform/resource_icon.h"

TPanelTitle::TPanelTitle(const QString& objectName, const QString& buttonName, QWidget* parent)
    : QWidget(parent) {
  setObjectName(objectName);
  setFixedHeight(23);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0x0A, 0x24, 0x6A));  // the classic active caption blue
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
  FCaption = new QLabel(this);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  font.setBold(true);
  FCaption->setFont(font);
  FCaption->setPalette(pal);
  FCaption->setGeometry(4, 0, 180, 23);
  FClose = new QToolButton(this);
  FClose->setObjectName(buttonName);
  FClose->setAutoRaise(true);
  FClose->setIcon(ResourceIcon(QStringLiteral(":/icons/close")));
  FClose->setIconSize(QSize(16, 16));
  FClose->setFixedSize(19, 19);
  QPalette bp = FClose->palette();
  bp.setColor(QPalette::Button, QColor(0xD4, 0xD0, 0xC8));
  FClose->setPalette(bp);
  FClose->setAutoFillBackground(true);
}

void TPanelTitle::SetCaption(const QString& text) { FCaption->setText(text); }
QString TPanelTitle::Caption() const { return FCaption->text(); }

void TPanelTitle::resizeEvent(QResizeEvent*) {
  FCaption->setGeometry(4, 0, qMax(0, width() - 28), 23);
  FClose->move(width() - 19 - 2, 2);
}

TPanelTitle* AddTitleColumn(QWidget* panel, const QString& objectName, const QString& buttonName) {
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  auto* title = new TPanelTitle(objectName, buttonName, panel);
  v->addWidget(title);
  v->addStretch(1);
  return title;
}
