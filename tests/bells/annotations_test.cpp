#include "bells/annotations.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DimensionGeometry, VerticalOuterSizeLeftOfTheWalls) {
  // Outer square of 220 pixels at (199, 65): points 0 and 3 of the outline.
  const auto d = DimensionGeometry({199, 65}, {199, 285}, false, 0, 5600);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->A1, QPoint(174, 65));
  EXPECT_EQ(d->B1, QPoint(174, 285));
  EXPECT_EQ(d->A2, QPoint(180, 65));  // 19 pixels left of the edge
  EXPECT_EQ(d->B2, QPoint(180, 285));
  EXPECT_EQ(d->ArrowA[0], QPoint(175, 75));
  EXPECT_EQ(d->ArrowA[1], QPoint(185, 75));
  EXPECT_EQ(d->ArrowB[0], QPoint(175, 275));
  EXPECT_EQ(d->ArrowB[1], QPoint(185, 275));
  EXPECT_EQ(d->Text, QStringLiteral("5600"));
  EXPECT_EQ(d->TextCorner, QPoint(164, 185));  // 35 left of the edge, centred along it
  EXPECT_EQ(d->TextAngle, 900);
}

TEST(DimensionGeometry, HorizontalInnerSizeAboveTheWalls) {
  const auto d = DimensionGeometry({230, 96}, {387, 96}, true, 31, 4000);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->A1, QPoint(230, 40));  // e + 25 above the inner edge
  EXPECT_EQ(d->B1, QPoint(387, 40));
  EXPECT_EQ(d->A2, QPoint(230, 46));  // 46.25
  EXPECT_EQ(d->B2, QPoint(387, 46));
  EXPECT_EQ(d->ArrowA[0], QPoint(240, 41));
  EXPECT_EQ(d->ArrowA[1], QPoint(240, 51));
  EXPECT_EQ(d->ArrowB[0], QPoint(377, 51));
  EXPECT_EQ(d->ArrowB[1], QPoint(377, 41));
  EXPECT_EQ(d->TextCorner, QPoint(298, 30));  // 230 - 10 + 157 div 2; 10 above the ends
  EXPECT_EQ(d->TextAngle, 0);
}

TEST(DimensionGeometry, OffsetFlagOffIgnoresTheExtraOffset) {
  const auto d = DimensionGeometry({230, 96}, {387, 96}, false, 31, 4000);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->A1, QPoint(230, 71));
}

TEST(DimensionGeometry, SlantedLine) {
  // 30-40-50 triangle: u = 0.8, v = 0.6.
  const auto d = DimensionGeometry({0, 0}, {30, 40}, true, 5, 12345);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->A1, QPoint(-24, -18));
  EXPECT_EQ(d->B1, QPoint(6, 22));
  EXPECT_EQ(d->A2, QPoint(-19, -14));
  EXPECT_EQ(d->ArrowA[0], QPoint(-17, -9));
  EXPECT_EQ(d->ArrowA[1], QPoint(-9, -3));
  EXPECT_EQ(d->B2, QPoint(11, 26));
  EXPECT_EQ(d->ArrowB[0], QPoint(1, 21));
  EXPECT_EQ(d->ArrowB[1], QPoint(9, 15));
  EXPECT_EQ(d->TextCorner, QPoint(-18, 14));
  EXPECT_EQ(d->TextAngle, 530);
}

TEST(DimensionGeometry, HalvesRoundToEven) {
  // sqrt(26^2 + 15^2) rounds to 30, so u = 0.5 and the offset is 12.5 pixels across.
  const auto d = DimensionGeometry({0, 0}, {26, 15}, false, 0, 1);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->A1, QPoint(-12, -22));  // -12.5 -> -12
  EXPECT_EQ(d->B1, QPoint(14, -7));    // 13.5 -> 14
  EXPECT_EQ(d->TextAngle, 300);
}

TEST(DimensionGeometry, HalvingTruncatesTowardZero) {
  // Drawn from the bottom up: the half span is negative and odd.
  const auto d = DimensionGeometry({0, 221}, {0, 0}, false, 0, 5600);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->TextCorner, QPoint(-35, 221 + 10 - 110));
}

TEST(DimensionGeometry, SamePixelHasNoDimension) {
  EXPECT_FALSE(DimensionGeometry({10, 10}, {10, 10}, true, 30, 0));
}

TEST(DimensionGeometry, SegmentsInDrawingOrder) {
  const auto d = DimensionGeometry({199, 65}, {199, 285}, false, 0, 5600);
  ASSERT_TRUE(d);
  const std::vector<TSegment> expected = {{{199, 65}, {174, 65}},  {{199, 285}, {174, 285}},
                                          {{180, 65}, {180, 285}}, {{180, 65}, {175, 75}},
                                          {{180, 65}, {185, 75}},  {{180, 285}, {175, 275}},
                                          {{180, 285}, {185, 275}}};
  EXPECT_EQ(DimensionSegments(*d), expected);
}

TPlanObject FourSidedWalls() {
  TPlanObject walls;
  walls.WallType = 0;
  walls.WallDiameterOuter = 5600;
  walls.WallDiameterInner = 4000;
  walls.WallWallWidthPx = 31;
  walls.WallOuterPointsPx = {{199, 65}, {419, 65}, {419, 285}, {199, 285}};
  walls.WallInnerPointsPx = {{230, 96}, {387, 96}, {387, 253}, {230, 253}};
  return walls;
}

TEST(WallDimensions, FourSidedWallsGetOuterThenInner) {
  const std::vector<TDimension> dims = WallDimensions(FourSidedWalls());
  ASSERT_EQ(dims.size(), 2u);
  EXPECT_EQ(dims[0].Text, QStringLiteral("5600"));
  EXPECT_EQ(dims[0].TextAngle, 900);
  EXPECT_EQ(dims[1].Text, QStringLiteral("4000"));
  EXPECT_EQ(dims[1].A1, QPoint(230, 40));
}

TEST(WallDimensions, OtherTypesAndMissingOutlinesGetNone) {
  TPlanObject walls = FourSidedWalls();
  walls.WallType = 1;
  EXPECT_TRUE(WallDimensions(walls).empty());
  walls.WallType = 2;
  EXPECT_TRUE(WallDimensions(walls).empty());
  walls = FourSidedWalls();
  walls.WallOuterPointsPx.resize(3);
  walls.WallInnerPointsPx.resize(1);
  EXPECT_TRUE(WallDimensions(walls).empty());
}

TEST(HandLineEnd, ByPedestalAngle) {
  const QPoint hand(100, 200);
  const struct {
    int angle;
    QPoint end;
  } cases[] = {{0, {90, 200}},    {44, {90, 200}},  {315, {90, 200}},  {360, {90, 200}},
               {45, {90, 190}},   {134, {90, 190}}, {135, {100, 190}}, {224, {100, 190}},
               {225, {100, 200}}, {314, {100, 200}}};
  for (const auto& c : cases) EXPECT_EQ(HandLineEnd(hand, 10, c.angle), c.end) << c.angle;
  for (int angle : {-1, 361, 720}) EXPECT_FALSE(HandLineEnd(hand, 10, angle)) << angle;
}

TEST(RingingLines, OnlyVisibleBellsOfTheirGroup) {
  const std::vector<TBellMark> bells = {
      {{10, 10}, 1, true}, {{20, 20}, 2, true}, {{30, 30}, 1, false}, {{40, 40}, 2, false},
      {{50, 50}, 3, true}, {{60, 60}, 0, true}, {{70, 70}, 1, true}};
  const std::vector<TSegment> hand = {{{10, 10}, {90, 190}}, {{70, 70}, {90, 190}}};
  EXPECT_EQ(HandLines(bells, {100, 200}, 10, 90), hand);
  const std::vector<TSegment> post = {{{20, 20}, {300, 400}}};
  EXPECT_EQ(PostLines(bells, {300, 400}), post);
  EXPECT_TRUE(HandLines(bells, {100, 200}, 10, 400).empty());
}

TEST(RingingLines, MarksComeInSlotOrder) {
  std::vector<TPlanObject> objects(5);
  objects[2].ObjType = okBell;
  objects[2].BellPositionPx = {1, 1};
  objects[2].BellGroup = 1;
  objects[3].ObjType = okBell;
  objects[3].BellPositionPx = {2, 2};
  objects[3].ObjVisible = false;
  objects[4].ObjType = okBeam;
  TBellSlots bellSlots;
  bellSlots.fill(kNoBell);
  bellSlots[30] = 2;
  bellSlots[5] = 3;
  bellSlots[6] = 4;   // not a bell: passed over
  bellSlots[7] = 99;  // past the end: passed over
  const std::vector<TBellMark> marks = BellMarksBySlot(objects, bellSlots);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].PositionPx, QPoint(2, 2));
  EXPECT_FALSE(marks[0].Visible);
  EXPECT_EQ(marks[1].PositionPx, QPoint(1, 1));
  EXPECT_EQ(marks[1].Group, 1);
}

TEST(WeightTexts, TextAndCorner) {
  EXPECT_EQ(WeightLineHeight(kWeightFontHeight), 14);
  EXPECT_EQ(BellWeightText(195), QStringLiteral("6кг"));
  EXPECT_EQ(BellWeightText(2580), QStringLiteral("12200кг"));
  EXPECT_EQ(BellWeightText(1950), QStringLiteral("5200кг"));
  EXPECT_FALSE(BellWeightText(200));
  EXPECT_EQ(WeightTextCorner({100, 100}, 8, 3, 14), QPoint(85, 82));    // 15 left of the centre
  EXPECT_EQ(WeightTextCorner({100, 100}, 101, 7, 14), QPoint(75, 36));  // 25 left
}

TEST(WeightTexts, VisibleCatalogueBellsInListOrder) {
  std::vector<TPlanObject> objects(6);
  objects[1].ObjType = okPost;
  const struct {
    int diameter, diameterPx;
    QPoint position;
    bool visible;
  } bells[] = {{2580, 101, {200, 200}, true},
               {195, 8, {50, 60}, false},
               {200, 8, {70, 70}, true},  // not in the catalogue
               {195, 8, {100, 100}, true}};
  for (int i = 0; i < 4; ++i) {
    TPlanObject& bell = objects[2 + i];
    bell.ObjType = okBell;
    bell.BellDiameter = bells[i].diameter;
    bell.BellDiameterPx = bells[i].diameterPx;
    bell.BellPositionPx = bells[i].position;
    bell.ObjVisible = bells[i].visible;
  }
  const std::vector<TWeightText> texts = WeightTexts(objects);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].Text, QStringLiteral("12200кг"));
  EXPECT_EQ(texts[0].Corner, QPoint(175, 136));
  EXPECT_EQ(texts[1].Text, QStringLiteral("6кг"));
  EXPECT_EQ(texts[1].Corner, QPoint(85, 82));
}

}  // namespace
