#include "bells/bell_groups.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

TGroupTable LoadedTable() {
  TGroupTable table;
  TBellSlots bellSlots;
  LoadGroupTable(table, bellSlots);
  return table;
}

// Slots holding bells for the given bell numbers (1..42), as objects 2, 3, ... in that order.
TBellSlots SlotsWithBells(std::initializer_list<int> bells) {
  TBellSlots bellSlots;
  bellSlots.fill(kNoBell);
  int index = 2;
  for (int bell : bells) bellSlots[bell - 1] = index++;
  return bellSlots;
}

TEST(GroupTable, Entries) {
  const TGroupTable table = LoadedTable();
  const struct {
    int n;
    const char* entry;
  } cases[] = {{5, "010202"},  {6, "010302"},  {9, "020403"},  {12, "030603"},
               {15, "040803"}, {18, "041103"}, {19, "051103"}, {20, "051203"},
               {41, "053303"}, {42, "053403"}, {4, ""},        {0, ""},
               {-1, ""},       {43, ""},       {INT_MAX, ""},  {INT_MIN, ""}};
  for (const auto& c : cases) EXPECT_EQ(table.Entry(c.n), QLatin1String(c.entry)) << c.n;
}

TEST(GroupTable, EveryEntryAddsUpToItsCount) {
  const TGroupTable table = LoadedTable();
  for (int n = TGroupTable::kFirst; n <= TGroupTable::kLast; ++n) {
    const QString entry = table.Entry(n);
    ASSERT_EQ(entry.size(), 6) << n;
    EXPECT_EQ(entry.left(2).toInt() + entry.mid(2, 2).toInt() + entry.mid(4, 2).toInt(), n) << n;
  }
}

TEST(GroupTable, LoadingEmptiesEverySlot) {
  TGroupTable table;
  TBellSlots bellSlots;
  bellSlots.fill(7);
  LoadGroupTable(table, bellSlots);
  for (std::int32_t k : bellSlots) EXPECT_EQ(k, kNoBell);
}

TEST(GroupTable, SizesForAnyCount) {
  const TGroupTable table = LoadedTable();
  const struct {
    int n, heavy, post;
  } cases[] = {{INT_MIN, 0, 0}, {-3, 0, 0},  {0, 0, 0},     {4, 0, 0},
               {5, 1, 2},       {18, 4, 11}, {19, 5, 11},   {41, 5, 33},
               {42, 5, 34},     {43, 5, 35}, {200, 5, 192}, {INT_MAX, 5, INT_MAX - 8}};
  for (const auto& c : cases) {
    const TGroupSizes sizes = GroupSizesFor(table, c.n);
    EXPECT_EQ(sizes.Heavy, c.heavy) << c.n;
    EXPECT_EQ(sizes.Post, c.post) << c.n;
  }
}

TEST(AssignBellGroups, FiveBellsInFallingSlotOrder) {
  const TBellSlots bellSlots = SlotsWithBells({3, 10, 15, 20, 33});
  const TSlotGroups groups = AssignBellGroups(LoadedTable(), bellSlots, CountBells(bellSlots));
  EXPECT_EQ(groups[32], 3);  // bell 33 is met first: series 2 comes before series 1
  EXPECT_EQ(groups[19], 2);
  EXPECT_EQ(groups[14], 2);
  EXPECT_EQ(groups[9], 1);
  EXPECT_EQ(groups[2], 1);
  EXPECT_EQ(CountHeavyBells(groups), 1);
  int grouped = 0;
  for (std::uint8_t g : groups) grouped += g != 0;
  EXPECT_EQ(grouped, 5);
}

TEST(AssignBellGroups, Bell42TakesThePedalBeforeTheHeavierBell28) {
  const TBellSlots bellSlots = SlotsWithBells({28, 42, 1, 2, 3});
  const TSlotGroups groups = AssignBellGroups(LoadedTable(), bellSlots, 5);
  EXPECT_EQ(groups[41], 3);
  EXPECT_EQ(groups[27], 2);
  EXPECT_EQ(groups[2], 2);
  EXPECT_EQ(groups[1], 1);
  EXPECT_EQ(groups[0], 1);
}

TEST(AssignBellGroups, FourBellsOrFewerGetNoGroup) {
  const TGroupTable table = LoadedTable();
  const TBellSlots bellSlots = SlotsWithBells({1, 2, 41, 42});
  for (int n : {4, 0, -1, INT_MIN}) {
    const TSlotGroups groups = AssignBellGroups(table, bellSlots, n);
    EXPECT_EQ(CountHeavyBells(groups), 0) << n;
    for (std::uint8_t g : groups) EXPECT_EQ(g, 0) << n;
  }
}

TEST(AssignBellGroups, WholeCatalogue) {
  TBellSlots bellSlots;
  for (int slot = 0; slot < kBellCount; ++slot) bellSlots[slot] = slot + 2;
  ASSERT_EQ(CountBells(bellSlots), 42);
  const TSlotGroups groups = AssignBellGroups(LoadedTable(), bellSlots, 42);
  // "053403": slots 41..37 pedal, the next 34 to the pedestal, slots 2..0 to the hand.
  for (int slot = 0; slot < kBellCount; ++slot) {
    const int expected = slot >= 37 ? 3 : slot >= 3 ? 2 : 1;
    EXPECT_EQ(groups[slot], expected) << slot;
  }
  EXPECT_EQ(CountHeavyBells(groups), 5);
}

TEST(AssignBellGroups, CountsThatDisagreeWithTheSlotsStayInBounds) {
  // A hand-made document may hold more bell objects than slots; the walk only visits slots.
  const TGroupTable table = LoadedTable();
  const TBellSlots bellSlots = SlotsWithBells({5, 6, 7});
  for (int n : {5, 42, 43, 1000, INT_MAX}) {
    const TSlotGroups groups = AssignBellGroups(table, bellSlots, n);
    EXPECT_EQ(groups[6], 3) << n;
    EXPECT_NE(groups[5], 0) << n;
    EXPECT_NE(groups[4], 0) << n;
    EXPECT_EQ(groups[7], 0) << n;
  }
}

TPlanObject Bell(int diameter, bool visible = true) {
  TPlanObject bell;
  bell.ObjType = okBell;
  bell.BellDiameter = diameter;
  bell.ObjVisible = visible;
  return bell;
}

std::vector<std::unique_ptr<TPlanObject>> PlanWith(std::initializer_list<TPlanObject> bells) {
  std::vector<std::unique_ptr<TPlanObject>> objects;
  objects.push_back(std::make_unique<TPlanObject>());  // walls
  auto post = std::make_unique<TPlanObject>();
  post->ObjType = okPost;
  objects.push_back(std::move(post));
  for (const TPlanObject& bell : bells) objects.push_back(std::make_unique<TPlanObject>(bell));
  return objects;
}

TEST(BellObjects, SlotsFollowAnEraseFromTheList) {
  auto objects = PlanWith({Bell(195), Bell(225), Bell(246), Bell(292), Bell(307)});
  objects.erase(objects.begin() + 3);
  const TBellSlots bellSlots = RebuildBellSlots(objects);
  EXPECT_EQ(bellSlots[0], 2);
  EXPECT_EQ(bellSlots[1], kNoBell);
  EXPECT_EQ(bellSlots[2], 3);
  EXPECT_EQ(bellSlots[3], 4);
  EXPECT_EQ(bellSlots[4], 5);
  EXPECT_EQ(CountBells(bellSlots), 4);
  EXPECT_EQ(CountBellObjects(objects), 4);
}

TEST(BellObjects, ForeignDiameterHoldsNoSlotButIsCounted) {
  auto objects = PlanWith({Bell(195), Bell(200), Bell(1950)});
  const TBellSlots bellSlots = RebuildBellSlots(objects);
  EXPECT_EQ(CountBells(bellSlots), 2);
  EXPECT_EQ(CountBellObjects(objects), 3);
  EXPECT_EQ(bellSlots[24], 4);
}

TEST(BellObjects, HiddenBellsAreGroupedAndStored) {
  auto objects = PlanWith({Bell(195), Bell(225, false), Bell(246), Bell(292), Bell(1500)});
  const TBellSlots bellSlots = RebuildBellSlots(objects);
  const int n = CountBellObjects(objects);
  StoreBellGroups(objects, bellSlots, AssignBellGroups(LoadedTable(), bellSlots, n));
  EXPECT_EQ(objects[6]->BellGroup, 3);  // 1500 mm, slot 41
  EXPECT_EQ(objects[5]->BellGroup, 2);
  EXPECT_EQ(objects[4]->BellGroup, 2);
  EXPECT_EQ(objects[3]->BellGroup, 1);  // the hidden one
  EXPECT_EQ(objects[2]->BellGroup, 1);
  EXPECT_EQ(CountHeavyBellObjects(objects), 1);
}

TEST(BellObjects, TooFewObjectsCountNothing) {
  std::vector<TPlanObject> objects(2);
  objects[1].ObjType = okBell;  // only indexes 2 and up hold bells
  EXPECT_EQ(CountBellObjects(objects), 0);
  EXPECT_EQ(CountHeavyBellObjects(objects), 0);
  EXPECT_EQ(CountBellObjects(std::vector<TPlanObject>{}), 0);
}

TEST(BellObjects, StaleSlotsAreNotFollowedOutOfTheList) {
  auto objects = PlanWith({Bell(195)});
  TBellSlots bellSlots;
  bellSlots.fill(kNoBell);
  bellSlots[0] = 2;
  bellSlots[1] = 9;  // an index past the end
  bellSlots[2] = 1;  // the pedestal
  TSlotGroups groups{};
  groups.fill(3);
  StoreBellGroups(objects, bellSlots, groups);
  EXPECT_EQ(objects[2]->BellGroup, 3);
  EXPECT_EQ(objects[1]->BellGroup, 0);
}

}  // namespace
