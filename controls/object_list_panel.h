#pragma once

#include <QWidget>

class QListWidget;
class QToolButton;
class TPanelTitle;

// Height of an entry of the object list, in pixels.
inline constexpr int kObjectListRowHeight = 13;

// The object list panel (pnlObjView): its title, the row of tool buttons over the list (delete,
// to the front, to the back, previous, next) and the list of the plan's objects with their check
// marks (clbObjects), every entry one fixed height. The window fills the list and wires it;
// `filter` sees the list's and its viewport's events (the presses that select or toggle).
class TObjectListPanel : public QWidget {
 public:
  TObjectListPanel(QWidget* parent, QObject* filter);

  TPanelTitle* pnlObjViewTitle = nullptr;
  QToolButton* btnObjDel = nullptr;
  QToolButton* btnBringToFront = nullptr;
  QToolButton* btnSendToBack = nullptr;
  QToolButton* btnPrevObj = nullptr;
  QToolButton* btnNextObj = nullptr;
  QListWidget* clbObjects = nullptr;
};
