#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class TacNumberEdit;
class TPlanDocument;

// The pedestal's page of the inspector: the controls under their specified names, as members and
// as object names, at the places the form gives them. It shows the pedestal's record and applies
// what is typed through the document's operations.
class TPostPage : public QWidget {
 public:
  explicit TPostPage(TPlanDocument& document);
  void ApplyCaptions();  // the labels' texts, each label sized to its text
  void Show();           // the fields from the pedestal's record

  QLabel* lblPostObjName = nullptr;
  QLineEdit* edPostObjName = nullptr;
  QLabel* lblPostLength = nullptr;
  TacNumberEdit* edPostWidth = nullptr;
  QLabel* lblPostWidth = nullptr;
  TacNumberEdit* edPostHeight = nullptr;
  QLabel* lblPostAngle = nullptr;
  TacNumberEdit* edPostAngle = nullptr;
  QLabel* lblPostPosition = nullptr;
  TacNumberEdit* edPostPositionX = nullptr;
  TacNumberEdit* edPostPositionY = nullptr;

 private:
  TPlanDocument& FDocument;
};
