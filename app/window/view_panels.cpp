// The five tool panels: shown and hidden from their title bars and the "Вид" menu, and
// remembered in "view.ini". Every change of the drawing panel's size re-scales the plan.
#include <QAction>
#include <QFileInfo>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/panel_title.h"
#include "controls/tools_panel.h"
#include "controls/object_list_panel.h"
#include "controls/beems_panel.h"
#include "controls/bell_palette.h"
#include "app/tfm_main.h"
#include "app/window/view_panels.h"
#include "app/view_settings.h"

void TViewPanels::DockObjViewTop() {
  FWindow.pnlObjView->setFixedHeight(200);
  FWindow.FLeftLayout->setStretchFactor(FWindow.pnlObjView, 0);
}

void TViewPanels::DockObjViewClient() {
  FWindow.pnlObjView->setMinimumHeight(0);
  FWindow.pnlObjView->setMaximumHeight(QWIDGETSIZE_MAX);
  FWindow.FLeftLayout->setStretchFactor(FWindow.pnlObjView, 1);
}

void TViewPanels::RelayoutAfterPanels() {
  FWindow.SettleLayout();
  FWindow.RelayoutPlan();
}

void TViewPanels::ReadViewSettings() {
  if (!QFileInfo::exists(FViewIni.Read)) WriteViewSettings();
  const TViewSettings s = ReadViewIni(FViewIni.Read);
  FWindow.pnlObjView->setVisible(s.ObjView);
  FWindow.Menu.nViewObjView->setChecked(!FWindow.pnlObjView->isHidden());
  FWindow.pnlObjInsp->setVisible(s.ObjInsp);
  FWindow.Menu.nViewObjInsp->setChecked(!FWindow.pnlObjInsp->isHidden());
  FWindow.pnlTools->setVisible(s.Tools);
  FWindow.Menu.nViewTools->setChecked(!FWindow.pnlTools->isHidden());
  FWindow.pnlBells->setVisible(s.Bells);
  FWindow.Menu.nViewBells->setChecked(!FWindow.pnlBells->isHidden());
  FWindow.pnlBeems->setVisible(s.Beems);
  FWindow.Menu.nViewBeems->setChecked(!FWindow.pnlBeems->isHidden());
  if (FWindow.pnlObjView->isHidden() && FWindow.pnlObjInsp->isHidden()) FWindow.pnlLeft->hide();
  if (!FWindow.pnlObjView->isHidden() && FWindow.pnlObjInsp->isHidden()) DockObjViewClient();
}

bool TViewPanels::WriteViewSettings() {
  TViewSettings s;
  s.ObjView = !FWindow.pnlObjView->isHidden();
  s.ObjInsp = !FWindow.pnlObjInsp->isHidden();
  s.Tools = !FWindow.pnlTools->isHidden();
  s.Bells = !FWindow.pnlBells->isHidden();
  s.Beems = !FWindow.pnlBeems->isHidden();
  // A folder that cannot be written only costs the remembered layout; the program goes on.
  const bool written = WriteViewIni(FViewIni.Write, s);
  if (written) FViewIni.Read = FViewIni.Write;
  return written;
}

void TViewPanels::btnObjListCloseClick() {
  FWindow.pnlObjView->hide();
  FWindow.Menu.nViewObjView->setChecked(false);
  if (!FWindow.pnlObjInsp->isHidden()) return;
  FWindow.pnlLeft->hide();
  RelayoutAfterPanels();
}

void TViewPanels::btnObjInspCloseClick() {
  FWindow.pnlObjInsp->hide();
  FWindow.Menu.nViewObjInsp->setChecked(false);
  if (!FWindow.pnlObjView->isHidden()) {
    DockObjViewClient();
    return;
  }
  FWindow.pnlLeft->hide();
  RelayoutAfterPanels();
}

void TViewPanels::btnToolsCloseClick() {
  FWindow.pnlTools->hide();
  FWindow.Menu.nViewTools->setChecked(false);
  RelayoutAfterPanels();
}

void TViewPanels::btnBellsCloseClick() {
  FWindow.pnlBells->hide();
  FWindow.Menu.nViewBells->setChecked(false);
  RelayoutAfterPanels();
}

void TViewPanels::btnBeemCloseClick() {
  FWindow.pnlBeems->hide();
  FWindow.Menu.nViewBeems->setChecked(false);
  RelayoutAfterPanels();
}

void TViewPanels::nViewBeemsClick() {
  FWindow.pnlBeems->setVisible(FWindow.Menu.nViewBeems->isChecked());
  RelayoutAfterPanels();
}

void TViewPanels::nViewToolsClick() {
  FWindow.pnlTools->setVisible(FWindow.Menu.nViewTools->isChecked());
  RelayoutAfterPanels();  // the palette always stays below the tools in this layout
}

void TViewPanels::nViewBellsClick() {
  FWindow.pnlBells->setVisible(FWindow.Menu.nViewBells->isChecked());
  RelayoutAfterPanels();
}

void TViewPanels::LeftColumnChanged() {
  const bool view = !FWindow.pnlObjView->isHidden(), insp = !FWindow.pnlObjInsp->isHidden();
  if ((view || insp) && FWindow.pnlLeft->isHidden()) {
    FWindow.pnlLeft->show();
    RelayoutAfterPanels();
  }
  if (!view && !insp && !FWindow.pnlLeft->isHidden()) {
    FWindow.pnlLeft->hide();
    RelayoutAfterPanels();
  }
  if (view && !insp) DockObjViewClient();
  if (insp) DockObjViewTop();
}

void TViewPanels::nViewObjViewClick() {
  FWindow.pnlObjView->setVisible(FWindow.Menu.nViewObjView->isChecked());
  LeftColumnChanged();
}

void TViewPanels::nViewObjInspClick() {
  FWindow.pnlObjInsp->setVisible(FWindow.Menu.nViewObjInsp->isChecked());
  LeftColumnChanged();
}

void TViewPanels::nHidePanelsClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{FWindow.pnlObjView, FWindow.pnlObjInsp, FWindow.pnlLeft, FWindow.pnlTools, FWindow.pnlBells, FWindow.pnlBeems}) w->hide();
  for (QAction* a : {FWindow.Menu.nViewObjView, FWindow.Menu.nViewObjInsp, FWindow.Menu.nViewTools, FWindow.Menu.nViewBells, FWindow.Menu.nViewBeems}) a->setChecked(false);
  RelayoutAfterPanels();
}

void TViewPanels::nShowPanelsClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{FWindow.pnlObjView, FWindow.pnlObjInsp, FWindow.pnlLeft}) w->show();
  DockObjViewTop();
  for (QWidget* w : std::initializer_list<QWidget*>{FWindow.pnlTools, FWindow.pnlBells, FWindow.pnlBeems}) w->show();
  for (QAction* a : {FWindow.Menu.nViewObjView, FWindow.Menu.nViewObjInsp, FWindow.Menu.nViewTools, FWindow.Menu.nViewBells, FWindow.Menu.nViewBeems}) a->setChecked(true);
  RelayoutAfterPanels();
}

void TViewPanels::Wire() {
  connect(FWindow.pnlObjView->pnlObjViewTitle->CloseButton(), &QToolButton::clicked, this, &TViewPanels::btnObjListCloseClick);
  connect(FWindow.pnlObjInspTitle->CloseButton(), &QToolButton::clicked, this, &TViewPanels::btnObjInspCloseClick);
  connect(FWindow.pnlTools->pnlToolsTitle->CloseButton(), &QToolButton::clicked, this, &TViewPanels::btnToolsCloseClick);
  connect(FWindow.pnlBells->pnlBellsTitle->CloseButton(), &QToolButton::clicked, this, &TViewPanels::btnBellsCloseClick);
  connect(FWindow.pnlBeems->pnlBeemTitle->CloseButton(), &QToolButton::clicked, this, &TViewPanels::btnBeemCloseClick);
  connect(FWindow.Menu.nViewObjView, &QAction::triggered, this, &TViewPanels::nViewObjViewClick);
  connect(FWindow.Menu.nViewObjInsp, &QAction::triggered, this, &TViewPanels::nViewObjInspClick);
  connect(FWindow.Menu.nViewTools, &QAction::triggered, this, &TViewPanels::nViewToolsClick);
  connect(FWindow.Menu.nViewBells, &QAction::triggered, this, &TViewPanels::nViewBellsClick);
  connect(FWindow.Menu.nViewBeems, &QAction::triggered, this, &TViewPanels::nViewBeemsClick);
  connect(FWindow.Menu.nShowPanels, &QAction::triggered, this, &TViewPanels::nShowPanelsClick);
  connect(FWindow.Menu.nHidePanels, &QAction::triggered, this, &TViewPanels::nHidePanelsClick);
}
