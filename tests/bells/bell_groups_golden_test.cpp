// The group table and the walk over it, for every count of bells the catalogue allows.
#include <gtest/gtest.h>

#include "bells/bell_groups.h"
#include "support/golden_tables.h"

namespace {

// n bells spread over the catalogue: every slot whose number is coprime-stepped from 0, so that
// both series and gaps between the bells take part.
TBellSlots SpreadSlots(int n) {
  TBellSlots slots;
  slots.fill(kNoBell);
  int placed = 0;
  for (int i = 0; placed < n; ++i) {
    const int slot = (i * 11) % kBellCount;  // 11 and 42 are coprime: every slot once
    slots[slot] = 2 + placed++;
  }
  return slots;
}

TEST(GroupTableGolden, EveryCountFromFiveToTheWholeCatalogue) {
  TGroupTable table;
  TBellSlots unused;
  LoadGroupTable(table, unused);
  const auto rows = GoldenRows("group");
  ASSERT_EQ(rows.size(), 38u);
  for (const TGoldenRow& r : rows) {
    const int n = r.I(0), heavy = r.I(1), post = r.I(2), hand = r.I(3);
    SCOPED_TRACE(r.Where() + " n=" + std::to_string(n));
    EXPECT_EQ(table.Entry(n).toStdString(), r.S(4));
    const TGroupSizes sizes = GroupSizesFor(table, n);
    EXPECT_EQ(sizes.Heavy, heavy);
    EXPECT_EQ(sizes.Post, post);

    const TBellSlots slots = SpreadSlots(n);
    const TSlotGroups groups = AssignBellGroups(table, slots, n);
    int count[4] = {};
    int expected = 3, met = 0;
    for (int slot = kBellCount - 1; slot >= 0; --slot) {
      if (slots[slot] == kNoBell) {
        EXPECT_EQ(groups[slot], 0) << "empty slot " << slot;
        continue;
      }
      // Falling slot order: first the pedals, then the pedestal, then the hand.
      if (met == heavy) expected = 2;
      if (met == heavy + post) expected = 1;
      EXPECT_EQ(groups[slot], expected) << "slot " << slot;
      ++count[groups[slot]];
      ++met;
    }
    EXPECT_EQ(count[3], heavy);
    EXPECT_EQ(count[2], post);
    EXPECT_EQ(count[1], hand);
    EXPECT_EQ(CountHeavyBells(groups), heavy);
  }
}

}  // namespace
