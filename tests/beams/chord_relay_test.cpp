#include "beams/chord_relay.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TPlanObject Make(TObjectKind kind, int orientation = 0) {
  TPlanObject o;
  o.ObjType = kind;
  o.BeemOrientation = orientation;
  return o;
}

// The walls and the pedestal carry a stray orientation to prove they are never examined.
std::vector<TPlanObject> Plan(std::initializer_list<TPlanObject> rest) {
  std::vector<TPlanObject> objects{Make(okWalls, 5), Make(okPost)};
  objects.insert(objects.end(), rest);
  return objects;
}

TEST(FindBeemByOrientation, ScansFromIndexTwo) {
  EXPECT_EQ(FindBeemByOrientation(Plan({}), 0), -1);
  EXPECT_EQ(FindBeemByOrientation(std::vector<TPlanObject>{Make(okBeam)}, 0), -1);
  // only chord beams: no free one
  const auto chords = Plan({Make(okBeam, 5), Make(okBell), Make(okBeam, 7)});
  EXPECT_EQ(FindBeemByOrientation(chords, 0), -1);
  EXPECT_EQ(FindBeemByOrientation(chords, 7), 4);
  EXPECT_EQ(FindBeemByOrientation(chords, 5), 2);
  // a bell's unused beam fields never match
  EXPECT_EQ(FindBeemByOrientation(Plan({Make(okBell), Make(okBeam), Make(okBeam)}), 0), 3);
  // the walls at index 0 do not count, however they are marked
  auto beamsFirst = Plan({Make(okBeam, 3)});
  beamsFirst[0] = Make(okBeam, 3);
  EXPECT_EQ(FindBeemByOrientation(beamsFirst, 3), 2);
}

TEST(FindBeemByOrientation, WorksOnListsOfPointers) {
  std::vector<std::unique_ptr<TPlanObject>> owned;
  for (const TPlanObject& o : Plan({Make(okBeam, 9), Make(okBeam)}))
    owned.push_back(std::make_unique<TPlanObject>(o));
  EXPECT_EQ(FindBeemByOrientation(owned, 0), 3);
  std::vector<const TPlanObject*> raw;
  for (const auto& p : owned) raw.push_back(p.get());
  EXPECT_EQ(FindBeemByOrientation(raw, 9), 2);
  EXPECT_EQ(ChordBeemIndices(raw), std::vector<int>{2});
}

TEST(ChordBeemIndices, OnlyBeamsOnAChord) {
  const auto plan = Plan({Make(okBeam), Make(okBeam, 24), Make(okBell), Make(okBeam, 1)});
  EXPECT_EQ(ChordBeemIndices(plan), (std::vector<int>{3, 5}));
  EXPECT_TRUE(ChordBeemIndices(Plan({})).empty());
}

TEST(ChordBoxMarks, ClearTheOldSetTheNew) {
  struct Case {
    int from, to;
    TChordBoxMarks marks;
  };
  for (const Case& c :
       {Case{0, 5, {0, 5}}, Case{7, 0, {7, 0}}, Case{3, 9, {3, 9}}, Case{5, 5, {5, 5}},
        Case{0, 0, {0, 0}}, Case{31, 2, {0, 2}}, Case{4, -1, {4, 0}}})
    EXPECT_EQ(ChordBoxMarks(c.from, c.to), c.marks) << c.from << "->" << c.to;
}

TEST(ChordBoxClickAction, Table) {
  using A = TChordBoxAction;
  struct Case {
    bool checked;
    int found;
    bool relaying, deletes;
    A action;
  };
  for (const Case& c : {
           Case{true, -1, false, true, A::LayNewBeem},
           Case{true, -1, false, false, A::LayNewBeem},
           Case{true, 4, false, true, A::None},  // the box follows a beam already on the chord
           Case{true, -1, true, true, A::None},  // relaying re-ticks boxes only
           Case{false, 4, false, true, A::DeleteBeem},
           Case{false, 4, false, false, A::None},  // the object list deletes it itself
           Case{false, 4, true, true, A::None},
           Case{false, -1, false, true, A::None},
           Case{false, 1, false, true, A::None},
       })
    EXPECT_EQ(ChordBoxClickAction(c.checked, c.found, c.relaying, c.deletes), c.action)
        << c.checked << " " << c.found << " " << c.relaying << " " << c.deletes;
}

TEST(DocumentBeemOrientation, NoBoxMeansFree) {
  EXPECT_EQ(DocumentBeemOrientation(0), 0);
  EXPECT_EQ(DocumentBeemOrientation(24), 24);
  EXPECT_EQ(DocumentBeemOrientation(25), 0);
  EXPECT_EQ(DocumentBeemOrientation(-3), 0);
}

}  // namespace
