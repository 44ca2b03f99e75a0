#pragma once

#include <QWidget>
#include <array>

#include "beams/orientations.h"

class QCheckBox;
class QToolButton;
class TPanelTitle;

// The beams panel (pnlBeems): its title, the button that arms the placement of a free beam
// (btnBeem) and one check box per compass chord (each with its chord as its "Tag"), their font
// narrowed until every caption shows whole. The window wires them to its operations.
class TBeemsPanel : public QWidget {
 public:
  explicit TBeemsPanel(QWidget* parent);

  TPanelTitle* pnlBeemTitle = nullptr;
  QToolButton* btnBeem = nullptr;
  std::array<QCheckBox*, kChordCount> FChordBoxes{};
};
