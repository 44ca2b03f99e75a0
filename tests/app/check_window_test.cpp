// The design checks in the window, driven as a user drives them: the command, the panel that
// follows edits and undo, a finding clicked, and the plan and its picture untouched.
#include <QDockWidget>

#include "app/window/design_check_view.h"
#include "controls/finding_markers.h"
#include "controls/findings_panel.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace {

// Two bells of the five placed on top of each other, everything else as a designer has it.
QByteArray OverlappingBellsDocument() {
  std::vector<TPlanObject> o(2);
  o[0].ObjName = QStringLiteral("Стены");
  o[0].ObjType = okWalls;
  o[0].WallDiameterOuter = 5600;
  o[0].WallDiameterInner = 4000;
  o[0].WallWallWidth = 800;
  o[0].WallArcWidth = 1500;
  o[1].ObjName = QStringLiteral("Постамент");
  o[1].ObjType = okPost;
  o[1].PostWidth = 1800;
  o[1].PostHeight = 800;
  o[1].PostBoardDiameter = 250;
  o[1].PostPosition = QPoint(2800, 4200);
  const int d[5] = {696, 620, 800, 552, 480};
  const int x[5] = {1250, 1700, 2850, 3650, 4300};  // the second is 450 mm from the first
  for (int i = 0; i < 5; ++i) {
    TPlanObject b;
    b.ObjName = QStringLiteral("Б%1").arg(d[i]);
    b.ObjType = okBell;
    b.BellDiameter = d[i];
    b.BellPosition = QPoint(x[i], 1600);
    o.push_back(b);
  }
  TPlanObject beem;
  beem.ObjName = QStringLiteral("Балка");
  beem.ObjType = okBeam;
  beem.BeemMaterial = 2;
  beem.BeemWidth = 200;
  beem.BeemBeginPoint = QPoint(400, 1600);
  beem.BeemEndPoint = QPoint(5200, 1600);
  o.push_back(beem);
  return DocumentToBytes(o);
}

}  // namespace

class CheckWindowTest : public MainWindowTest {
 protected:
  void OpenOverlapping() {
    const QString path = TempPath(QStringLiteral("tier.tarvosk"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(OverlappingBellsDocument());
    f.close();
    ASSERT_TRUE(W->OpenDocument(path));
  }
  std::vector<TFinding> Listed() const { return W->FChecks->Findings(); }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
};

TEST_F(CheckWindowTest, TheCommandShowsThePanelAndTheListFollowsEditsAndUndo) {
  OpenOverlapping();
  EXPECT_EQ(W->FChecks, nullptr);  // nothing is checked before the user asks
  W->Menu.nCheck->trigger();
  Settle();
  ASSERT_NE(W->FChecks, nullptr);
  EXPECT_TRUE(W->FChecks->Panel()->isVisible());
  EXPECT_TRUE(W->Menu.nFindings->isChecked());
  ASSERT_EQ(Listed().size(), 1u);
  EXPECT_EQ(Listed()[0].Rule, TCheckRule::BellsTooClose);
  EXPECT_EQ(W->FChecks->Panel()->lstFindings->count(), 1);
  EXPECT_EQ(W->FChecks->Markers()->Places().size(), 1u);

  // The second bell moved away on its page: the finding goes, and comes back with undo.
  W->SelectObject(3);
  TypeAndEnter(W->pnlBellProp->edBPositionX, QStringLiteral("2050"));
  Settle();
  EXPECT_TRUE(Listed().empty());
  EXPECT_EQ(W->FChecks->Panel()->lstFindings->count(), 1);  // "Замечаний нет"
  EXPECT_TRUE(W->FChecks->Markers()->Places().empty());
  W->Menu.nUndo->trigger();
  Settle();
  ASSERT_EQ(Listed().size(), 1u);
  W->Menu.nRedo->trigger();
  Settle();
  EXPECT_TRUE(Listed().empty());

  // Hidden from the menu, the panel takes its markers with it and checks nothing more.
  W->Menu.nFindings->trigger();
  Settle();
  EXPECT_FALSE(W->FChecks->Panel()->isVisible());
  EXPECT_FALSE(W->FChecks->Markers()->isVisible());
  W->Menu.nUndo->trigger();
  Settle();
  EXPECT_TRUE(Listed().empty());  // as it was when hidden
  W->Menu.nFindings->trigger();
  Settle();
  EXPECT_EQ(Listed().size(), 1u);  // shown again, up to date
}

TEST_F(CheckWindowTest, AFindingClickedSelectsItsObjectAndShowsItMagnified) {
  OpenOverlapping();
  W->pnlTools->btnCheck->click();
  Settle();
  ASSERT_EQ(Listed().size(), 1u);
  QListWidget* list = W->FChecks->Panel()->lstFindings;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(0)).center());
  Settle();
  EXPECT_EQ(W->FCurIndex, 2);  // the first bell named
  EXPECT_GT(W->FRenderer.FView.Steps, 0);
  const QPoint at = W->FChecks->Markers()->Places().at(0);
  EXPECT_TRUE(W->pnlImg->rect().contains(at)) << at.x() << "," << at.y();
  // The place maps back to the finding's millimetres, wherever the view went.
  const QPoint mm = W->FRenderer.PlanToMm(at - QPoint(4, 4));
  EXPECT_NEAR(mm.x(), Listed()[0].At.x(), 2 / W->FRenderer.FScale + 1);
  EXPECT_NEAR(mm.y(), Listed()[0].At.y(), 2 / W->FRenderer.FScale + 1);
}

TEST_F(CheckWindowTest, TheExportedPictureKnowsNothingOfTheChecks) {
  OpenOverlapping();
  const QImage before = W->FixedPlanPicture();
  W->Menu.nCheck->trigger();
  W->FChecks->Panel()->setFloating(true);  // the plan keeps its size
  Settle();
  ASSERT_EQ(W->pnlImg->size(), QSize(618, 352));
  ASSERT_FALSE(W->FChecks->Markers()->Places().empty());
  EXPECT_EQ(W->FixedPlanPicture(), before);
}

TEST_F(CheckWindowTest, TheClearancesAreKeptInTheirFileAndCheckedWith) {
  // A window that keeps its clearances in a file of the test's own.
  const QString file = TempPath(QStringLiteral("checks.ini"));
  ASSERT_EQ(WriteCheckSettings(file, {500, 50}), QString());
  W.reset();
  CheckSettingsOption = file;
  Open(QSize(618, 352));
  OpenOverlapping();
  W->Menu.nCheck->trigger();
  Settle();
  EXPECT_EQ(W->FChecks->Settings(), (TCheckSettings{500, 50}));
  // With 500 mm between rims asked for, every pair of neighbours in the row is too close (their
  // rims 440, 124 and 134 mm apart, besides the overlap).
  EXPECT_EQ(Listed().size(), 4u);
  W->FChecks->SetSettings({50, 50});
  Settle();
  EXPECT_EQ(Listed().size(), 1u);
  EXPECT_EQ(ReadCheckSettings(file), (TCheckSettings{50, 50}));
}

TEST_F(CheckWindowTest, TheWindowsSheetListsTheFindingsAndWhatOpeningLeftOut) {
  const QString path = TempPath(QStringLiteral("edited.tarvosk"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  QByteArray bytes = OverlappingBellsDocument();
  bytes += "[Object8]\r\nObjName=Stranger\r\nObjType=1\r\nBellDiameter_R=777\r\nBellPosition_R=2000,2000\r\n";
  f.write(bytes);
  f.close();
  ASSERT_TRUE(W->OpenDocument(path));
  ASSERT_EQ(W->FOpeningNotes.size(), 1);
  EXPECT_TRUE(W->FOpeningNotes[0].contains(QStringLiteral("[Object8]")));
  const QString csv = TempPath(QStringLiteral("bill.csv"));
  ASSERT_EQ(W->Sheet.ExportSheetAs(csv, TSheetFormat::Csv), QString());
  QFile in(csv);
  ASSERT_TRUE(in.open(QIODevice::ReadOnly));
  const QString bill = QString::fromUtf8(in.readAll());
  const qsizetype remarks = bill.indexOf(QStringLiteral("Замечания"));
  ASSERT_GE(remarks, 0);
  EXPECT_GT(bill.indexOf(W->FOpeningNotes[0]), remarks);
  EXPECT_GT(bill.indexOf(QStringLiteral("bells-too-close")), remarks);
  // A new plan has nothing left out.
  W->Menu.nNewDoc->trigger();
  EXPECT_TRUE(W->FOpeningNotes.isEmpty());
}
