#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;

// The beam's page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. The window fills them from the plan and wires
// them to its operations.
class TBeemPage : public QWidget {
 public:
  TBeemPage();
  void ApplyCaptions();  // the labels' texts, each label sized to its text

  QLabel* lblBeemObjName = nullptr;
  QLineEdit* edBeemObjName = nullptr;
  QLabel* lblBMMaterial = nullptr;
  QComboBox* cbBeemMaterials = nullptr;
  QLabel* lblBMWidth = nullptr;
  TacNumberEdit* edBeemWidth = nullptr;
  QLabel* lblBMPosition = nullptr;
  QComboBox* cbBeemOrientation = nullptr;
  QLabel* lblBMBegin = nullptr;
  TacNumberEdit* edBeemBeginX = nullptr;
  TacNumberEdit* edBeemBeginY = nullptr;
  QLabel* lblEnd = nullptr;
  TacNumberEdit* edBeemEndX = nullptr;
  TacNumberEdit* edBeemEndY = nullptr;
};
