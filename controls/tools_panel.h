#pragma once

#include <QWidget>

class QToolButton;
class TPanelTitle;

// The tools panel (pnlTools): its title and the flat buttons for a new plan, opening, saving,
// the export, fixing the arrangement, undo and redo, at the places the form gives them, and
// after them the design check ("Проверка"). The window wires them to its commands.
class TToolsPanel : public QWidget {
 public:
  explicit TToolsPanel(QWidget* parent);

  TPanelTitle* pnlToolsTitle = nullptr;
  QToolButton* btnNewDoc = nullptr;
  QToolButton* btnOpenDoc = nullptr;
  QToolButton* btnSaveDoc = nullptr;
  QToolButton* btnExport = nullptr;
  QToolButton* btnApply = nullptr;
  QToolButton* btnUndo = nullptr;
  QToolButton* btnRedo = nullptr;
  QToolButton* btnCheck = nullptr;
};
