// All 24 chords on the three wall types, at two wall sizes and two beam widths.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "beams/chords.h"
#include "support/golden_tables.h"

namespace {

// The inner outlines in millimetres, keyed "type D Di W", as the golden walls rows give them.
std::map<std::string, std::vector<QPoint>> GoldenInnerOutlines() {
  std::map<std::string, std::string> keyOfId;
  for (const TGoldenRow& w : GoldenRows("walls"))
    keyOfId[w.S(0)] = w.S(1) + " " + w.S(2) + " " + w.S(3) + " " + w.S(4);
  std::map<std::string, std::vector<QPoint>> inner;
  std::map<std::string, std::string> firstId;
  for (const TGoldenRow& p : GoldenRows("inner")) {
    const std::string& key = keyOfId.at(p.S(0));
    if (!firstId.contains(key)) firstId[key] = p.S(0);
    if (firstId[key] != p.S(0)) continue;  // the same millimetres on another panel
    inner[key].push_back(p.Point(2));
  }
  return inner;
}

TEST(ChordsGolden, EveryChordOnEveryWallType) {
  const auto inner = GoldenInnerOutlines();
  const auto rows = GoldenRows("chord");
  ASSERT_EQ(rows.size(), 3u * 2 * 2 * 24);
  for (const TGoldenRow& r : rows) {
    SCOPED_TRACE(r.Where());
    const int type = r.I(0), k = r.I(5), beam = r.I(4);
    TChordWalls walls{type, r.I(1), r.I(2), r.I(3), {}};
    const std::string key = r.S(0) + " " + r.S(1) + " " + r.S(2) + " " + r.S(3);
    ASSERT_TRUE(inner.contains(key)) << key;
    walls.InnerPoints = inner.at(key);
    const auto s = ChordBeemPoints(walls, k, beam);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->Begin, r.Point(6)) << "chord " << k;
    EXPECT_EQ(s->End, r.Point(8)) << "chord " << k;
  }
}

}  // namespace
