#pragma once

#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TacNumberEdit;

// Fixed-geometry building blocks of the property pages, placed as the form layout places them.
QLabel* PageLabel(QWidget* page, const QString& name, const QString& text, int x, int y);
QLineEdit* PageNameEdit(QWidget* page, const QString& name, int x, int y, int width);
TacNumberEdit* PageNumber(QWidget* page, const QString& name, int x, int y, int width);
QComboBox* PageList(QWidget* page, const QString& name, int x, int y, int width);
