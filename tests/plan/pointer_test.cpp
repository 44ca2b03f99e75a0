// Presses, moves and releases on the plan: what is hit, what moves and what the fields show.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QStackedWidget>
#include <QToolButton>

#include "platform/layer.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "support/main_window_fixture.h"

namespace {

class PointerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());  // Del and the list's focus need an active window
  }

  int PlaceBell(int n, QPoint at) {
    W->pnlBells->FBellButtons[static_cast<size_t>(n - 1)]->click();
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  // Which object a click at `at` makes current.
  int Picked(QPoint at) {
    ClickPlan(at);
    return W->FCurIndex;
  }
  // Position among the drawing panel's child widgets, 0 at the bottom.
  int Stack(const TLayer* layer) const {
    const std::vector<TLayer*>& order = W->pnlImg->Layers().Order();
    const auto it = std::find(order.begin(), order.end(), layer);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
  }
};

TEST_F(PointerTest, PressesOnABellSquareEdgeMiss) {
  const QPoint c(250, 110);
  const int b = PlaceBell(42, c);  // 1500 mm
  const int r = Obj(b).BellDiameterPx / 2;
  ASSERT_GT(r, 10);
  struct Row {
    QPoint at;
    int picked;
  };
  const Row rows[] = {
      {{c.x() - r, c.y()}, 0},     {{c.x() - r + 1, c.y()}, b}, {{c.x() + r, c.y()}, 0},
      {{c.x() + r - 1, c.y()}, b}, {{c.x(), c.y() - r}, 0},     {{c.x(), c.y() - r + 1}, b},
      {{c.x(), c.y() + r}, 0},     {{c.x(), c.y() + r - 1}, b},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Picked(row.at), row.picked) << row.at.x() << "," << row.at.y();
    EXPECT_EQ(Obj(b).BellPositionPx, c) << "a press and release without a move moves nothing";
  }
}

TEST_F(PointerTest, PedestalIsHitWithinItsFrame) {
  const QRect g = Obj(1).Layer->geometry();
  const int cx = g.left() + g.width() / 2, cy = g.top() + g.height() / 2;
  struct Row {
    QPoint at;
    int picked;
  };
  const Row rows[] = {
      {{g.left() - 6, cy}, 0},
      {{g.left() - 5, cy}, 1},
      {{g.left() + g.width() - 1, cy}, 0},
      {{g.left() + g.width() - 2, cy}, 1},
      {{cx, g.top() - 6}, 0},
      {{cx, g.top() - 5}, 1},
      {{cx, g.top() + g.height() - 1}, 0},
      {{cx, g.top() + g.height() - 2}, 1},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(Picked(row.at), row.picked) << row.at.x() << "," << row.at.y();
    EXPECT_EQ(W->pnlInspPages->currentWidget(), row.picked ? static_cast<QWidget*>(W->pnlPostProp) : W->pnlWallProp);
  }
}

TEST_F(PointerTest, OverlapPicksTheLaterBellWhateverTheStacking) {
  const int a = PlaceBell(42, QPoint(250, 110));  // 59 px
  const int b = PlaceBell(41, QPoint(290, 110));  // 53 px, overlapping a
  const QPoint overlap(268, 110);
  ASSERT_EQ(W->HitTest(overlap.x(), overlap.y()), b);

  W->Menu.nSendToBack->trigger();  // b, current after its placement, goes under a
  ASSERT_LT(Stack(Obj(b).Layer), Stack(Obj(a).Layer));
  QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, overlap + QPoint(4, 4));
  EXPECT_EQ(W->FCurIndex, b);
  EXPECT_GT(Stack(Obj(b).Layer), Stack(Obj(a).Layer)) << "the press brings the hit bell forward";
  QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, overlap + QPoint(4, 4));
  // the ringer and the frame stay above every object
  EXPECT_GT(Stack(W->FRenderer.Layer(RingerLayer)), Stack(Obj(b).Layer));
  EXPECT_GT(Stack(W->FRenderer.Layer(SelectionLayer)), Stack(W->FRenderer.Layer(RingerLayer)));

  ToggleEntry(b);
  ASSERT_FALSE(Obj(b).ObjVisible);
  EXPECT_EQ(Picked(overlap), a) << "a hidden bell is passed through";
  ToggleEntry(a);
  EXPECT_EQ(Picked(overlap), 0);
}

TEST_F(PointerTest, PressOnEmptyPlanBringsTheWallsForward) {
  const int b = PlaceBell(10, QPoint(250, 110));
  ClickPlan(QPoint(380, 120));
  EXPECT_EQ(W->FCurIndex, 0);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp);
  EXPECT_GT(Stack(Obj(0).Layer), Stack(Obj(1).Layer));
  EXPECT_GT(Stack(Obj(0).Layer), Stack(Obj(b).Layer));
  EXPECT_GT(Stack(W->FRenderer.Layer(SelectionLayer)), Stack(Obj(0).Layer));
}

TEST_F(PointerTest, DraggedBellFieldsAreCappedAtTheWallsOnly) {
  const int b = PlaceBell(10, QPoint(250, 110));
  struct Row {
    QPoint to;
    bool xBelow, xAbove, yAbove;
    QPoint mm;  // (to - origin (199, 65)) / 0.0393571 px per mm, rounded
  };
  const Row rows[] = {
      {{150, 110}, true, false, false, {-1245, 1143}},  // left of the walls
      {{450, 110}, false, true, false, {6377, 1143}},   // beyond the right wall
      {{300, 300}, false, false, true, {2566, 5971}},   // below the bottom wall
      {{450, 320}, false, true, true, {6377, 6479}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.to.x());
    const QPoint from = Obj(b).BellPositionPx;
    QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, from + QPoint(4, 4));
    QTest::mouseMove(W->pnlImg, r.to + QPoint(4, 4));
    const TPlanObject& bell = Obj(b);
    // while dragging: stored unlimited, shown capped from above only
    EXPECT_EQ(bell.BellPositionPx, r.to);
    EXPECT_EQ(bell.BellPosition, r.mm);
    EXPECT_EQ(bell.BellPosition.x() < 0, r.xBelow);
    EXPECT_EQ(bell.BellPosition.x() > 5600, r.xAbove);
    EXPECT_EQ(bell.BellPosition.y() > 5600, r.yAbove);
    const int d = bell.BellDiameterPx;
    EXPECT_EQ(bell.Layer->geometry(), QRect(r.to - QPoint(d / 2, d / 2), QSize(d, d)));
    // The field cannot show a sign: a negative X is passed to it as it is and reads 0.
    const int shownX = qMin(bell.BellPosition.x(), 5600);
    EXPECT_EQ(W->pnlBellProp->edBPositionX->Value(), qMax(0, shownX));
    EXPECT_EQ(W->pnlBellProp->edBPositionY->Value(), qMin(bell.BellPosition.y(), 5600));
    QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, r.to + QPoint(4, 4));
    EXPECT_EQ(W->FPointerMode, pmIdle);
    EXPECT_EQ(W->FCurIndex, b);
    EXPECT_EQ(W->pnlBellProp->edBPositionX->Value(), qMax(0, shownX));
    EXPECT_EQ(Obj(b).BellPosition, r.mm);
  }
}

TEST_F(PointerTest, MovesWithoutAPressDoNothing) {
  const int b = PlaceBell(10, QPoint(250, 110));
  QTest::mouseMove(W->pnlImg, QPoint(300, 150));
  EXPECT_EQ(Obj(b).BellPositionPx, QPoint(250, 110));
  W->pnlBells->FBellButtons[0]->click();  // armed
  QTest::mouseMove(W->pnlImg, QPoint(320, 150));
  EXPECT_EQ(W->FPointerMode, pmPlaceBell) << "an armed placement waits for the press";
  EXPECT_EQ(W->FObjects.size(), 3u);
  ClickPlan(QPoint(330, 150));
  EXPECT_EQ(W->FObjects.size(), 4u);
}

TEST_F(PointerTest, ReleaseGivesTheListTheFocusSoDelDeletes) {
  const int a = PlaceBell(1, QPoint(250, 110));
  PlaceBell(2, QPoint(300, 110));
  ASSERT_TRUE(W->pnlObjView->clbObjects->hasFocus());
  QTest::keyClick(W->pnlObjView->clbObjects, Qt::Key_Delete);
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(W->FDocument.FindBell(225), -1) << "the bell just placed is the one deleted";
  EXPECT_EQ(W->FBellSlots[1], -1);
  EXPECT_EQ(W->FCurIndex, 0);

  // the same after a drag, from whichever widget had the focus before
  W->pnlWallProp->edDiameterOuter->setFocus();
  DragPlan(Obj(a).BellPositionPx, QPoint(260, 150));
  ASSERT_TRUE(W->pnlObjView->clbObjects->hasFocus());
  QTest::keyClick(W->pnlObjView->clbObjects, Qt::Key_Delete);
  EXPECT_EQ(W->FObjects.size(), 2u);

  // with the list's panel hidden there is nowhere to put the focus; placing still works
  W->Menu.nViewObjView->trigger();
  ASSERT_FALSE(W->pnlObjView->clbObjects->isVisible());
  PlaceBell(3, QPoint(250, 110));
  EXPECT_EQ(W->FObjects.size(), 3u);
  EXPECT_FALSE(W->pnlObjView->clbObjects->hasFocus());
  EXPECT_EQ(W->FCurIndex, 2);
}

// Arming does not reserve the catalogue bell: the inspector can give another bell that diameter
// before the press. The press must not put a second bell of one diameter on the plan.
TEST_F(PointerTest, ArmedBellThatCameOnThePlanMeanwhileIsSelectedNotPlacedAgain) {
  const int b = PlaceBell(1, QPoint(250, 110));
  W->pnlBells->FBellButtons[4]->click();  // bell 5, 307 mm: armed
  ASSERT_EQ(W->FPointerMode, pmPlaceBell);
  ClickEntry(b);
  W->pnlBellProp->cbBellDiameter->setFocus();
  for (int i = 0; i < 4; ++i) QTest::keyClick(W->pnlBellProp->cbBellDiameter, Qt::Key_Down);
  ASSERT_EQ(Obj(b).BellDiameter, 307);
  ASSERT_EQ(W->FPointerMode, pmPlaceBell);

  ClickPlan(QPoint(350, 150));
  EXPECT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_FALSE(W->pnlImg->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(W->FCurIndex, b);
  EXPECT_EQ(W->FBellSlots[4], b);
  EXPECT_EQ(Obj(b).BellPositionPx, QPoint(250, 110));
}

TEST_F(PointerTest, ArmedCursorsAndTheirHotSpots) {
  W->pnlBells->FBellButtons[0]->click();
  EXPECT_EQ(W->pnlImg->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(W->pnlImg->cursor().hotSpot(), QPoint(15, 15));
  EXPECT_FALSE(W->pnlImg->cursor().pixmap().isNull());
  ClickPlan(QPoint(250, 110), Qt::RightButton);
  EXPECT_FALSE(W->pnlImg->testAttribute(Qt::WA_SetCursor));

  W->pnlBeems->btnBeem->click();
  EXPECT_EQ(W->FPointerMode, pmPlaceBeam);
  EXPECT_EQ(W->pnlImg->cursor().hotSpot(), QPoint(11, 20));
  EXPECT_FALSE(W->pnlImg->cursor().pixmap().isNull());
  DragPlan(QPoint(220, 200), QPoint(380, 200));
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_FALSE(W->pnlImg->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(Obj(W->FCurIndex).ObjType, okBeam);
}

}  // namespace
