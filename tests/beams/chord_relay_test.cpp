#include "beams/chord_relay.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Records owned through pointers, as the plan holds them. The walls carry a stray orientation to
// prove that indices 0 and 1 are never examined.
std::vector<std::unique_ptr<TPlanObject>> Plan(std::vector<std::pair<TObjectKind, int>> rest) {
  rest.insert(rest.begin(), {{okBeam, 5}, {okPost, 0}});
  std::vector<std::unique_ptr<TPlanObject>> objects;
  for (auto [kind, orientation] : rest) {
    objects.push_back(std::make_unique<TPlanObject>());
    objects.back()->ObjType = kind;
    objects.back()->BeemOrientation = orientation;
  }
  return objects;
}

TEST(ChordRelay, FindBeemByOrientation) {
  EXPECT_EQ(FindBeemByOrientation(Plan({}), 5), -1);
  const auto chords = Plan({{okBeam, 5}, {okBell, 0}, {okBeam, 7}});
  EXPECT_EQ(FindBeemByOrientation(chords, 0), -1);  // the bell's beam fields never match
  EXPECT_EQ(FindBeemByOrientation(chords, 7), 4);
  EXPECT_EQ(FindBeemByOrientation(chords, 5), 2);
  EXPECT_EQ(FindBeemByOrientation(Plan({{okBell, 0}, {okBeam, 0}, {okBeam, 0}}), 0), 3);
  const auto mixed = Plan({{okBeam, 0}, {okBeam, 24}, {okBell, 0}, {okBeam, 1}});
  EXPECT_EQ(ChordBeemIndices(mixed), (std::vector<int>{3, 5}));
}

TEST(ChordRelay, BoxMarks) {
  EXPECT_EQ(ChordBoxMarks(7, 0), (TChordBoxMarks{7, 0}));
  EXPECT_EQ(ChordBoxMarks(5, 5), (TChordBoxMarks{5, 5}));
  EXPECT_EQ(ChordBoxMarks(31, -1), (TChordBoxMarks{0, 0}));  // no such boxes
  EXPECT_EQ(DocumentBeemOrientation(31), 0);
  EXPECT_EQ(DocumentBeemOrientation(24), 24);
}

TEST(ChordRelay, BoxClickAction) {
  using A = TChordBoxAction;
  struct Case {
    bool checked;
    int found;
    bool relaying, deletes;
    A action;
  };
  for (const Case& c : {
           Case{true, -1, false, false, A::LayNewBeem},
           Case{true, 4, false, true, A::None},  // the box follows a beam already on the chord
           Case{true, -1, true, true, A::None},  // a relay only re-ticks boxes
           Case{false, 4, false, true, A::DeleteBeem},
           Case{false, 4, false, false, A::None},  // the object list deletes it itself
           Case{false, 4, true, true, A::None},
           Case{false, -1, false, true, A::None},
           Case{false, 1, false, true, A::None},
       })
    EXPECT_EQ(ChordBoxClickAction(c.checked, c.found, c.relaying, c.deletes), c.action)
        << c.checked << " " << c.found << " " << c.relaying << " " << c.deletes;
}

}  // namespace
