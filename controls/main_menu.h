#pragma once

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar and the objects' popup menu: every menu and command under its
// specified name, as a member and as its object name, with its icon and shortcut. The window
// gives the captions and wires the commands.
class TMainMenu {
 public:
  void Build(QMainWindow* window);  // into the window's menu bar

  QMenu* nFile = nullptr;
  QAction* nNewDoc = nullptr;
  QAction* nLoadDoc = nullptr;
  QMenu* nRecent = nullptr;
  QAction* nClearRecent = nullptr;
  QAction* nSaveDoc = nullptr;
  QAction* nExportDoc = nullptr;
  QAction* nPrintDoc = nullptr;
  QAction* nExit = nullptr;

  QMenu* nEdit = nullptr;
  QAction* nUndo = nullptr;
  QAction* nRedo = nullptr;

  QMenu* nView = nullptr;
  QAction* nViewObjView = nullptr;
  QAction* nViewObjInsp = nullptr;
  QAction* nViewTools = nullptr;
  QAction* nViewBells = nullptr;
  QAction* nViewBeems = nullptr;
  QAction* nShowPanels = nullptr;
  QAction* nHidePanels = nullptr;
  QAction* nZoomIn = nullptr;
  QAction* nZoomOut = nullptr;
  QAction* nZoomFit = nullptr;

  QMenu* nService = nullptr;
  QAction* nCheck = nullptr;
  QAction* nFindings = nullptr;
  QAction* nCheckSettings = nullptr;

  QMenu* nReference = nullptr;
  QAction* nAbout = nullptr;

  QMenu* pmObjMenu = nullptr;
  QAction* nObjDel = nullptr;
  QAction* nBringToFront = nullptr;
  QAction* nSendToBack = nullptr;
  QAction* nPrevObj = nullptr;
  QAction* nNextObj = nullptr;
};
