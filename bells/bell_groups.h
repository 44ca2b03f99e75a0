#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <iterator>

#include "bells/bell_catalogue.h"
#include "plan/plan_object.h"

// Book-keeping of the placed bells: which object stands for which catalogue slot, and the three
// ringing groups (3 = pedal, 2 = line to the pedestal, 1 = line to the ringer's hand, 0 = none).

inline constexpr std::int32_t kNoBell = -1;

using TBellSlots = std::array<std::int32_t, kBellCount>;  // FObjects index per slot, or kNoBell
using TSlotGroups = std::array<std::uint8_t, kBellCount>;

// Six digits per bell count: the sizes of group 3, group 2 and group 1. The table runs to 42, the
// whole catalogue; counts beyond it (only a hand-made document can reach them) follow the same
// rule without being stored.
struct TGroupTable {
  static constexpr int kFirst = 5;
  static constexpr int kLast = kBellCount;
  std::array<QString, kLast - kFirst + 1> Entries;

  // The stored entry, or an empty string for a count outside kFirst..kLast.
  QString Entry(int n) const;
};

struct TGroupSizes {
  int Heavy = 0;  // group 3
  int Post = 0;   // group 2
};

// Fills the group table and empties every slot.
void LoadGroupTable(TGroupTable& table, TBellSlots& bellSlots);

// The sizes of groups 3 and 2 for n bells (group 1 takes the rest); both 0 below five bells.
TGroupSizes GroupSizesFor(const TGroupTable& table, int n);

// Group of every slot for n bells, walking the slots from 41 down: the first bells met go to the
// pedals, the next to the pedestal, the rest to the hand. Empty slots, and every slot when n < 5,
// get 0.
TSlotGroups AssignBellGroups(const TGroupTable& table, const TBellSlots& bellSlots, int n);

int CountBells(const TBellSlots& bellSlots);
int CountHeavyBells(const TSlotGroups& groups);

// The same book-keeping over the object list itself. Objects is any indexable container of
// TPlanObject, pointers to it or smart pointers to it; index 0 is the walls, 1 the pedestal.

inline const TPlanObject& PlanObjectRef(const TPlanObject& object) { return object; }
inline TPlanObject& PlanObjectRef(TPlanObject& object) { return object; }
template <typename P>
auto& PlanObjectRef(const P& pointer) {
  return *pointer;
}

// Bells at index 2 and up, hidden ones included.
template <typename Objects>
int CountBellObjects(const Objects& objects) {
  int count = 0;
  const int size = static_cast<int>(std::size(objects));
  for (int k = 2; k < size; ++k) {
    if (PlanObjectRef(objects[k]).ObjType == okBell) ++count;
  }
  return count;
}

template <typename Objects>
int CountHeavyBellObjects(const Objects& objects) {
  int count = 0;
  const int size = static_cast<int>(std::size(objects));
  for (int k = 2; k < size; ++k) {
    const TPlanObject& object = PlanObjectRef(objects[k]);
    if (object.ObjType == okBell && object.BellGroup == 3) ++count;
  }
  return count;
}

// A bell whose diameter is not in the catalogue (a hand-edited document) holds no slot; of two
// bells with one diameter the later holds it.
template <typename Objects>
TBellSlots RebuildBellSlots(const Objects& objects) {
  TBellSlots bellSlots;
  bellSlots.fill(kNoBell);
  const int size = static_cast<int>(std::size(objects));
  for (int k = 1; k < size; ++k) {
    const TPlanObject& object = PlanObjectRef(objects[k]);
    if (object.ObjType != okBell) continue;
    const int slot = CatalogueSlotOf(object.BellDiameter);
    if (slot >= 0) bellSlots[slot] = k;
  }
  return bellSlots;
}

// Writes each slot's group into its bell; slots naming no valid object are passed over.
template <typename Objects>
void StoreBellGroups(Objects& objects, const TBellSlots& bellSlots, const TSlotGroups& groups) {
  const int size = static_cast<int>(std::size(objects));
  for (int slot = 0; slot < kBellCount; ++slot) {
    const int k = bellSlots[slot];
    if (k < 0 || k >= size) continue;
    auto& object = PlanObjectRef(objects[k]);
    if (object.ObjType == okBell) object.BellGroup = groups[slot];
  }
}
