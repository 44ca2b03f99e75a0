#pragma once

#include <QObject>

#include "app/view_settings.h"

class TfmMain;

// The five tool panels of the window: shown and hidden from their title bars and the "Вид"
// menu, remembered in "view.ini", the plan fitted again to the room they leave.
class TViewPanels : public QObject {
 public:
  explicit TViewPanels(TfmMain& window) : FWindow(window) {}
  void Wire();  // the title bars' close buttons and the "Вид" menu's items
  void SetPaths(const TViewIniPaths& paths) { FViewIni = paths; }
  void ReadViewSettings();
  bool WriteViewSettings();  // false: the folder could not be written; the program goes on
  void RelayoutAfterPanels();  // the layout settled and the plan fitted to the panel again

 private:
  void DockObjViewTop();
  void DockObjViewClient();
  void LeftColumnChanged();
  void btnObjListCloseClick();
  void btnObjInspCloseClick();
  void btnToolsCloseClick();
  void btnBellsCloseClick();
  void btnBeemCloseClick();
  void nViewObjViewClick();
  void nViewObjInspClick();
  void nViewToolsClick();
  void nViewBellsClick();
  void nViewBeemsClick();
  void nShowPanelsClick();
  void nHidePanelsClick();

  TfmMain& FWindow;
  TViewIniPaths FViewIni;
};
