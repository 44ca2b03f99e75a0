#include "bells/bell_catalogue.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <set>
#include <stdexcept>

namespace {

struct CatalogueRow {
  int bell, series, diameter, weight, left, top;
};

// The catalogue as published, row by row.
constexpr CatalogueRow kRows[] = {
    {1, 1, 195, 6, 4, 38},         {2, 1, 225, 7, 28, 38},       {3, 1, 246, 8, 52, 38},
    {4, 1, 292, 14, 76, 38},       {5, 1, 307, 16, 100, 38},     {6, 1, 348, 24, 124, 38},
    {7, 1, 384, 32, 148, 38},      {8, 1, 414, 40, 172, 38},     {9, 1, 480, 62, 196, 38},
    {10, 1, 552, 96, 220, 38},     {11, 1, 597, 110, 244, 38},   {12, 1, 620, 136, 268, 38},
    {13, 1, 696, 192, 292, 38},    {14, 1, 746, 220, 316, 38},   {15, 1, 800, 330, 340, 38},
    {16, 1, 933, 430, 364, 38},    {17, 1, 980, 530, 388, 38},   {18, 1, 1112, 820, 412, 38},
    {19, 1, 1344, 1320, 436, 38},  {20, 1, 1380, 1640, 460, 38}, {21, 1, 1480, 2000, 484, 38},
    {22, 1, 1678, 2800, 508, 38},  {23, 1, 1780, 3200, 532, 38}, {24, 1, 1960, 4500, 556, 38},
    {25, 1, 1950, 5200, 580, 38},  {26, 1, 2226, 8000, 604, 38}, {27, 1, 2400, 9500, 628, 38},
    {28, 1, 2580, 12200, 652, 38}, {29, 2, 210, 6, 4, 74},       {30, 2, 220, 8, 28, 74},
    {31, 2, 260, 12, 52, 74},      {32, 2, 270, 16, 76, 74},     {33, 2, 300, 18, 100, 74},
    {34, 2, 360, 32, 124, 74},     {35, 2, 410, 42, 148, 74},    {36, 2, 530, 84, 172, 74},
    {37, 2, 750, 212, 196, 74},    {38, 2, 820, 330, 220, 74},   {39, 2, 981, 524, 244, 74},
    {40, 2, 1110, 830, 268, 74},   {41, 2, 1340, 1200, 292, 74}, {42, 2, 1500, 1750, 316, 74},
};

TEST(BellCatalogue, EveryRowMatchesThePublishedTable) {
  ASSERT_EQ(std::size(kRows), static_cast<size_t>(kBellCount));
  const TBellTable diameters = LoadBellDiameters();
  const TBellTable weights = LoadBellWeights();
  for (const CatalogueRow& row : kRows) {
    SCOPED_TRACE(row.bell);
    const int slot = row.bell - 1;
    EXPECT_EQ(diameters[slot], row.diameter);
    EXPECT_EQ(weights[slot], row.weight);
    const TBellButtonInfo info = BellButtonInfo(slot);
    EXPECT_EQ(info.Number, row.bell);
    EXPECT_EQ(info.Series, row.series);
    EXPECT_EQ(info.Name, QStringLiteral("btnBell%1").arg(row.bell));
    EXPECT_EQ(info.ButtonRect, QRect(row.left, row.top, 23, 22));
    EXPECT_EQ(info.Tag, row.diameter);
    EXPECT_EQ(info.DiameterText, QString::number(row.diameter));
    EXPECT_EQ(info.WeightText, QString::number(row.weight));
    EXPECT_EQ(CatalogueSlotOf(row.diameter), slot);
  }
}

TEST(BellCatalogue, DiametersAreDistinctAndKeepTheMakersOrder) {
  const std::set<int> distinct(FBellDiameters.begin(), FBellDiameters.end());
  EXPECT_EQ(distinct.size(), static_cast<size_t>(kBellCount));
  // Combo list order: "1960" is listed before "1950".
  EXPECT_EQ(FBellDiameters[23], 1960);
  EXPECT_EQ(FBellDiameters[24], 1950);
  EXPECT_EQ(FBellDiameters.front(), 195);
  EXPECT_EQ(FBellDiameters.back(), 1500);
}

TEST(BellCatalogue, WeightsRiseWithinEachSeries) {
  for (int slot = 1; slot < kBellCount; ++slot) {
    if (slot == kSeries1Count) continue;
    EXPECT_GT(FBellWeights[slot], FBellWeights[slot - 1]) << "slot " << slot;
  }
}

TEST(BellCatalogue, SlotOfDiameter) {
  const struct {
    int diameter, slot;
  } cases[] = {{1950, 24}, {1960, 23}, {981, 38},  {980, 16},       {1110, 39},
               {1112, 17}, {1340, 40}, {1344, 18}, {195, 0},        {1500, 41},
               {200, -1},  {0, -1},    {-195, -1}, {2147483647, -1}};
  for (const auto& c : cases) EXPECT_EQ(CatalogueSlotOf(c.diameter), c.slot) << c.diameter;
}

TEST(BellCatalogue, HintsAreExact) {
  EXPECT_EQ(BellHint(0),
            QStringLiteral("Колокол 6кг\r\nНижний диаметр: 195мм\r\nМодельный ряд №1"));
  EXPECT_EQ(BellHint(24),
            QStringLiteral("Колокол 5200кг\r\nНижний диаметр: 1950мм\r\nМодельный ряд №1"));
  EXPECT_EQ(BellHint(27),
            QStringLiteral("Колокол 12200кг\r\nНижний диаметр: 2580мм\r\nМодельный ряд №1"));
  EXPECT_EQ(BellHint(28),
            QStringLiteral("Колокол 6кг\r\nНижний диаметр: 210мм\r\nМодельный ряд №2"));
  EXPECT_EQ(BellHint(41),
            QStringLiteral("Колокол 1750кг\r\nНижний диаметр: 1500мм\r\nМодельный ряд №2"));
}

TEST(BellCatalogue, EveryHintHasThreeLinesEndingInTheSeries) {
  for (int slot = 0; slot < kBellCount; ++slot) {
    const QStringList lines = BellHint(slot).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3) << slot;
    EXPECT_TRUE(lines[2].endsWith(QString::number(slot < 28 ? 1 : 2))) << slot;
    EXPECT_EQ(BellHint(slot).count(QLatin1Char('\n')), 2) << slot;
    EXPECT_EQ(BellHint(slot).count(QLatin1Char('\r')), 2) << slot;
  }
}

TEST(BellCatalogue, WeightLabelsSitAboveTheirButtons) {
  const struct {
    int slot;
    QRect rect;
  } cases[] = {
      {0, QRect(13, 27, 23, 11)},    // "6": Left + 9
      {27, QRect(649, 27, 23, 11)},  // "12200": Left - 3
      {24, QRect(580, 27, 23, 11)},  // "5200"
      {28, QRect(13, 62, 23, 11)},   // "6", series 2
      {41, QRect(316, 62, 23, 11)},  // "1750"
      {36, QRect(199, 62, 23, 11)},  // "212"
  };
  for (const auto& c : cases) EXPECT_EQ(WeightLabelRect(c.slot), c.rect) << c.slot;
  for (int slot = 0; slot < kBellCount; ++slot) {
    const QRect label = WeightLabelRect(slot);
    // Flush on the first row (27 + 11 = 38), a pixel apart on the second (62 + 11 = 73, row at 74).
    EXPECT_EQ(BellButtonPos(slot).y() - (label.top() + label.height()), slot < 28 ? 0 : 1) << slot;
  }
}

TEST(BellCatalogue, GlyphFollowsTheSeries) {
  EXPECT_EQ(BellButtonInfo(0).GlyphResource, QStringLiteral(":/bells/series1"));
  EXPECT_EQ(BellButtonInfo(27).GlyphResource, QStringLiteral(":/bells/series1"));
  EXPECT_EQ(BellButtonInfo(28).GlyphResource, QStringLiteral(":/bells/series2"));
  EXPECT_EQ(BellButtonInfo(41).GlyphResource, QStringLiteral(":/bells/series2"));
}

TEST(BellCatalogue, SlotsOutsideTheCatalogueAreRefused) {
  for (int slot : {-1, 42, 1000}) {
    EXPECT_THROW(BellButtonInfo(slot), std::out_of_range) << slot;
    EXPECT_THROW(BellHint(slot), std::out_of_range) << slot;
  }
}

}  // namespace
