#pragma once

#include <QString>

class QToolButton;
class QWidget;

// A flat 23 x 22 tool button with a 16-pixel icon at (x, y) of `parent`, as the window's tool
// rows have them.
QToolButton* FlatButton(QWidget* parent, const QString& name, const QString& icon, int x, int y);
