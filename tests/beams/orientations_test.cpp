#include "beams/orientations.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(Orientations, Names) {
  const QStringList names = BuildOrientationNames();
  ASSERT_EQ(names.size(), 25);
  EXPECT_EQ(names[0], QStringLiteral("Не определено"));
  EXPECT_EQ(names[5], QStringLiteral("Юго-Запад-Запад - Северо-Восток-Восток"));
  EXPECT_EQ(names[24], QStringLiteral("Северо-Восток-Восток - Юго-Юго-Запад"));
}

// Each name spells out the chord's two compass points, so names and chord ends cannot drift apart.
TEST(Orientations, NamesSpellTheChordEnds) {
  const std::map<TCompassPoint, QString> word = {{cpW, "Запад"},
                                                 {cpE, "Восток"},
                                                 {cpS, "Юг"},
                                                 {cpN, "Север"},
                                                 {cpSW, "Юго-Запад"},
                                                 {cpNW, "Северо-Запад"},
                                                 {cpSE, "Юго-Восток"},
                                                 {cpNE, "Северо-Восток"},
                                                 {cpWSW, "Юго-Запад-Запад"},
                                                 {cpWNW, "Северо-Запад-Запад"},
                                                 {cpESE, "Юго-Восток-Восток"},
                                                 {cpENE, "Северо-Восток-Восток"},
                                                 {cpSSW, "Юго-Юго-Запад"},
                                                 {cpSSE, "Юго-Юго-Восток"},
                                                 {cpNNW, "Северо-Северо-Запад"},
                                                 {cpNNE, "Северо-Северо-Восток"}};
  const QStringList names = BuildOrientationNames();
  for (int k = 1; k <= kChordCount; ++k) {
    const TChordCompass c = ChordCompass(k, 1);
    EXPECT_EQ(names[k], word.at(c.Begin) + (k <= 2 ? "-" : " - ") + word.at(c.End)) << k;
  }
  EXPECT_EQ(ChordCompass(4, 0).Begin, cpSE);  // four-sided walls lay chord 4 the other way
  EXPECT_EQ(ChordCompass(4, 2).Begin, cpNW);
}

TEST(Orientations, ChordBoxes) {
  const std::vector<TChordBoxInfo> boxes = ChordBoxes();
  ASSERT_EQ(boxes.size(), 24u);
  EXPECT_EQ(boxes[0].Name, "cb1");
  EXPECT_EQ(boxes[23].Name, "cb24");
  EXPECT_EQ(boxes[23].Tag, 24);
  EXPECT_EQ(boxes[6].Hint, QStringLiteral("Северо-Северо-Запад - Юго-Юго-Восток"));
  EXPECT_EQ(boxes[0].Bounds, QRect(2, 40, 66, 17));
  EXPECT_EQ(boxes[23].Bounds, QRect(2, 408, 66, 17));
  const std::map<int, QString> unspaced = {
      {1, "З-В"}, {2, "Ю-С"}, {3, "ЮЗ-СВ"}, {4, "СЗ-ЮВ"}, {20, "ССЗ-СВВ"}};
  for (const TChordBoxInfo& b : boxes) {
    if (unspaced.count(b.Tag)) {
      EXPECT_EQ(b.Caption, unspaced.at(b.Tag));
    } else {
      EXPECT_TRUE(b.Caption.contains(" - ")) << b.Tag;
    }
  }
  EXPECT_EQ(boxes[4].Caption, QStringLiteral("ЮЗЗ - СВВ"));
}

}  // namespace
