// The five tool panels, the "Вид" menu and view.ini on the real main window.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QToolButton>

#include "controls/panel_title.h"
#include "app/view_settings.h"
#include "document/document_file.h"
#include "platform/ini_file.h"
#include "plan/plan_scale.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace {

// Which of the left column, the list, the inspector, the tools, the palette and the beams
// panel are shown, and the five menu check marks.
struct TPanels {
  bool Left, ObjView, ObjInsp, Tools, Bells, Beems;
  friend bool operator==(const TPanels&, const TPanels&) = default;
};

std::ostream& operator<<(std::ostream& os, const TPanels& p) {
  return os << p.Left << p.ObjView << p.ObjInsp << p.Tools << p.Bells << p.Beems;
}

class ViewPanelsTest : public MainWindowTest {
 protected:
  void SetUp() override {}  // each test prepares view.ini first

  QString Ini() const { return TempPath(QStringLiteral("view.ini")); }

  // The drawing panel takes whatever the panels leave, as in the running program.
  void OpenFree() {
    Open(QSize(618, 352));
    W->pnlImg->setMinimumSize(0, 0);
    W->pnlImg->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    W->SettleLayout();
    W->RelayoutPlan();
  }

  TPanels Shown() const {
    return {!W->pnlLeft->isHidden(), !W->pnlObjView->isHidden(), !W->pnlObjInsp->isHidden(),
            !W->pnlTools->isHidden(), !W->pnlBells->isHidden(), !W->pnlBeems->isHidden()};
  }
  TPanels Checks() const {
    return {true, W->Menu.nViewObjView->isChecked(), W->Menu.nViewObjInsp->isChecked(), W->Menu.nViewTools->isChecked(),
            W->Menu.nViewBells->isChecked(), W->Menu.nViewBeems->isChecked()};
  }
  // The scale the plan must have for the drawing panel's present size.
  void ExpectScaledToPanel() {
    const TPlanScale s = ComputeScale(W->pnlImg->width(), W->pnlImg->height(), Obj(0).WallDiameterOuter);
    EXPECT_EQ(W->FRenderer.FScale, s.FScale);
    EXPECT_EQ(W->FRenderer.FOriginX, s.FOriginX);
    EXPECT_EQ(W->FRenderer.FOriginY, s.FOriginY);
  }
  bool ListFillsColumn() const {
    W->SettleLayout();
    return W->pnlObjView->geometry() == QRect(QPoint(0, 0), W->pnlLeft->size());
  }
  bool PaletteUnderTools() const {
    W->SettleLayout();
    return W->pnlBells->y() == W->pnlTools->geometry().bottom() + 1;
  }
};

constexpr TPanels kAllShown{true, true, true, true, true, true};

TEST_F(ViewPanelsTest, AFirstStartWritesAllFiveKeysAsShown) {
  ASSERT_FALSE(QFile::exists(Ini()));
  OpenFree();
  EXPECT_EQ(Shown(), kAllShown);
  EXPECT_EQ(Checks(), kAllShown);
  const QByteArray bytes = ReadAll(Ini());
  TIniFile ini(bytes);
  qsizetype last = -1;
  for (const char* key : {"ObjView", "ObjInsp", "Tools", "Bells", "Beems"}) {
    EXPECT_EQ(ini.ReadString(u"View", QString::fromLatin1(key)), QStringLiteral("1")) << key;
    const qsizetype at = bytes.indexOf(key);
    EXPECT_GT(at, last) << key;  // in this order
    last = at;
  }
}

TEST_F(ViewPanelsTest, StoredValuesDecideWhichPanelsShow) {
  struct Row {
    const char* body;
    TPanels shown;
  };
  const Row rows[] = {
      {"ObjView=0\r\nObjInsp=0\r\n", {false, false, false, true, true, true}},
      {"ObjInsp=0\r\n", {true, true, false, true, true, true}},
      {"Tools=yes\r\nBells=\r\n", kAllShown},
      {"Tools=$0\r\nBeems=0x0\r\n", {true, true, true, false, true, false}},
      {"Bells=0X0\r\nBeems=$A\r\nTools=2\r\n", {true, true, true, true, false, true}},
      {"ObjView=0\r\n", {true, false, true, true, true, true}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.body);
    ASSERT_TRUE(WriteAll(Ini(), QByteArray("[View]\r\n") + r.body));
    OpenFree();
    EXPECT_EQ(Shown(), r.shown);
    TPanels checks = r.shown;
    checks.Left = true;
    EXPECT_EQ(Checks(), checks);
    if (r.shown.ObjView && !r.shown.ObjInsp) {
      EXPECT_TRUE(ListFillsColumn());
    }
    ExpectScaledToPanel();
  }
}

TEST_F(ViewPanelsTest, HidingAllLeavesThePlanAloneAndShowingAllRestoresIt) {
  OpenFree();
  const QSize before = W->pnlImg->size();
  const long double scale = W->FRenderer.FScale;
  const int ox = W->FRenderer.FOriginX, oy = W->FRenderer.FOriginY;

  W->Menu.nHidePanels->trigger();
  EXPECT_EQ(Shown(), (TPanels{false, false, false, false, false, false}));
  EXPECT_EQ(Checks(), (TPanels{true, false, false, false, false, false}));
  EXPECT_EQ(W->pnlImg->width(), W->centralWidget()->width());
  EXPECT_EQ(W->pnlImg->height(), W->centralWidget()->height());
  EXPECT_GT(W->pnlImg->width(), before.width());
  EXPECT_GT(W->pnlImg->height(), before.height());
  ExpectScaledToPanel();
  EXPECT_NE(W->FRenderer.FScale, scale);
  EXPECT_EQ(Obj(1).PostPositionPx, W->FRenderer.MmToPlan(Obj(1).PostPosition));

  W->Menu.nShowPanels->trigger();
  EXPECT_EQ(Shown(), kAllShown);
  EXPECT_EQ(Checks(), kAllShown);
  EXPECT_EQ(W->pnlImg->size(), before);
  EXPECT_EQ(W->FRenderer.FScale, scale);
  EXPECT_EQ(W->FRenderer.FOriginX, ox);
  EXPECT_EQ(W->FRenderer.FOriginY, oy);
  EXPECT_TRUE(PaletteUnderTools());
  EXPECT_EQ(W->pnlObjView->height(), 200);
}

TEST_F(ViewPanelsTest, ClosingTheInspectorLetsTheListFillTheColumnWithoutRescaling) {
  OpenFree();
  const QSize size = W->pnlImg->size();
  const long double scale = W->FRenderer.FScale;
  W->pnlObjInspTitle->CloseButton()->click();
  EXPECT_EQ(Shown(), (TPanels{true, true, false, true, true, true}));
  EXPECT_FALSE(W->Menu.nViewObjInsp->isChecked());
  EXPECT_TRUE(ListFillsColumn());
  EXPECT_EQ(W->pnlImg->size(), size);
  EXPECT_EQ(W->FRenderer.FScale, scale);

  // closing the list as well frees the column for the plan
  W->pnlObjView->pnlObjViewTitle->CloseButton()->click();
  EXPECT_FALSE(W->pnlLeft->isVisible());
  EXPECT_EQ(W->pnlImg->width(), size.width() + 217);
  ExpectScaledToPanel();

  // the menu brings the inspector back, the list on top at its own height
  W->Menu.nViewObjInsp->trigger();
  W->Menu.nViewObjView->trigger();
  EXPECT_EQ(Shown(), kAllShown);
  W->SettleLayout();
  EXPECT_EQ(W->pnlObjView->height(), 200);
  EXPECT_EQ(W->pnlImg->size(), size);
  ExpectScaledToPanel();
}

TEST_F(ViewPanelsTest, TheToolPanelsCloseAndComeBackInTheirOrder) {
  OpenFree();
  const QSize size = W->pnlImg->size();
  W->pnlTools->pnlToolsTitle->CloseButton()->click();
  W->pnlBeems->pnlBeemTitle->CloseButton()->click();
  EXPECT_EQ(Shown(), (TPanels{true, true, true, false, true, false}));
  EXPECT_EQ(W->pnlImg->size(), size + QSize(70, 52));
  ExpectScaledToPanel();
  W->Menu.nViewBells->trigger();  // hide the palette too, then bring both back
  W->Menu.nViewBells->trigger();
  W->Menu.nViewTools->trigger();
  W->Menu.nViewBeems->trigger();
  EXPECT_EQ(Shown(), kAllShown);
  EXPECT_TRUE(PaletteUnderTools());
  EXPECT_EQ(W->pnlImg->size(), size);
  ExpectScaledToPanel();
}

TEST_F(ViewPanelsTest, ClosingWritesTheLayout) {
  OpenFree();
  W->pnlBells->pnlBellsTitle->CloseButton()->click();
  W->pnlObjView->pnlObjViewTitle->CloseButton()->click();
  EXPECT_TRUE(W->close());
  TIniFile ini(ReadAll(Ini()));
  EXPECT_EQ(ini.ReadString(u"View", u"ObjView"), QStringLiteral("0"));
  EXPECT_EQ(ini.ReadString(u"View", u"ObjInsp"), QStringLiteral("1"));
  EXPECT_EQ(ini.ReadString(u"View", u"Bells"), QStringLiteral("0"));
  EXPECT_EQ(ini.ReadString(u"View", u"Beems"), QStringLiteral("1"));

  OpenFree();
  EXPECT_EQ(Shown(), (TPanels{true, false, true, true, false, true}));
}

TEST_F(ViewPanelsTest, AnUnwritablePlaceStartsWithPanelsShownAndClosesNormally) {
  // root may write anywhere; a plain file where the folder should be stops everyone
  const QString blocker = TempPath(QStringLiteral("config"));
  ASSERT_TRUE(WriteAll(blocker, "not a folder"));
  TStartOptions options;
  options.ViewIniRead = blocker + QStringLiteral("/view.ini");
  options.ViewIniWrite = options.ViewIniRead;
  options.RegisterFileType = false;
  W = std::make_unique<TfmMain>(options);
  W->FErrorReport = [this](const QString& m) { Errors << m; };
  W->FAskSave = [](const QString&) { return 1; };
  W->show();
  EXPECT_EQ(Shown(), kAllShown);
  EXPECT_EQ(Checks(), kAllShown);
  EXPECT_FALSE(W->Panels.WriteViewSettings());  // nothing is claimed as saved
  W->Menu.nHidePanels->trigger();
  EXPECT_TRUE(W->close());
  EXPECT_EQ(ReadAll(blocker), QByteArray("not a folder"));
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(ViewPanelsTest, PanelChangesNeverMoveThePlansMillimetres) {
  OpenFree();
  W->ChordBox(5)->click();
  W->pnlBells->FBellButtons[3]->click();
  ClickPlan(QPoint(W->FRenderer.FOriginX + 40, W->FRenderer.FOriginY + 50));
  W->pnlBeems->btnBeem->click();
  DragPlan(QPoint(W->FRenderer.FOriginX + 30, W->FRenderer.FOriginY + 30), QPoint(W->FRenderer.FOriginX + 90, W->FRenderer.FOriginY + 70));
  const QByteArray before = DocumentToBytes(W->FObjects);
  for (int i = 0; i < 10; ++i) {
    W->Menu.nHidePanels->trigger();
    W->Menu.nShowPanels->trigger();
    W->pnlObjInspTitle->CloseButton()->click();
    W->Menu.nViewObjInsp->trigger();
  }
  EXPECT_EQ(DocumentToBytes(W->FObjects), before);
  EXPECT_EQ(Obj(3).BellPositionPx, W->FRenderer.MmToPlan(Obj(3).BellPosition));
  EXPECT_EQ(Obj(4).BeemEndPointPx, W->FRenderer.MmToPlan(Obj(4).BeemEndPoint));
}

TEST(ViewIniPlace, BesideTheProgramWhenWritableElseInTheConfigFolder) {
  QTemporaryDir dir;
  const QString exe = dir.filePath(QStringLiteral("bin")), config = dir.filePath(QStringLiteral("cfg/tarvosk"));
  ASSERT_TRUE(QDir().mkpath(exe));
  const QString beside = exe + QStringLiteral("/view.ini"), own = config + QStringLiteral("/view.ini");
  EXPECT_EQ(ResolveViewIniPaths(exe, true, config).Write, beside);
  EXPECT_EQ(ResolveViewIniPaths(exe, true, config).Read, beside);
  EXPECT_EQ(ResolveViewIniPaths(exe, false, config).Write, own);
  EXPECT_EQ(ResolveViewIniPaths(exe, false, config).Read, own);
  // a file left beside a program that can no longer write there is read until the user's own
  // file exists, which then wins so that changes stick
  ASSERT_TRUE(WriteAll(beside, "[View]\r\nTools=0\r\n"));
  EXPECT_EQ(ResolveViewIniPaths(exe, false, config).Read, beside);
  ASSERT_TRUE(QDir().mkpath(config));
  ASSERT_TRUE(WriteAll(own, "[View]\r\n"));
  EXPECT_EQ(ResolveViewIniPaths(exe, false, config).Read, own);
}

}  // namespace
