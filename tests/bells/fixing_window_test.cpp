// Fixing the arrangement on the real main window: groups, ringing lines, weights, dimensions.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QToolButton>

#include "bells/annotation_paint.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "platform/layer.h"
#include "support/main_window_fixture.h"

namespace {

bool IsWhite(const QImage& image, QPoint p) { return (image.pixel(p) & 0xFFFFFFu) == 0xFFFFFFu; }

// Lines are one pixel wide; allow for the rasteriser's choice of pixel next to the exact point.
bool InkNear(const QImage& image, QPoint p) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (!IsWhite(image, p + QPoint(dx, dy))) return true;
  return false;
}

bool InkIn(const QImage& image, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.rect().contains(x, y) && !IsWhite(image, QPoint(x, y))) return true;
  return false;
}

QPoint Mid(QPoint a, QPoint b) { return (a + b) / 2; }

class FixingWindowTest : public MainWindowTest {
 protected:
  // Places catalogue bell `slot` (bell number slot + 1) with the palette at a plan point.
  int PlaceBell(int slot, QPoint at) {
    W->pnlBells->FBellButtons[static_cast<size_t>(slot)]->click();
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  // Five small bells spread over the plan so their lines cross no other line's middle.
  std::vector<int> PlaceFive() {
    std::vector<int> at;
    const QPoint points[] = {{230, 90}, {380, 90}, {230, 160}, {390, 170}, {300, 95}};
    for (int slot = 0; slot < 5; ++slot) at.push_back(PlaceBell(slot, points[slot]));
    return at;
  }
  const QImage& Annotations() const { return W->FRenderer.Layer(AnnotationLayer)->Canvas(); }
  const QImage& Weights() const { return W->FRenderer.Layer(WeightLayer)->Canvas(); }
  QPoint HandEnd() const { return W->FRenderer.FHandPoint - QPoint(W->FRenderer.FHandOffset, 0); }  // angle 0: "UpRinger"
  QRect WeightRect(int index, int slot) {
    const TPlanObject& b = Obj(index);
    const int len = static_cast<int>(QString::number(W->FBellWeights[static_cast<size_t>(slot)]).size()) + 2;
    const int x = b.BellPositionPx.x() - ((len + 3) * 5) / 2;
    const int y = b.BellPositionPx.y() - 14 - b.BellDiameterPx / 2;
    return QRect(x, y, len * 5 + 4, 14);
  }
};

TEST_F(FixingWindowTest, FiveBellsGiveOnePedalTwoPostLinesAndTwoHandLines) {
  const std::vector<int> bells = PlaceFive();
  ASSERT_EQ(W->FObjects.size(), 7u);
  ASSERT_EQ(Obj(1).PostAngle, 0);
  W->pnlTools->btnApply->click();
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());

  // falling slot order: the heaviest is the pedal bell, then two to the pedestal, two to the hand
  const int groups[5] = {1, 1, 2, 2, 3};
  for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(Obj(bells[slot]).BellGroup, groups[slot]) << slot;
  EXPECT_EQ(Obj(1).PostPedals.size(), 1u);

  const QPoint post = Obj(1).PostPositionPx;
  for (int slot : {2, 3}) EXPECT_TRUE(InkNear(Annotations(), Mid(Obj(bells[slot]).BellPositionPx, post))) << slot;
  for (int slot : {0, 1}) EXPECT_TRUE(InkNear(Annotations(), Mid(Obj(bells[slot]).BellPositionPx, HandEnd()))) << slot;
  const QPoint heavy = Obj(bells[4]).BellPositionPx;
  EXPECT_FALSE(InkNear(Annotations(), Mid(heavy, post)));
  EXPECT_FALSE(InkNear(Annotations(), Mid(heavy, HandEnd())));

  for (int slot = 0; slot < 5; ++slot) EXPECT_TRUE(InkIn(Weights(), WeightRect(bells[slot], slot))) << slot;
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(FixingWindowTest, FourBellsShowAnEmptyAnnotationLayerAndTheirWeights) {
  std::vector<int> bells;
  const QPoint points[] = {{230, 90}, {380, 90}, {230, 160}, {390, 170}};
  for (int slot = 0; slot < 4; ++slot) bells.push_back(PlaceBell(slot, points[slot]));
  W->pnlTools->btnApply->click();
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_FALSE(InkIn(Annotations(), Annotations().rect()));
  EXPECT_TRUE(Obj(1).PostPedals.empty());
  for (int slot = 0; slot < 4; ++slot) EXPECT_TRUE(InkIn(Weights(), WeightRect(bells[slot], slot))) << slot;
}

TEST_F(FixingWindowTest, WeightTextsStandCentredOverTheirBells) {
  // bell 1 weighs 6 kg: "6кг", 3 characters, 15 px left of the centre; bell 28 has 7 characters
  struct Row { int slot; int chars; int left; };
  for (const Row& r : {Row{0, 3, 15}, Row{27, 7, 25}}) {
    SCOPED_TRACE(r.slot);
    W->Menu.nNewDoc->trigger();
    const int b = PlaceBell(r.slot, QPoint(300, 150));
    W->pnlTools->btnApply->click();
    ASSERT_EQ(QString::number(W->FBellWeights[static_cast<size_t>(r.slot)]).size() + 2, r.chars);
    const TPlanObject& bell = Obj(b);
    const int x = bell.BellPositionPx.x() - r.left;
    const int y = bell.BellPositionPx.y() - 14 - bell.BellDiameterPx / 2;
    // the text's first ink lies just right of its corner, and nothing is written left of it
    EXPECT_TRUE(InkIn(Weights(), QRect(x, y, 3, 14)));
    EXPECT_FALSE(InkIn(Weights(), QRect(x - 6, y - 4, 6, 22)));
    EXPECT_FALSE(InkIn(Weights(), QRect(x, y + 14, r.chars * 6, 4)));  // nothing below the line
  }
}

TEST_F(FixingWindowTest, AHiddenBellIsGroupedButGetsNeitherLineNorWeight) {
  const std::vector<int> bells = PlaceFive();
  W->pnlObjView->clbObjects->item(bells[2])->setCheckState(Qt::Unchecked);
  W->pnlTools->btnApply->click();
  EXPECT_EQ(Obj(bells[2]).BellGroup, 2);
  const QPoint post = Obj(1).PostPositionPx;
  EXPECT_FALSE(InkNear(Annotations(), Mid(Obj(bells[2]).BellPositionPx, post)));
  EXPECT_TRUE(InkNear(Annotations(), Mid(Obj(bells[3]).BellPositionPx, post)));
  EXPECT_FALSE(InkIn(Weights(), WeightRect(bells[2], 2)));
  EXPECT_TRUE(InkIn(Weights(), WeightRect(bells[3], 3)));
}

TEST_F(FixingWindowTest, FourSidedWallsGetBothDimensionsOthersNone) {
  W->pnlTools->btnApply->click();
  const TPlanObject& w = Obj(0);
  const QPoint p0 = w.WallOuterPointsPx.at(0), p3 = w.WallOuterPointsPx.at(3);
  // the outer size: extension lines 25 px to the left, the dimension line 19 px left of the edge
  EXPECT_TRUE(InkNear(Weights(), QPoint(p0.x() - 10, p0.y())));
  EXPECT_TRUE(InkNear(Weights(), QPoint(p0.x() - 19, (p0.y() + p3.y()) / 2 + 30)));
  // the inner size above the walls, reaching about 25 px above the outer wall
  const QPoint i0 = w.WallInnerPointsPx.at(0), i1 = w.WallInnerPointsPx.at(1);
  const int lineY = i0.y() - 25 - w.WallWallWidthPx + 6;
  EXPECT_TRUE(InkNear(Weights(), QPoint((i0.x() + i1.x()) / 2 + 30, lineY)));

  // six-sided walls: the strip left of the walls stays empty
  W->pnlWallProp->cbWallType->showPopup();
  W->pnlWallProp->cbWallType->view()->setCurrentIndex(W->pnlWallProp->cbWallType->model()->index(1, 0));
  QTest::keyClick(W->pnlWallProp->cbWallType->view(), Qt::Key_Return);
  ASSERT_EQ(Obj(0).WallType, 1);
  W->pnlTools->btnApply->click();
  EXPECT_FALSE(InkIn(Weights(), QRect(0, 0, W->FRenderer.FOriginX - 2, Weights().height())));
  EXPECT_FALSE(InkIn(Weights(), QRect(0, 0, Weights().width(), W->FRenderer.FOriginY - 2)));
}

TEST_F(FixingWindowTest, AnyLaterDrawingHidesTheFixing) {
  PlaceFive();
  W->pnlTools->btnApply->click();
  ASSERT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  // selecting another object draws its frame
  QTest::mouseClick(W->pnlObjView->clbObjects->viewport(), Qt::LeftButton, Qt::NoModifier,
                    W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(1)).center());
  EXPECT_FALSE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_FALSE(W->FRenderer.Layer(WeightLayer)->isVisible());
  // and the lines come back only with the next fixing
  W->pnlTools->btnApply->click();
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
}

// Lines of an earlier fixing are taken off before the next one is drawn, whatever happened in
// between: a bell moved, the fixing hidden by another object's frame, the same fixing again.
TEST_F(FixingWindowTest, AFixingLeavesOnlyItsOwnLines) {
  const std::vector<int> bells = PlaceFive();
  const auto fresh = [&] {  // the lines alone on a white canvas
    QImage only(Annotations().size(), QImage::Format_RGB32);
    only.fill(Qt::white);
    DrawSegments(only, W->FRenderer.FFixingLines);
    return only;
  };
  const std::function<void()> steps[] = {
      [] {},
      [&] {
        W->SelectObject(bells[2]);
        W->FDocument.SetBellPosition(W->FCurIndex, true, Obj(bells[2]).BellPosition.x() + 400);
      },
      [&] {
        QTest::mouseClick(W->pnlObjView->clbObjects->viewport(), Qt::LeftButton, Qt::NoModifier,
                          W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(1)).center());
      },
      [&] {
        W->SelectObject(bells[0]);
        W->FDocument.SetBellPosition(W->FCurIndex, false, Obj(bells[0]).BellPosition.y() - 300);
      },
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i]();
    W->pnlTools->btnApply->click();
    ASSERT_FALSE(W->FRenderer.FFixingLines.empty());
    EXPECT_EQ(Annotations(), fresh()) << "after step " << i;
  }
}

TEST_F(FixingWindowTest, FixingStacksWallsAboveBellsAndTextsAboveWalls) {
  const std::vector<int> bells = PlaceFive();
  W->ChordBox(1)->click();
  W->pnlTools->btnApply->click();
  const std::vector<TLayer*>& order = W->pnlImg->Layers().Order();  // bottom to top
  const auto at = [&](const TLayer* l) { return std::find(order.begin(), order.end(), l) - order.begin(); };
  const TLayer* walls = Obj(0).Layer;
  EXPECT_LT(at(Obj(1).Layer), at(W->FRenderer.Layer(AnnotationLayer)));
  EXPECT_LT(at(W->FRenderer.Layer(AnnotationLayer)), at(W->FRenderer.Layer(RingerLayer)));
  EXPECT_LT(at(W->FRenderer.Layer(RingerLayer)), at(Obj(bells[0]).Layer));
  EXPECT_LT(at(Obj(bells[4]).Layer), at(Obj(7).Layer));  // the beam above the bells
  EXPECT_LT(at(Obj(7).Layer), at(walls));
  EXPECT_LT(at(walls), at(W->FRenderer.Layer(WeightLayer)));
  EXPECT_LT(at(W->FRenderer.Layer(WeightLayer)), at(W->FRenderer.Layer(SelectionLayer)));
}

// A large portrait panel, 1240 x 1300: 0.2 pixel per millimetre, the walls' square from (65, 90),
// the pedestal's centre at (625, 930), the figure 120 pixels square and the hand offset 20. All
// seven bells stand up and to the left of the pedestal, so every line comes in from that side
// and the pixels beyond its end stay white.
TEST_F(FixingWindowTest, LinesEndAtTheHandAndThePedestalCentreForEveryTurn) {
  W->SetPlanClientSize(QSize(1240, 1300));
  QCoreApplication::processEvents();
  ASSERT_EQ(W->FRenderer.FOriginX, 65);
  ASSERT_EQ(W->FRenderer.FOriginY, 90);
  ASSERT_EQ(Obj(1).PostPositionPx, QPoint(625, 930));
  const QPoint at[] = {{150, 150}, {270, 150}, {390, 150}, {150, 270},
                       {270, 270}, {150, 390}, {390, 270}};
  std::vector<int> bells;
  for (int slot = 0; slot < 7; ++slot) bells.push_back(PlaceBell(slot, at[slot]));
  const QPoint centre(625, 930);
  struct Row {
    int angle;
    QPoint end;  // where the hand lines stop
  };
  const Row rows[] = {
      {0, {665, 900}},    // raised hand (685, 900), pulled back 20 to the left
      {60, {634, 969}},   // hand (654, 989), pulled back up and left
      {90, {634, 969}},   //
      {150, {566, 939}},  // hand (566, 959), pulled back up
      {180, {566, 939}},  //
      {250, {596, 871}},  // hand (596, 871), not pulled back
      {270, {596, 871}},  //
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("angle " + std::to_string(r.angle));
    W->SelectObject(1);
    TypeAndEnter(W->pnlPostProp->edPostAngle, QString::number(r.angle));
    ASSERT_EQ(Obj(1).PostAngle, r.angle);
    ASSERT_EQ(Obj(1).PostPositionPx, centre);
    EXPECT_EQ(W->FRenderer.FHandOffset, 20);
    W->pnlTools->btnApply->click();
    int hand = 0, post = 0;
    for (int k : bells) {
      const int group = Obj(k).BellGroup;
      if (group != 1 && group != 2) continue;
      (group == 1 ? hand : post)++;
      const QPoint end = group == 1 ? r.end : centre;
      const QPoint from = Obj(k).BellPositionPx;
      ASSERT_LT(from.x(), end.x());
      ASSERT_LT(from.y(), end.y());
      // The line's last pixel is a neighbour of the end on the bell's side; the end itself is
      // left out, as every line of the plan leaves out its last point, and nothing lies beyond.
      EXPECT_TRUE(!IsWhite(Annotations(), end + QPoint(-1, -1)) ||
                  !IsWhite(Annotations(), end + QPoint(-1, 0)) ||
                  !IsWhite(Annotations(), end + QPoint(0, -1)))
          << "no ink before " << end.x() << "," << end.y() << " group " << group;
      for (QPoint past : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        EXPECT_TRUE(IsWhite(Annotations(), end + past))
            << "ink at " << (end + past).x() << "," << (end + past).y() << " group " << group;
      // And it is a line from the bell: ink half way.
      EXPECT_TRUE(InkNear(Annotations(), Mid(from, end))) << "group " << group;
    }
    EXPECT_EQ(hand, 3);
    EXPECT_EQ(post, 3);
  }
}

}  // namespace

// A diameter another bell holds is refused and changes nothing: the fixing stays on the plan.
// A free one changes the bell and hides it, as any edit does.
TEST_F(FixingWindowTest, ARefusedDiameterLeavesTheFixingShown) {
  const std::vector<int> bells = PlaceFive();
  QTest::mouseClick(W->pnlObjView->clbObjects->viewport(), Qt::LeftButton, Qt::NoModifier,
                    W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(bells[0])).center());
  W->pnlTools->btnApply->click();
  ASSERT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());
  QComboBox* cb = W->pnlBellProp->cbBellDiameter;
  const QString own = cb->currentText();
  cb->setFocus();
  QTest::keyClick(cb, Qt::Key_Down);  // bell 2's diameter, taken
  EXPECT_EQ(cb->currentText(), own);
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());

  QTest::keyClick(cb, Qt::Key_End);  // the last catalogue bell, free
  EXPECT_NE(cb->currentText(), own);
  EXPECT_FALSE(W->FRenderer.Layer(WeightLayer)->isVisible());
}
