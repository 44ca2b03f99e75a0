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
#include "app/view_settings.h"

void TfmMain::DockObjViewTop() {
  pnlObjView->setFixedHeight(200);
  FLeftLayout->setStretchFactor(pnlObjView, 0);
}

void TfmMain::DockObjViewClient() {
  pnlObjView->setMinimumHeight(0);
  pnlObjView->setMaximumHeight(QWIDGETSIZE_MAX);
  FLeftLayout->setStretchFactor(pnlObjView, 1);
}

void TfmMain::RelayoutAfterPanels() {
  SettleLayout();
  RelayoutPlan();
}

void TfmMain::ReadViewSettings() {
  if (!QFileInfo::exists(FViewIni.Read)) WriteViewSettings();
  const TViewSettings s = ReadViewIni(FViewIni.Read);
  pnlObjView->setVisible(s.ObjView);
  Menu.nViewObjView->setChecked(!pnlObjView->isHidden());
  pnlObjInsp->setVisible(s.ObjInsp);
  Menu.nViewObjInsp->setChecked(!pnlObjInsp->isHidden());
  pnlTools->setVisible(s.Tools);
  Menu.nViewTools->setChecked(!pnlTools->isHidden());
  pnlBells->setVisible(s.Bells);
  Menu.nViewBells->setChecked(!pnlBells->isHidden());
  pnlBeems->setVisible(s.Beems);
  Menu.nViewBeems->setChecked(!pnlBeems->isHidden());
  if (pnlObjView->isHidden() && pnlObjInsp->isHidden()) pnlLeft->hide();
  if (!pnlObjView->isHidden() && pnlObjInsp->isHidden()) DockObjViewClient();
}

bool TfmMain::WriteViewSettings() {
  TViewSettings s;
  s.ObjView = !pnlObjView->isHidden();
  s.ObjInsp = !pnlObjInsp->isHidden();
  s.Tools = !pnlTools->isHidden();
  s.Bells = !pnlBells->isHidden();
  s.Beems = !pnlBeems->isHidden();
  // A folder that cannot be written only costs the remembered layout; the program goes on.
  const bool written = WriteViewIni(FViewIni.Write, s);
  if (written) FViewIni.Read = FViewIni.Write;
  return written;
}

void TfmMain::btnObjListCloseClick() {
  pnlObjView->hide();
  Menu.nViewObjView->setChecked(false);
  if (!pnlObjInsp->isHidden()) return;
  pnlLeft->hide();
  RelayoutAfterPanels();
}

void TfmMain::btnObjInspCloseClick() {
  pnlObjInsp->hide();
  Menu.nViewObjInsp->setChecked(false);
  if (!pnlObjView->isHidden()) {
    DockObjViewClient();
    return;
  }
  pnlLeft->hide();
  RelayoutAfterPanels();
}

void TfmMain::btnToolsCloseClick() {
  pnlTools->hide();
  Menu.nViewTools->setChecked(false);
  RelayoutAfterPanels();
}

void TfmMain::btnBellsCloseClick() {
  pnlBells->hide();
  Menu.nViewBells->setChecked(false);
  RelayoutAfterPanels();
}

void TfmMain::btnBeemCloseClick() {
  pnlBeems->hide();
  Menu.nViewBeems->setChecked(false);
  RelayoutAfterPanels();
}

void TfmMain::nViewBeemsClick() {
  pnlBeems->setVisible(Menu.nViewBeems->isChecked());
  RelayoutAfterPanels();
}

void TfmMain::nViewToolsClick() {
  pnlTools->setVisible(Menu.nViewTools->isChecked());
  RelayoutAfterPanels();  // the palette always stays below the tools in this layout
}

void TfmMain::nViewBellsClick() {
  pnlBells->setVisible(Menu.nViewBells->isChecked());
  RelayoutAfterPanels();
}

void TfmMain::LeftColumnChanged() {
  const bool view = !pnlObjView->isHidden(), insp = !pnlObjInsp->isHidden();
  if ((view || insp) && pnlLeft->isHidden()) {
    pnlLeft->show();
    RelayoutAfterPanels();
  }
  if (!view && !insp && !pnlLeft->isHidden()) {
    pnlLeft->hide();
    RelayoutAfterPanels();
  }
  if (view && !insp) DockObjViewClient();
  if (insp) DockObjViewTop();
}

void TfmMain::nViewObjViewClick() {
  pnlObjView->setVisible(Menu.nViewObjView->isChecked());
  LeftColumnChanged();
}

void TfmMain::nViewObjInspClick() {
  pnlObjInsp->setVisible(Menu.nViewObjInsp->isChecked());
  LeftColumnChanged();
}

void TfmMain::nHidePanelsClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{pnlObjView, pnlObjInsp, pnlLeft, pnlTools, pnlBells, pnlBeems}) w->hide();
  for (QAction* a : {Menu.nViewObjView, Menu.nViewObjInsp, Menu.nViewTools, Menu.nViewBells, Menu.nViewBeems}) a->setChecked(false);
  RelayoutAfterPanels();
}

void TfmMain::nShowPanelsClick() {
  for (QWidget* w : std::initializer_list<QWidget*>{pnlObjView, pnlObjInsp, pnlLeft}) w->show();
  DockObjViewTop();
  for (QWidget* w : std::initializer_list<QWidget*>{pnlTools, pnlBells, pnlBeems}) w->show();
  for (QAction* a : {Menu.nViewObjView, Menu.nViewObjInsp, Menu.nViewTools, Menu.nViewBells, Menu.nViewBeems}) a->setChecked(true);
  RelayoutAfterPanels();
}

void TfmMain::WireViewPanels() {
  connect(pnlObjView->pnlObjViewTitle->CloseButton(), &QToolButton::clicked, this, &TfmMain::btnObjListCloseClick);
  connect(pnlObjInspTitle->CloseButton(), &QToolButton::clicked, this, &TfmMain::btnObjInspCloseClick);
  connect(pnlTools->pnlToolsTitle->CloseButton(), &QToolButton::clicked, this, &TfmMain::btnToolsCloseClick);
  connect(pnlBells->pnlBellsTitle->CloseButton(), &QToolButton::clicked, this, &TfmMain::btnBellsCloseClick);
  connect(pnlBeems->pnlBeemTitle->CloseButton(), &QToolButton::clicked, this, &TfmMain::btnBeemCloseClick);
  connect(Menu.nViewObjView, &QAction::triggered, this, &TfmMain::nViewObjViewClick);
  connect(Menu.nViewObjInsp, &QAction::triggered, this, &TfmMain::nViewObjInspClick);
  connect(Menu.nViewTools, &QAction::triggered, this, &TfmMain::nViewToolsClick);
  connect(Menu.nViewBells, &QAction::triggered, this, &TfmMain::nViewBellsClick);
  connect(Menu.nViewBeems, &QAction::triggered, this, &TfmMain::nViewBeemsClick);
  connect(Menu.nShowPanels, &QAction::triggered, this, &TfmMain::nShowPanelsClick);
  connect(Menu.nHidePanels, &QAction::triggered, this, &TfmMain::nHidePanelsClick);
}
