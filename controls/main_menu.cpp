#include "controls/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "platform/resource_icon.h"

void TMainMenu::Build(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
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

  pmObjMenu = new QMenu(window);
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
}
