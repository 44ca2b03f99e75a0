#pragma once

#include <QDialog>
#include <QList>
#include <QPageSize>

#include "sheet/sheet_settings.h"

class QComboBox;
class QRadioButton;

// "Параметры листа": paper, orientation and scale for printing and for the PDF and SVG export.
class TSheetDialog : public QDialog {
  Q_OBJECT
 public:
  // `printerSizes` are offered after A4 and A3 when printing.
  TSheetDialog(const TSheetSettings& settings, const QList<QPageSize>& printerSizes,
               QWidget* parent = nullptr);
  TSheetSettings Settings() const;

  QComboBox* cbPaper = nullptr;
  QComboBox* cbScale = nullptr;
  QRadioButton* rbPortrait = nullptr;
  QRadioButton* rbLandscape = nullptr;

 private:
  QList<QPageSize> FPrinterSizes;
};
