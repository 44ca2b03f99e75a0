#pragma once

#include <QCursor>
#include <QImage>
#include <QList>
#include <QPageSize>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/start_options.h"
#include "app/view_settings.h"
#include "app/window/document_views.h"
#include "app/window/plan_view_control.h"
#include "app/window/pointer_mode.h"
#include "app/window/sheet_operations.h"
#include "app/window/view_panels.h"
#include "controls/main_menu.h"
#include "bells/annotations.h"
#include "bells/bell_groups.h"
#include "document/image_writers.h"
#include "model/document_session.h"
#include "model/plan_document.h"
#include "plan/plan_model.h"
#include "plan/plan_object.h"
#include "plan/plan_scale.h"
#include "plan/plan_view.h"
#include "render/plan_renderer.h"
#include "checks/design_checks.h"
#include "walls/material_pictures.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidgetItem;
class QStackedWidget;
class QUndoStack;
class QTimer;
class QVBoxLayout;
class TPlanPanel;
class TPanelTitle;
class TWallPage;
class TToolsPanel;
class TObjectListPanel;
class TBellPalette;
class TBeemsPanel;
class TBellPage;
class TPostPage;
class TBeemPage;
class TDesignCheckView;

// The main window: it holds the open document and its session, and composes the views of it:
// the drawing through its renderer, the menu, the inspector's pages, the lists and panels. Its
// operations live one file per subject in app/window/; this header is the map of them all.

class TfmMain : public QMainWindow {
  Q_OBJECT
 public:
  explicit TfmMain(const TStartOptions& options = {}, QWidget* parent = nullptr);
  ~TfmMain() override;

  // ---- plan state ----------------------------------------------------------------------------
  // The open document owns the plan and its history; the window shows it and calls its
  // operations (model/plan_document.h).
  TPlanDocument FDocument;
  TPlanDocument& Document() { return FDocument; }
  // Its file, the recent documents, the unsaved-changes question and the autosave.
  TDocumentSession FSession{FDocument};
  std::vector<std::unique_ptr<TPlanObject>>& FObjects = FDocument.Objects();
  // The plan drawn on the drawing panel's layers: scale, view, every object's pixels, the
  // fixing. The picture export composes the same layers.
  TPlanRenderer FRenderer{FObjects, [this] { return PlanPanelSize(); }};
  QSize PlanPanelSize() const;
  int FCurIndex = 0;
  TPlanObject* FCurObject = nullptr;
  bool FResizeArmed = false;
  bool FBeamOutlineShown = false;
  TPointerMode FPointerMode = pmIdle;
  std::int32_t FPendingBellDiameter = 0;
  bool FChordBoxDeletes = true;
  TLtrb FSelRect;

  // ---- application shell (app/) ----------------------------------------------------------------
  void FormCreate();
  void FormShow();
  // The steps of start-up that the first painted window does not show, taken right after the
  // plan has been painted for the first time (app/start_up.cpp): nothing a user can reach
  // before then depends on them.
  void FinishStartUp();
  // The pictures the first painted window shows, in the order start-up reads them.
  static QStringList StartUpPictures();
  bool FStartUpFinished = false;
  // Builds the bell, pedestal and beam pages of the inspector, with their captions and lists,
  // unless they are built already: everything that fills or reads them asks for them first.
  void EnsureObjectPages();
  // Sizes the window, frame included, to the screen's work area; once more when the window
  // system has put its frame around it.
  void FitToWorkArea();
  void FitFrameOnce();
  bool FormCloseQuery();
  void FormDestroy();
  void ApplyCaptions();
  void nExitClick();
  void nAboutClick();
  QString StatusText() const;
  void SettleLayout();  // applies the panel layout now, also while the window is hidden
  void FormCreateCatalogues();      // the catalogue and list steps of start-up
  void OpenCommandLineDocument();   // the joined arguments name a document

  // ---- drawing surface (app/window/plan_surface.cpp) -------------------------------------------------
  void RelayoutPlan();  // the plan laid out again for a new panel size
  void FormResize();

  // ---- view: zoom, pan, scroll bars and the pointer's position (app/window/plan_view_control.*) --
  TPlanViewControl ViewControl{*this};
  QLabel* lblPointer = nullptr;
  QLabel* lblZoom = nullptr;

  // ---- design checks (app/window/check_operations.cpp) ------------------------------------------
  // Made when first asked for: a window that is never checked pays nothing for it.
  TDesignCheckView* FChecks = nullptr;
  TDesignCheckView& Checks();
  QString CheckSettingsFile() const;  // empty: nothing is remembered
  TCheckSettings CheckSettings() const;  // the clearances the sheet and the panel check with
  QStringList FOpeningNotes;  // what opening the document left out or changed, for its sheet
  void PlanChangedForChecks(bool moving = false);  // the findings follow while shown
  void ViewChangedForChecks();
  void nCheckClick();           // "Проверка"
  void nCheckSettingsClick();   // "Параметры проверки..."
  void ShowFinding(const TFinding& finding);  // selects its object and shows it at a fair zoom

  // ---- objects (app/window/plan_objects.cpp) -------------------------------------------------------
  void CreateObject(const QString& name, TObjectKind kind, QPoint at, std::int32_t bellDiameter,
                    bool draw);
  QString NameNewObject(int index, const QString& base);  // unique among the plan's names
  void DeleteAllObjects();
  void NewDocument();
  void SetWallDefaults(TPlanObject& o);
  void SetPostDefaults(TPlanObject& o);
  void CreateBellSteps(TPlanObject& o, const QString& name, QPoint at, std::int32_t diameter, bool draw);
  void CreateBeemSteps(TPlanObject& o, const QString& name, QPoint at, bool draw);

  // ---- object list and selection (app/window/object_list.cpp) -------------------------------------
  void SelectObject(int index);
  void DrawSelectionFrame();
  void EraseSelectionFrame();
  void DeleteObject(int index, bool bulk);
  void RedrawObject(int index);
  void btnObjDelClick();
  void btnPrevObjClick();
  void btnNextObjClick();
  void nBringToFrontClick();
  void nSendToBackClick();
  void clbObjectsClick();
  void clbObjectsClickCheck(QListWidgetItem* item);
  void cbObjectsChange(int index);
  void ShowInspectorPage(QWidget* page);
  void WireObjectList();
  void RegroupBells();  // slots rebuilt and groups assigned after a placement or deletion

  // ---- walls (walls/) ------------------------------------------------------------------------
  void FillWallTypes();
  void FillMaterialLists();
  void FillBeemMaterialList();
  void BuildWallPage();
  void ShowWallProps();

  // ---- beams (beams/) --------------------------------------------------------------------------
  QStringList FOrientationNames;
  void BuildOrientationNamesList();
  void WireChordBoxes();
  void FillOrientationList();
  void BuildBeemPage();
  void FillBeemInspector();
  QCheckBox* ChordBox(int k) const;
  void SetChordBoxChecked(int k, bool checked);
  void UncheckChordBoxQuietly(int orientation);
  void SyncChordBoxes();  // each box shows whether a beam lies on its chord, no click run
  void TickChordBoxes();
  void ChordBoxClick(int k, bool checked);
  void btnBeemClick();

  // ---- panels and view.ini (app/window/view_panels.*) ----------------------------------------
  TViewPanels Panels{*this};

  // ---- documents and export (document/) ------------------------------------------------------
  std::function<void(const QString&)> FErrorReport;  // tests catch the messages here
  QString FExportFilter;                              // the export dialog remembers its entry
  void ReportError(const QString& message);
  bool SaveDocument(const QString& path);
  bool OpenDocument(const QString& path);
  void nSaveDocClick();
  void nLoadDocClick();
  QString ExportPlan(const QString& chosenPath, TExportFormat format);
  void nExportDocClick();
  // The plan as exported: the arrangement fixed, the selection left out. Null when memory ran out.
  QImage FixedPlanPicture();
  QString ExportPlanAs(const QString& exactPath, TExportFormat format);  // no extension appended
  void SetPlanClientSize(QSize size);  // the drawing panel's size without showing the window

  // ---- the true-scale sheet: print, PDF, SVG and the bill (app/window/sheet_operations.*) ------
  TSheetOperations Sheet{*this};

  // ---- history and unsaved work (app/window/plan_history.cpp, app/window/document_session.cpp) ---------
  QUndoStack* FHistory = nullptr;  // the document's history, once the window's actions follow it
  // Tests answer the unsaved-changes question here: 0 save, 1 do not save, 2 cancel.
  std::function<int(const QString&)> FAskSave;
  void WireHistory();
  void RestackCurrent(bool front);  // front or back, one step
  void WireDocumentSession();  // recent list, drops, autosave and the recovery offer
  bool FPressEdit = false;  // the press on the plan opened an edit its release closes
  // The views following the document's signals (app/window/document_views.*).
  TDocumentViews Views{*this};
  bool FRemovingAll = false;  // every object goes: the pedestal is not redrawn for each bell
  void ProjectRecords(const std::vector<TPlanObject>& records);  // the whole plan anew
  void ResetHistory();
  void UpdateTitle();
  bool MaySetPlanAside();  // false: the user chose to keep the plan as it is
  bool SaveCurrent();      // to the document's own file, or through the save dialog
  void nNewDocClick();
  bool OpenChosenDocument(const QString& path);  // after the unsaved-changes question
  void nUndoClick();
  void nRedoClick();
  void UpdateUndoActions();
  void FillRecentMenu();
  void OpenRecent(const QString& path);
  void OfferRecovery();    // entries of editors that died, once the window is up
  // 0 restore, 1 delete, 2 later; tests answer here.
  int AskRecovery(const QString& question, bool broken);
  std::function<int(const QString&)> FAskRecovery;

  // ---- pedestal and ringer (pedestal/) ---------------------------------------------------------
  void FillPostInspector();
  void BuildPostPage();
  // ---- bells (bells/) --------------------------------------------------------------------------
  TBellTable FBellDiameters{};
  TBellTable FBellWeights{};
  TBellSlots FBellSlots{};
  TGroupTable FGroupTable;
  void BuildBellPalette();
  void FillBellDiameterList();
  void BuildBellPage();
  void BellButtonClick(std::int32_t diameter);
  void FillBellInspector();
  void FixArrangement();
  void btnApplyClick();
  int CountBellsNow() const;
  int CountHeavyBellsNow() const;
  void AssignGroupsNow();

  // ---- pointer interaction (app/window/plan_pointer.cpp) ---------------------------------------------
  QCursor PlanCursor(TPointerMode mode) const;
  int HitTest(int x, int y) const;
  void PlanMouseDown(Qt::MouseButton button, QPoint at);
  void PlanMouseMove(QPoint at);
  void PlanMouseUp(Qt::MouseButton button, QPoint at);
  void WirePlanPointer();

  // ---- widgets ---------------------------------------------------------------------------------
  TMainMenu Menu;  // the menu bar and the objects' popup menu
  QWidget* pnlLeft = nullptr;
  TObjectListPanel* pnlObjView = nullptr;
  QWidget* pnlObjInsp = nullptr;
  QWidget* pnlMain = nullptr;
  TToolsPanel* pnlTools = nullptr;
  TBellPalette* pnlBells = nullptr;
  TBeemsPanel* pnlBeems = nullptr;
  TPlanPanel* pnlImg = nullptr;
  TPanelTitle* pnlObjInspTitle = nullptr;
  QComboBox* cbObjects = nullptr;
  QStackedWidget* pnlInspPages = nullptr;
  TWallPage* pnlWallProp = nullptr;
  TBellPage* pnlBellProp = nullptr;
  TPostPage* pnlPostProp = nullptr;
  TBeemPage* pnlBeemProp = nullptr;
  QLabel* Status = nullptr;



  QVBoxLayout* FLeftLayout = nullptr;
  QVBoxLayout* FMainLayout = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildPanels();
  QWidget* BuildObjInspPanel();
  void clbObjectsMouseDown(QPoint pos);

  TStartOptions FOptions;
  bool FShown = false;
  bool FFrameFitPending = false;
};
