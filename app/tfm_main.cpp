#include "app/tfm_main.h"

#include "app/window/design_check_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>

#include "app/tfm_about.h"
#include "app/window/design_check_view.h"
#include "controls/beems_panel.h"
#include "controls/bell_palette.h"
#include "controls/object_list_panel.h"
#include "controls/panel_title.h"
#include "controls/plan_panel.h"
#include "controls/tools_panel.h"
#include "controls/wall_page.h"
#include "document/recovery_store.h"
#include "platform/canvas.h"
#include "platform/layer.h"
#include "platform/resource_icon.h"

TfmMain::TfmMain(const TStartOptions& options, QWidget* parent)
    : QMainWindow(parent), FOptions(options) {
  setObjectName(QStringLiteral("fmMain"));
  RegisterPlanFonts();
  setWindowIcon(ResourceIcon(QStringLiteral(":/AppIcon")));
  resize(917, 580);
  setMinimumSize(780, 580);
  BuildMenus();
  BuildPanels();
  FRenderer.SetLayers(&pnlImg->Layers());
  Views.Wire();
  Sheet.SetSettingsFile(!FOptions.SheetSettingsFile.isEmpty() ? FOptions.SheetSettingsFile
                        : FOptions.KeepsUserState             ? SheetSettingsPath()
                                                              : QString());
  BuildWallPage();
  WireObjectList();
  WirePlanPointer();
  ViewControl.Wire();
  Panels.Wire();
  FormCreate();
}

TfmMain::~TfmMain() {
  // The document's last signals must not reach the half-destroyed window.
  FDocument.History().disconnect(this);
  FDocument.disconnect(this);
  FHistory = nullptr;
  if (FChecks) {
    // The findings panel goes first: hidden as the window's children go, it would ask a
    // half-destroyed window to fit its plan again.
    delete FChecks;
    FChecks = nullptr;
  }
  FormDestroy();
}

void TfmMain::FormDestroy() {
  // Layers are children of the drawing panel; drop the records first so nothing points at a
  // layer Qt has already destroyed.
  for (auto it = FObjects.rbegin(); it != FObjects.rend(); ++it) {
    delete (*it)->Layer;
    (*it)->Layer = nullptr;
  }
  FDocument.Objects().clear();
}

QSize TfmMain::PlanPanelSize() const { return pnlImg ? pnlImg->size() : QSize(); }

QString TfmMain::StatusText() const {
  return QStringLiteral("Тарвоск: план яруса звона в миллиметрах");
}

void TfmMain::FormCreate() {
  // double buffering is Qt's default for every widget, pnlImg included
  ApplyCaptions();
  FitToWorkArea();
  FFrameFitPending = true;
  SettleLayout();
  Panels.SetPaths(FOptions.ViewIniWrite.isEmpty() ? DefaultViewIniPaths()
                                                  : TViewIniPaths{FOptions.ViewIniRead, FOptions.ViewIniWrite});
  if (FOptions.ReadViewSettings) Panels.ReadViewSettings();
  SettleLayout();
  FBeamOutlineShown = false;
  FResizeArmed = false;
  FPointerMode = pmIdle;
  FChordBoxDeletes = true;
  FormCreateCatalogues();
  if (!FOptions.DefersObjectPages) EnsureObjectPages();
  FRenderer.CreateFixedLayers();
  CreateObject(QStringLiteral("Стены"), okWalls, QPoint(0, 0), 0, true);
  CreateObject(QStringLiteral("Постамент"), okPost, QPoint(0, 0), 0, true);
  SelectObject(0);
  pnlImg->OnFirstPaint = [this] { QTimer::singleShot(0, this, &TfmMain::FinishStartUp); };
  WireHistory();
  WireDocumentSession();
  ResetHistory();
  OpenCommandLineDocument();
}

void TfmMain::SettleLayout() {
  // A hidden window lays out its children only when shown; the plan's scale is computed from
  // the drawing panel's size before that, so the layouts are applied here, parents first.
  if (layout()) layout()->activate();
  const QList<QWidget*> widgets = findChildren<QWidget*>();
  for (QWidget* w : widgets)
    if (w->layout() && !w->isWindow()) w->layout()->activate();
}

void TfmMain::ApplyCaptions() {
  UpdateTitle();  // the caption, then the document's name
  Menu.nFile->setTitle(QStringLiteral("Файл"));
  Menu.nNewDoc->setText(QStringLiteral("Создать"));
  Menu.nLoadDoc->setText(QStringLiteral("Открыть ..."));
  Menu.nSaveDoc->setText(QStringLiteral("Сохранить как ..."));
  Menu.nExportDoc->setText(QStringLiteral("Экспорт ..."));
  Menu.nExit->setText(QStringLiteral("Выход"));
  Menu.nView->setTitle(QStringLiteral("Вид"));
  Menu.nViewObjView->setText(QStringLiteral("Список объектов"));
  pnlObjView->pnlObjViewTitle->SetCaption(QStringLiteral("Список объектов"));
  Menu.nViewObjInsp->setText(QStringLiteral("Свойства объектов"));
  pnlObjInspTitle->SetCaption(QStringLiteral("Свойства объектов"));
  Menu.nViewTools->setText(QStringLiteral("Инструменты"));
  pnlTools->pnlToolsTitle->SetCaption(QStringLiteral("Инструменты"));
  Menu.nViewBells->setText(QStringLiteral("Колокола"));
  pnlBells->pnlBellsTitle->SetCaption(QStringLiteral("Колокола"));
  Menu.nViewBeems->setText(QStringLiteral("Балки"));
  pnlBeems->pnlBeemTitle->SetCaption(QStringLiteral("Балки"));
  Menu.nShowPanels->setText(QStringLiteral("Показать все панели"));
  Menu.nHidePanels->setText(QStringLiteral("Скрыть все панели"));
  Menu.nReference->setTitle(QStringLiteral("Справка"));
  Menu.nAbout->setText(QStringLiteral("О программе ..."));
  pnlTools->btnNewDoc->setToolTip(QStringLiteral("Создать"));
  pnlTools->btnOpenDoc->setToolTip(QStringLiteral("Открыть ..."));
  pnlTools->btnSaveDoc->setToolTip(QStringLiteral("Сохранить как ..."));
  pnlTools->btnExport->setToolTip(QStringLiteral("Экспорт ..."));
  pnlTools->btnApply->setToolTip(QStringLiteral("Закрепить элементы тарвоска"));
  Menu.nObjDel->setText(QStringLiteral("Удалить объект"));
  pnlObjView->btnObjDel->setToolTip(QStringLiteral("Удалить объект"));
  Menu.nBringToFront->setText(QStringLiteral("Приблизить объект"));
  pnlObjView->btnBringToFront->setToolTip(QStringLiteral("Приблизить объект"));
  Menu.nSendToBack->setText(QStringLiteral("Отдалить объект"));
  pnlObjView->btnSendToBack->setToolTip(QStringLiteral("Отдалить объект"));
  Menu.nPrevObj->setText(QStringLiteral("Предыдущий объект"));
  pnlObjView->btnPrevObj->setToolTip(QStringLiteral("Предыдущий объект"));
  Menu.nNextObj->setText(QStringLiteral("Следующий объект"));
  pnlObjView->btnNextObj->setToolTip(QStringLiteral("Следующий объект"));
  pnlWallProp->ApplyCaptions();
  for (TPanelTitle* title :
       {pnlObjView->pnlObjViewTitle, pnlObjInspTitle, pnlTools->pnlToolsTitle, pnlBells->pnlBellsTitle, pnlBeems->pnlBeemTitle})
    title->CloseButton()->setToolTip(QStringLiteral("Спрятать панель"));
  Status->setText(StatusText());
}

void TfmMain::FitToWorkArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // The work area holds the whole window, its frame included. The frame is known only once the
  // window system has framed the window; until then it counts as nothing.
  const QSize frame = frameGeometry().size() - size();
  resize(qMax(area.width() - frame.width(), minimumWidth()),
         qMax(area.height() - frame.height(), minimumHeight()));
  move(area.topLeft());
}

void TfmMain::FitFrameOnce() {
  if (!FFrameFitPending || frameGeometry().size() == size()) return;
  FFrameFitPending = false;
  FitToWorkArea();
}

void TfmMain::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  FitFrameOnce();
}

void TfmMain::FormShow() {
  FRenderer.DrawPost();
  FRenderer.DrawRulers();
}

void TfmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!FShown) {
    FShown = true;
    FormShow();
    QTimer::singleShot(0, this, &TfmMain::OfferRecovery);
  }
  FitFrameOnce();
}

void TfmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
  FitFrameOnce();
}

void TfmMain::closeEvent(QCloseEvent* event) {
  event->setAccepted(FormCloseQuery());
}

bool TfmMain::FormCloseQuery() {
  // Unsaved work is not closed without a question; the panel layout is remembered.
  if (!MaySetPlanAside()) return false;
  if (FOptions.ReadViewSettings) Panels.WriteViewSettings();
  FSession.DiscardRecovery();
  return true;
}

void TfmMain::nExitClick() { close(); }

void TfmMain::nAboutClick() {
  TfmAbout about(this);
  about.exec();
}
