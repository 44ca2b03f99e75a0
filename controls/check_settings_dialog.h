#pragma once

#include <QDialog>

#include "checks/design_checks.h"

class QSpinBox;

// "Параметры проверки": the two clearances the design checks keep, in millimetres.
class TCheckSettingsDialog : public QDialog {
 public:
  TCheckSettingsDialog(const TCheckSettings& settings, QWidget* parent);
  TCheckSettings Settings() const;

  QSpinBox* edBellClearance = nullptr;
  QSpinBox* edWallClearance = nullptr;
};
