#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;
class TPlanDocument;

// The walls' page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. It shows the walls' record and applies what is
// typed or chosen through the document's operations.
class TWallPage : public QWidget {
 public:
  explicit TWallPage(TPlanDocument& document);
  void ApplyCaptions();  // the labels' texts, each label sized to its text
  void Show();           // the fields from the walls' record

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

 private:
  TPlanDocument& FDocument;
};
