#include "beams/orientations.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(Orientations, NamesAreIndexedByOrientationNumber) {
  const QStringList names = BuildOrientationNames();
  ASSERT_EQ(names.size(), 25);
  EXPECT_EQ(names[0], QStringLiteral("Не определено"));
  EXPECT_EQ(names[1], QStringLiteral("Запад-Восток"));
  EXPECT_EQ(names[5], QStringLiteral("Юго-Запад-Запад - Северо-Восток-Восток"));
  EXPECT_EQ(names[20], QStringLiteral("Северо-Северо-Запад - Северо-Восток-Восток"));
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
    const QString joint = k <= 2 ? "-" : " - ";
    EXPECT_EQ(names[k], word.at(c.Begin) + joint + word.at(c.End)) << k;
  }
}

TEST(Orientations, FourSidedWallsLayChordFourTheOtherWay) {
  EXPECT_EQ(ChordCompass(4, 0).Begin, cpSE);
  EXPECT_EQ(ChordCompass(4, 0).End, cpNW);
  EXPECT_EQ(ChordCompass(4, 1).Begin, cpNW);
  EXPECT_EQ(ChordCompass(4, 2).Begin, cpNW);
  EXPECT_EQ(ChordCompass(5, 0).Begin, cpWSW);
  EXPECT_EQ(ChordCompass(0, 0).Begin, cpNone);
  EXPECT_EQ(ChordCompass(25, 0).End, cpNone);
}

TEST(Orientations, ChordBoxes) {
  const std::vector<TChordBoxInfo> boxes = ChordBoxes();
  const QStringList names = BuildOrientationNames();
  ASSERT_EQ(boxes.size(), 24u);
  for (int k = 1; k <= kChordCount; ++k) {
    const TChordBoxInfo& b = boxes[k - 1];
    EXPECT_EQ(b.Name, "cb" + QString::number(k));
    EXPECT_EQ(b.Tag, k);
    EXPECT_EQ(b.Hint, names[k]);
    EXPECT_EQ(b.Bounds, QRect(2, 40 + 16 * (k - 1), 66, 17));
  }
  EXPECT_EQ(boxes[23].Bounds.top(), 408);
}

TEST(Orientations, CaptionsKeepTheirMissingBlanks) {
  const std::map<int, QString> unspaced = {
      {1, "З-В"}, {2, "Ю-С"}, {3, "ЮЗ-СВ"}, {4, "СЗ-ЮВ"}, {20, "ССЗ-СВВ"}};
  const std::vector<TChordBoxInfo> boxes = ChordBoxes();
  for (const TChordBoxInfo& b : boxes) {
    if (unspaced.count(b.Tag))
      EXPECT_EQ(b.Caption, unspaced.at(b.Tag));
    else
      EXPECT_TRUE(b.Caption.contains(" - ")) << b.Tag;
  }
  EXPECT_EQ(boxes[4].Caption, QStringLiteral("ЮЗЗ - СВВ"));
  EXPECT_EQ(boxes[23].Caption, QStringLiteral("СВВ - ЮЮЗ"));
}

}  // namespace
