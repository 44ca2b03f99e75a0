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
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("SysMenu"));
  nFile = bar->addMenu(QString());
  nFile->setObjectName(QStringLiteral("nFile"));
  nNewDoc = nFile->addAction(ResourceIcon(QStringLiteral(":/icons/new")), QString());
  nNewDoc->setObjectName(QStringLiteral("nNewDoc"));
  nNewDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  nLoadDoc = nFile->addAction(ResourceIcon(QStringLiteral(":/icons/open")), QString());
  nLoadDoc->setObjectName(QStringLiteral("nLoadDoc"));
  nLoadDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  nRecent = nFile->addMenu(QStringLiteral("Последние документы"));
  nRecent->setObjectName(QStringLiteral("nRecent"));
  nFile->addSeparator();
  nSaveDoc = nFile->addAction(ResourceIcon(QStringLiteral(":/icons/save")), QString());
  nSaveDoc->setObjectName(QStringLiteral("nSaveDoc"));
  nSaveDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  nExportDoc = nFile->addAction(ResourceIcon(QStringLiteral(":/icons/save")), QString());
  nExportDoc->setObjectName(QStringLiteral("nExportDoc"));
  nExportDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  nPrintDoc = nFile->addAction(QStringLiteral("Печать ..."));
  nPrintDoc->setObjectName(QStringLiteral("nPrintDoc"));
  nPrintDoc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  nFile->addSeparator();
  nExit = nFile->addAction(QString());
  nExit->setObjectName(QStringLiteral("nExit"));

  nEdit = bar->addMenu(QStringLiteral("Правка"));
  nEdit->setObjectName(QStringLiteral("nEdit"));
  nUndo = nEdit->addAction(ResourceIcon(QStringLiteral(":/icons/undo")), QStringLiteral("Отменить"));
  nUndo->setObjectName(QStringLiteral("nUndo"));
  nUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  nRedo = nEdit->addAction(ResourceIcon(QStringLiteral(":/icons/redo")), QStringLiteral("Повторить"));
  nRedo->setObjectName(QStringLiteral("nRedo"));
  nRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

  nView = bar->addMenu(QString());
  nView->setObjectName(QStringLiteral("nView"));
  auto checkItem = [this](const char* name) {
    QAction* a = nView->addAction(QString());
    a->setObjectName(QLatin1String(name));
    a->setCheckable(true);
    a->setChecked(true);
    return a;
  };
  nViewObjView = checkItem("nViewObjView");
  nViewObjInsp = checkItem("nViewObjInsp");
  nViewTools = checkItem("nViewTools");
  nViewBells = checkItem("nViewBells");
  nViewBeems = checkItem("nViewBeems");
  nView->addSeparator();
  nShowPanels = nView->addAction(QString());
  nShowPanels->setObjectName(QStringLiteral("nShowPanels"));
  nHidePanels = nView->addAction(QString());
  nHidePanels->setObjectName(QStringLiteral("nHidePanels"));
  nView->addSeparator();
  nZoomIn = nView->addAction(QStringLiteral("Увеличить"));
  nZoomIn->setObjectName(QStringLiteral("nZoomIn"));
  nZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)});
  nZoomOut = nView->addAction(QStringLiteral("Уменьшить"));
  nZoomOut->setObjectName(QStringLiteral("nZoomOut"));
  nZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  nZoomFit = nView->addAction(QStringLiteral("Вписать"));
  nZoomFit->setObjectName(QStringLiteral("nZoomFit"));
  nZoomFit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

  // The design checks: the command, its panel, and the clearances they keep.
  nService = bar->addMenu(QStringLiteral("Сервис"));
  nService->setObjectName(QStringLiteral("nService"));
  nCheck = nService->addAction(QStringLiteral("Проверка"));
  nCheck->setObjectName(QStringLiteral("nCheck"));
  nCheck->setShortcut(QKeySequence(Qt::Key_F7));
  nFindings = nService->addAction(QStringLiteral("Замечания"));
  nFindings->setObjectName(QStringLiteral("nFindings"));
  nFindings->setCheckable(true);
  nService->addSeparator();
  nCheckSettings = nService->addAction(QStringLiteral("Параметры проверки..."));
  nCheckSettings->setObjectName(QStringLiteral("nCheckSettings"));

  nReference = bar->addMenu(QString());
  nReference->setObjectName(QStringLiteral("nReference"));
  nAbout = nReference->addAction(QString());
  nAbout->setObjectName(QStringLiteral("nAbout"));

  pmObjMenu = new QMenu(this);
  pmObjMenu->setObjectName(QStringLiteral("pmObjMenu"));
  nObjDel = pmObjMenu->addAction(ResourceIcon(QStringLiteral(":/icons/delete")), QString());
  nObjDel->setObjectName(QStringLiteral("nObjDel"));
  nObjDel->setShortcut(QKeySequence(Qt::Key_Delete));
  pmObjMenu->addSeparator();
  nBringToFront = pmObjMenu->addAction(ResourceIcon(QStringLiteral(":/icons/front")), QString());
  nBringToFront->setObjectName(QStringLiteral("nBringToFront"));
  nBringToFront->setShortcut(QKeySequence(Qt::Key_F12));
  nSendToBack = pmObjMenu->addAction(ResourceIcon(QStringLiteral(":/icons/back")), QString());
  nSendToBack->setObjectName(QStringLiteral("nSendToBack"));
  nSendToBack->setShortcut(QKeySequence(Qt::Key_F11));
  pmObjMenu->addSeparator();
  nPrevObj = pmObjMenu->addAction(ResourceIcon(QStringLiteral(":/icons/prev")), QString());
  nPrevObj->setObjectName(QStringLiteral("nPrevObj"));
  nNextObj = pmObjMenu->addAction(ResourceIcon(QStringLiteral(":/icons/next")), QString());
  nNextObj->setObjectName(QStringLiteral("nNextObj"));

  connect(nNewDoc, &QAction::triggered, this, &TfmMain::nNewDocClick);
  connect(nLoadDoc, &QAction::triggered, this, &TfmMain::nLoadDocClick);
  connect(nSaveDoc, &QAction::triggered, this, &TfmMain::nSaveDocClick);
  connect(nExportDoc, &QAction::triggered, this, &TfmMain::nExportDocClick);
  connect(nPrintDoc, &QAction::triggered, this, &TfmMain::nPrintDocClick);
  connect(nExit, &QAction::triggered, this, &TfmMain::nExitClick);
  connect(nAbout, &QAction::triggered, this, &TfmMain::nAboutClick);
  connect(nCheck, &QAction::triggered, this, &TfmMain::nCheckClick);
  connect(nFindings, &QAction::triggered, this, [this](bool on) {
    if (on)
      nCheckClick();
    else if (FChecks)
      FChecks->Panel()->hide();
  });
  connect(nCheckSettings, &QAction::triggered, this, &TfmMain::nCheckSettingsClick);
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

