#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class TacNumberEdit;

// The pedestal's page of the inspector: the controls under their specified names, as members and
// as object names, at the places the form gives them. The window fills them from the plan and
// wires them to its operations.
class TPostPage : public QWidget {
 public:
  TPostPage();
  void ApplyCaptions();  // the labels' texts, each label sized to its text

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
};
