#include "controls/flat_button.h"

#include <QToolButton>

#include "platform/resource_icon.h"

QToolButton* FlatButton(QWidget* parent, const QString& name, const QString& icon, int x, int y) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setAutoRaise(true);
  b->setGeometry(x, y, 23, 22);
  if (!icon.isEmpty()) b->setIcon(ResourceIcon(icon));
  b->setIconSize(QSize(16, 16));
  return b;
}
