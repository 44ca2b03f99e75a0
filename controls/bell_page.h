#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;

// The bell's page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. The window fills them from the plan and wires
// them to its operations.
class TBellPage : public QWidget {
 public:
  TBellPage();
  void ApplyCaptions();  // the labels' texts, each label sized to its text

  QLabel* lblObjBellName = nullptr;
  QLineEdit* edObjBellName = nullptr;
  QLabel* lblBDiameter = nullptr;
  QComboBox* cbBellDiameter = nullptr;
  QLabel* lblBPosition = nullptr;
  TacNumberEdit* edBPositionX = nullptr;
  TacNumberEdit* edBPositionY = nullptr;
};
