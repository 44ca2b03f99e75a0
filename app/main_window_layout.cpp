// The fixed arrangement of the main window: menus, the left column, the tool panels around the
// drawing panel, and the status bar.
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/window/design_check_view.h"
#include "controls/beems_panel.h"
#include "controls/findings_panel.h"
#include "controls/bell_palette.h"
#include "controls/object_list_panel.h"
#include "controls/panel_title.h"
#include "controls/tools_panel.h"
#include "app/tfm_main.h"
#include "controls/plan_panel.h"
#include "platform/resource_icon.h"

namespace {

QWidget* Panel(QWidget* parent, const QString& name) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  return w;
}

}  // namespace

void TfmMain::BuildMenus() {
  Menu.Build(this);
  connect(Menu.nNewDoc, &QAction::triggered, this, &TfmMain::nNewDocClick);
  connect(Menu.nLoadDoc, &QAction::triggered, this, &TfmMain::nLoadDocClick);
  connect(Menu.nSaveDoc, &QAction::triggered, this, &TfmMain::nSaveDocClick);
  connect(Menu.nExportDoc, &QAction::triggered, this, &TfmMain::nExportDocClick);
  connect(Menu.nPrintDoc, &QAction::triggered, &Sheet, &TSheetOperations::nPrintDocClick);
  connect(Menu.nExit, &QAction::triggered, this, &TfmMain::nExitClick);
  connect(Menu.nAbout, &QAction::triggered, this, &TfmMain::nAboutClick);
  connect(Menu.nCheck, &QAction::triggered, this, &TfmMain::nCheckClick);
  connect(Menu.nFindings, &QAction::triggered, this, [this](bool on) {
    if (on)
      nCheckClick();
    else if (FChecks)
      FChecks->Panel()->hide();
  });
  connect(Menu.nCheckSettings, &QAction::triggered, this, &TfmMain::nCheckSettingsClick);
}

void TfmMain::BuildPanels() {
  auto* central = Panel(this, QStringLiteral("pnlClient"));
  auto* row = new QHBoxLayout(central);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  pnlLeft = Panel(central, QStringLiteral("pnlLeft"));
  pnlLeft->setFixedWidth(217);
  FLeftLayout = new QVBoxLayout(pnlLeft);
  FLeftLayout->setContentsMargins(0, 0, 0, 0);
  FLeftLayout->setSpacing(0);
  pnlObjView = new TObjectListPanel(pnlLeft, this);
  pnlObjInsp = BuildObjInspPanel();
  FLeftLayout->addWidget(pnlObjView, 0);
  FLeftLayout->addWidget(pnlObjInsp, 1);
  row->addWidget(pnlLeft);

  pnlMain = Panel(central, QStringLiteral("pnlMain"));
  FMainLayout = new QVBoxLayout(pnlMain);
  FMainLayout->setContentsMargins(0, 0, 0, 0);
  FMainLayout->setSpacing(0);
  pnlTools = new TToolsPanel(pnlMain);
  connect(pnlTools->btnNewDoc, &QToolButton::clicked, this, &TfmMain::nNewDocClick);
  connect(pnlTools->btnApply, &QToolButton::clicked, this, &TfmMain::btnApplyClick);
  connect(pnlTools->btnOpenDoc, &QToolButton::clicked, this, &TfmMain::nLoadDocClick);
  connect(pnlTools->btnSaveDoc, &QToolButton::clicked, this, &TfmMain::nSaveDocClick);
  connect(pnlTools->btnExport, &QToolButton::clicked, this, &TfmMain::nExportDocClick);
  connect(pnlTools->btnCheck, &QToolButton::clicked, this, &TfmMain::nCheckClick);
  pnlBells = new TBellPalette(pnlMain);
  FMainLayout->addWidget(pnlTools);
  FMainLayout->addWidget(pnlBells);
  auto* planRow = new QHBoxLayout;
  planRow->setSpacing(0);
  pnlImg = new TPlanPanel(pnlMain);
  planRow->addWidget(pnlImg, 1);
  pnlBeems = new TBeemsPanel(pnlMain);
  planRow->addWidget(pnlBeems);
  FMainLayout->addLayout(planRow, 1);
  row->addWidget(pnlMain, 1);
  setCentralWidget(central);

  Status = new QLabel(this);
  Status->setObjectName(QStringLiteral("Status"));
  statusBar()->addWidget(Status, 1);
  lblPointer = new QLabel(this);
  lblPointer->setObjectName(QStringLiteral("lblPointer"));
  // Fixed widths: a new figure at every pointer move must not lay the status bar out again.
  lblPointer->setFixedWidth(lblPointer->fontMetrics().horizontalAdvance(QStringLiteral("X: -1000000 мм  Y: -1000000 мм")) + 8);
  statusBar()->addPermanentWidget(lblPointer);
  lblZoom = new QLabel(this);
  lblZoom->setObjectName(QStringLiteral("lblZoom"));
  lblZoom->setFixedWidth(lblZoom->fontMetrics().horizontalAdvance(QStringLiteral("10000 %")) + 8);
  lblZoom->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  statusBar()->addPermanentWidget(lblZoom);
}

QWidget* TfmMain::BuildObjInspPanel() {
  QWidget* panel = Panel(pnlLeft, QStringLiteral("pnlObjInsp"));
  auto* v = new QVBoxLayout(panel);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(0);
  pnlObjInspTitle = new TPanelTitle(QStringLiteral("pnlObjInspTitle"), QStringLiteral("btnObjInspClose"), panel);
  v->addWidget(pnlObjInspTitle);
  QWidget* combo = Panel(panel, QStringLiteral("pnlCombo"));
  combo->setFixedHeight(29);
  cbObjects = new QComboBox(combo);
  cbObjects->setObjectName(QStringLiteral("cbObjects"));
  cbObjects->setGeometry(4, 4, 200, 21);
  cbObjects->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  if (auto* view = qobject_cast<QListView*>(cbObjects->view())) view->setUniformItemSizes(true);
  v->addWidget(combo);
  pnlInspPages = new QStackedWidget(panel);
  pnlInspPages->setObjectName(QStringLiteral("pnlInspPages"));
  v->addWidget(pnlInspPages, 1);
  return panel;
}

