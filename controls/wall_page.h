#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;

// The walls' page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. The window fills them from the plan and wires
// them to its operations.
class TWallPage : public QWidget {
 public:
  TWallPage();
  void ApplyCaptions();  // the labels' texts, each label sized to its text

  QLabel* lblWallName = nullptr;
  QLineEdit* edWallName = nullptr;
  QLabel* lblWallType = nullptr;
  QComboBox* cbWallType = nullptr;
  QLabel* lblMaterial = nullptr;
  QComboBox* cbWallMaterials = nullptr;
  QLabel* lblDiameterOuter = nullptr;
  TacNumberEdit* edDiameterOuter = nullptr;
  QLabel* lblDiameterInner = nullptr;
  TacNumberEdit* edDiameterInner = nullptr;
  QLabel* lblWallWidth = nullptr;
  TacNumberEdit* edWallWidth = nullptr;
  QLabel* lblArcWidth = nullptr;
  TacNumberEdit* edWallArcWidth = nullptr;
};
