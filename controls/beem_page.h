#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;
class TPlanDocument;

// The beam's page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. It shows the record of the beam it is given
// and applies what is typed or chosen through the document's operations.
class TBeemPage : public QWidget {
 public:
  explicit TBeemPage(TPlanDocument& document);
  void ApplyCaptions();  // the labels' texts, each label sized to its text
  void Show(int index);  // the fields from the beam at `index`, which the page then edits
  void ShowPoints();     // the ends' fields alone

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

 private:
  bool Shows() const;  // the object shown is still there and of the page's kind
  TPlanDocument& FDocument;
  int FIndex = 0;
};
