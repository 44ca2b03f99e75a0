#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class TacNumberEdit;
class TPlanDocument;

// The bell's page of the inspector: the controls under their specified names, as members and as
// object names, at the places the form gives them. It shows the record of the bell it is given
// and applies what is typed or chosen through the document's operations.
class TBellPage : public QWidget {
 public:
  explicit TBellPage(TPlanDocument& document);
  void ApplyCaptions();  // the labels' texts, each label sized to its text
  void Show(int index);  // the fields from the bell at `index`, which the page then edits

  QLabel* lblObjBellName = nullptr;
  QLineEdit* edObjBellName = nullptr;
  QLabel* lblBDiameter = nullptr;
  QComboBox* cbBellDiameter = nullptr;
  QLabel* lblBPosition = nullptr;
  TacNumberEdit* edBPositionX = nullptr;
  TacNumberEdit* edBPositionY = nullptr;

 private:
  bool Shows() const;  // the object shown is still there and of the page's kind
  TPlanDocument& FDocument;
  int FIndex = 0;
};
