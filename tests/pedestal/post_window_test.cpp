// The pedestal in the real window: its page, its drawing with the ringer figure and the pedals.
#include <QApplication>
#include <QStackedWidget>
#include <QToolButton>
#include <cmath>

#include "pedestal/post_painting.h"
#include "controls/wall_page.h"
#include "controls/post_page.h"
#include "platform/layer.h"
#include "support/main_window_fixture.h"

namespace {

class PostWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());  // Del and the list's focus need an active window
  }

  TPlanObject& Post() { return Obj(1); }
  TLayer* PostLayer() { return Post().Layer; }

  void PressWithListFocus(Qt::Key key) {
    W->pnlObjView->clbObjects->setFocus();
    QTest::keyClick(W->pnlObjView->clbObjects, key);
  }
  int PlaceBell(int n, QPoint at) {
    W->pnlBells->FBellButtons[static_cast<size_t>(n - 1)]->click();
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  // Types into a pedestal field with the pedestal current, as a user would reach it.
  void TypePost(TacNumberEdit* edit, const QString& text) {
    ClickEntry(1);
    TypeAndEnter(edit, text);
  }
  QRgb PostPixel(int x, int y) { return PostLayer()->Canvas().pixel(x, y) & 0xFFFFFFu; }
  static bool AllWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) return false;
    return true;
  }
};

TEST_F(PostWindowTest, StartsCentredInFrontOfTheBottomWall) {
  EXPECT_EQ(Post().PostPosition, QPoint(2800, 4200));
  EXPECT_EQ(Post().PostPositionPx, QPoint(309, 230));  // (110 + 199, 165 + 65)
  const QRect g = PostLayer()->geometry();
  EXPECT_EQ(g.size(), PostLayer()->Canvas().size());
  EXPECT_EQ(g.left(), Post().PostPositionPx.x() - g.width() / 2);
  EXPECT_EQ(g.top(), Post().PostPositionPx.y() - g.height() / 2);
  EXPECT_TRUE(W->FRenderer.Layer(RingerLayer)->isVisible());
  EXPECT_EQ(W->FRenderer.FRingerPicture, QStringLiteral(":/UpRinger"));
  // the cream deck and the dark board at its centre
  const QPoint c = Post().PostBoardCentre;
  EXPECT_EQ(PostPixel(c.x(), c.y()), pedestal::kBoardColour & 0xFFFFFFu);
  EXPECT_EQ(PostPixel(c.x() + Post().PostBoardDiameterPx, c.y()), pedestal::kPostColour & 0xFFFFFFu);
}

TEST_F(PostWindowTest, TypedValuesAreClampedAndRedrawn) {
  struct Row {
    TacNumberEdit* TPostPage::*field;
    const char* typed;
    std::int32_t stored;
    std::int32_t (*read)(const TPlanObject&);
  };
  auto width = [](const TPlanObject& o) { return o.PostWidth; };
  auto height = [](const TPlanObject& o) { return o.PostHeight; };
  auto angle = [](const TPlanObject& o) { return o.PostAngle; };
  auto x = [](const TPlanObject& o) { return o.PostPosition.x(); };
  auto y = [](const TPlanObject& o) { return o.PostPosition.y(); };
  const Row rows[] = {
      {&TPostPage::edPostWidth, "2600", 2500, width},   {&TPostPage::edPostWidth, "650", 700, width},
      {&TPostPage::edPostWidth, "1200", 1200, width},   {&TPostPage::edPostHeight, "650", 700, height},
      {&TPostPage::edPostHeight, "2600", 2500, height}, {&TPostPage::edPostAngle, "359", 359, angle},
      {&TPostPage::edPostAngle, "360", 0, angle},       {&TPostPage::edPostAngle, "1000", 0, angle},
      {&TPostPage::edPostAngle, "30", 30, angle},       {&TPostPage::edPostPositionX, "9000", 5600, x},
      {&TPostPage::edPostPositionY, "0", 0, y},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.typed);
    TacNumberEdit* edit = W->pnlPostProp->*r.field;
    TypePost(edit, QString::fromLatin1(r.typed));
    EXPECT_EQ(r.read(Post()), r.stored);
    EXPECT_EQ(edit->text(), QString::number(r.stored));
    EXPECT_EQ(W->FCurIndex, 1);
    // redrawn at the stored values, framed where it now lies
    const QRect g = PostLayer()->geometry();
    EXPECT_EQ(g.width(), Post().PostWidthPx);
    EXPECT_EQ(g.height(), Post().PostHeightPx);
    EXPECT_EQ(g.left(), Post().PostPositionPx.x() - g.width() / 2);
    EXPECT_EQ(W->FSelRect.l, g.left() - 6);
    EXPECT_EQ(W->FSelRect.b, g.top() + g.height() - 1);
  }
}

TEST_F(PostWindowTest, QuarterTurnSwapsTheLayerSides) {
  const long double s = W->FRenderer.FScale;
  const QSize flat = PostLayer()->geometry().size();
  TypePost(W->pnlPostProp->edPostAngle, QStringLiteral("90"));
  const QSize turned = PostLayer()->geometry().size();
  EXPECT_NEAR(turned.width(), std::lround(800 * s), 2);
  EXPECT_NEAR(turned.height(), std::lround(1800 * s), 2);
  TypePost(W->pnlPostProp->edPostAngle, QStringLiteral("180"));
  EXPECT_EQ(PostLayer()->geometry().size(), flat);
  // a pedestal set on end turns the other way round
  TypePost(W->pnlPostProp->edPostAngle, QStringLiteral("0"));
  TypePost(W->pnlPostProp->edPostWidth, QStringLiteral("700"));
  TypePost(W->pnlPostProp->edPostHeight, QStringLiteral("2500"));
  const QSize upright = PostLayer()->geometry().size();
  EXPECT_NEAR(upright.width(), std::lround(700 * s), 2);
  EXPECT_NEAR(upright.height(), std::lround(2500 * s), 2);
}

TEST_F(PostWindowTest, RingerFigureFollowsTheAngle) {
  W->SetPlanClientSize(QSize(680, 700));
  ASSERT_NEAR(static_cast<double>(W->FRenderer.FScale), 0.1, 1e-12);
  ASSERT_EQ(Post().PostPositionPx, QPoint(345, 490));
  struct Row {
    int angle;
    const char* picture;
    QSize size;
    QPoint corner;
    QPoint hand;
  };
  const Row rows[] = {
      {0, ":/UpRinger", {177, 151}, {315, 475}, {375, 475}},
      {44, ":/UpRinger", {177, 151}, {315, 475}, {375, 475}},
      {45, ":/RightRinger", {151, 177}, {300, 460}, {359, 519}},
      {134, ":/RightRinger", {151, 177}, {300, 460}, {359, 519}},
      {135, ":/DownRinger", {177, 146}, {315, 445}, {316, 504}},
      {224, ":/DownRinger", {177, 146}, {315, 445}, {316, 504}},
      {225, ":/LeftRinger", {151, 177}, {330, 460}, {331, 461}},
      {314, ":/LeftRinger", {151, 177}, {330, 460}, {331, 461}},
      {315, ":/UpRinger", {177, 151}, {315, 475}, {375, 475}},
      {359, ":/UpRinger", {177, 151}, {315, 475}, {375, 475}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.angle);
    TypePost(W->pnlPostProp->edPostAngle, QString::number(r.angle));
    ASSERT_EQ(Post().PostAngle, r.angle);
    EXPECT_EQ(W->FRenderer.FRingerPicture, QString::fromLatin1(r.picture));
    TLayer* ringer = W->FRenderer.Layer(RingerLayer);
    EXPECT_TRUE(ringer->isVisible());
    EXPECT_TRUE(ringer->Stretch());
    EXPECT_EQ(ringer->Canvas().size(), r.size);  // the picture itself, stretched to the square
    EXPECT_EQ(ringer->geometry(), QRect(r.corner, QSize(60, 60)));
    EXPECT_EQ(W->FRenderer.FHandPoint, r.hand);
    EXPECT_EQ(W->FRenderer.FHandOffset, 10);
  }
}

TEST_F(PostWindowTest, PedalsStandBesideTheBoard) {
  W->SetPlanClientSize(QSize(680, 700));
  // nine bells: two in group 3
  for (int i = 0; i < 9; ++i) PlaceBell(i + 1, QPoint(100 + 50 * (i % 9), 150 + 40 * (i % 3)));
  ASSERT_EQ(W->CountHeavyBellsNow(), 2);
  ASSERT_EQ(Post().PostPedals.size(), 2u);
  const QRect g = PostLayer()->geometry();
  const int cx = g.width() / 2, cy = g.height() / 2;
  EXPECT_EQ(Post().PostPedals[0][0], QPoint(cx + 25, cy - 30));
  EXPECT_EQ(Post().PostPedals[1][0], QPoint(cx + 37, cy - 30));
  const QRgb board = pedestal::kBoardColour & 0xFFFFFFu, deck = pedestal::kPostColour & 0xFFFFFFu;
  EXPECT_EQ(PostPixel(cx + 30, cy), board);
  EXPECT_EQ(PostPixel(cx + 36, cy), deck);  // the gap between the pedals
  EXPECT_EQ(PostPixel(cx + 42, cy), board);
  EXPECT_EQ(PostPixel(cx + 52, cy), deck);
}

TEST_F(PostWindowTest, DeletingTheOnlyHeavyBellTakesThePedalAway) {
  const int spots[][2] = {{220, 90}, {260, 90}, {300, 90}, {340, 90}, {380, 120}};
  const int bells[] = {1, 2, 3, 4, 42};
  for (int i = 0; i < 5; ++i) PlaceBell(bells[i], QPoint(spots[i][0], spots[i][1]));
  ASSERT_EQ(Obj(6).BellGroup, 3);
  const auto pedal = Post().PostPedals.at(0);
  const QPoint inside = (pedal[0] + pedal[2]) / 2;
  EXPECT_EQ(PostPixel(inside.x(), inside.y()), pedestal::kBoardColour & 0xFFFFFFu);

  ASSERT_TRUE(W->pnlObjView->clbObjects->hasFocus());
  QTest::keyClick(W->pnlObjView->clbObjects, Qt::Key_Delete);  // the bell just placed
  ASSERT_EQ(W->FObjects.size(), 6u);
  EXPECT_EQ(W->CountHeavyBellsNow(), 0);
  EXPECT_EQ(PostPixel(inside.x(), inside.y()), pedestal::kPostColour & 0xFFFFFFu);
}

TEST_F(PostWindowTest, HiddenPedestalIsBlankAndTakesTheRinger) {
  for (int i = 0; i < 5; ++i) PlaceBell(i + 1, QPoint(220 + 35 * i, 100));
  const QSize size = PostLayer()->geometry().size();
  ClickEntry(1);
  PressWithListFocus(Qt::Key_Space);
  ASSERT_FALSE(Post().ObjVisible);
  EXPECT_EQ(PostLayer()->geometry().size(), size);
  EXPECT_TRUE(AllWhite(PostLayer()->Canvas()));
  EXPECT_FALSE(W->FRenderer.Layer(RingerLayer)->isVisible());
  // a hidden pedestal cannot be hit
  ClickPlan(Post().PostPositionPx);
  EXPECT_EQ(W->FCurIndex, 0);

  ClickEntry(1);
  PressWithListFocus(Qt::Key_Space);
  EXPECT_TRUE(Post().ObjVisible);
  EXPECT_TRUE(W->FRenderer.Layer(RingerLayer)->isVisible());
  EXPECT_FALSE(AllWhite(PostLayer()->Canvas()));
  EXPECT_EQ(Post().PostPedals.size(), 1u);
}

TEST_F(PostWindowTest, DraggedPedestalShowsCappedValues) {
  const QPoint from = Post().PostPositionPx;
  DragPlan(from, QPoint(450, 300));  // beyond the right and the bottom wall
  EXPECT_EQ(W->FCurIndex, 1);
  EXPECT_EQ(Post().PostPosition, QPoint(6377, 5971));  // (251, 235) px at 0.0393571 px/mm
  EXPECT_GT(Post().PostPosition.x(), 5600);
  EXPECT_GT(Post().PostPosition.y(), 5600);
  EXPECT_EQ(W->pnlPostProp->edPostPositionX->Value(), 5600);
  EXPECT_EQ(W->pnlPostProp->edPostPositionY->Value(), 5600);
  const QRect g = PostLayer()->geometry();
  EXPECT_EQ(g.left(), Post().PostPositionPx.x() - g.width() / 2);
  const TLayer* ringer = W->FRenderer.Layer(RingerLayer);
  EXPECT_EQ(ringer->geometry().left(), Post().PostPositionPx.x() - ringer->width() / 2);

  DragPlan(Post().PostPositionPx, QPoint(150, 40));  // left of and above the walls
  EXPECT_LT(Post().PostPosition.x(), 0);
  EXPECT_LT(Post().PostPosition.y(), 0);
  EXPECT_EQ(W->pnlPostProp->edPostPositionX->Value(), 0);
  EXPECT_EQ(W->pnlPostProp->edPostPositionY->Value(), 0);
}

TEST_F(PostWindowTest, WallsEditCarriesThePedestal) {
  ClickEntry(0);
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("8000"));
  ASSERT_EQ(Obj(0).WallDiameterOuter, 8000);
  EXPECT_EQ(Post().PostPosition, QPoint(4000, 6000));
  EXPECT_EQ(Post().PostPositionPx, QPoint(309, 230));  // scaled with the walls, same pixels
  const QRect g = PostLayer()->geometry();
  EXPECT_EQ(g.left(), Post().PostPositionPx.x() - g.width() / 2);
  EXPECT_EQ(g.top(), Post().PostPositionPx.y() - g.height() / 2);
  EXPECT_NEAR(g.width(), 50, 2);  // 1800 mm at 220 px per 8000 mm
}

}  // namespace
