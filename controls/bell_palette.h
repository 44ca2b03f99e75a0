#pragma once

#include <QWidget>
#include <array>

#include "bells/bell_catalogue.h"

class QToolButton;
class TPanelTitle;
class TWeightLabels;

// The bell palette (pnlBells): its title, one flat button per catalogue bell (btnBell1 ...
// btnBell42, each with the bell's diameter as its "Tag") at the places the form gives them, and
// the bells' weights above them. The window wires the buttons to the placement of a bell.
class TBellPalette : public QWidget {
 public:
  explicit TBellPalette(QWidget* parent);

  TPanelTitle* pnlBellsTitle = nullptr;
  std::array<QToolButton*, kBellCount> FBellButtons{};
  TWeightLabels* lblWeights = nullptr;
};
