#include "plan/plan_model.h"


TPlanModel TPlanModel::Capture(const std::vector<std::unique_ptr<TPlanObject>>& objects,
                               const TPlanModel* previous) {
  TPlanModel m;
  m.FObjects.reserve(objects.size());
  for (std::size_t i = 0; i < objects.size(); ++i) {
    const TStoredObject& s = StoredPart(*objects[i]);
    if (previous && i < previous->FObjects.size() && *previous->FObjects[i] == s) {
      m.FObjects.push_back(previous->FObjects[i]);
    } else {
      m.FObjects.push_back(std::make_shared<const TStoredObject>(s));
    }
  }
  return m;
}

TPlanModel TPlanModel::FromStored(const std::vector<TStoredObject>& objects) {
  TPlanModel m;
  for (const TStoredObject& s : objects) m.FObjects.push_back(std::make_shared<const TStoredObject>(s));
  return m;
}

std::vector<TPlanObject> TPlanModel::ToRecords() const {
  std::vector<TPlanObject> records(FObjects.size());
  for (std::size_t i = 0; i < FObjects.size(); ++i) {
    ApplyStored(records[i], *FObjects[i]);
    records[i].CreateIndex = static_cast<std::int32_t>(i);
  }
  return records;
}

bool operator==(const TPlanModel& a, const TPlanModel& b) {
  if (a.FObjects.size() != b.FObjects.size()) return false;
  for (std::size_t i = 0; i < a.FObjects.size(); ++i) {
    if (a.FObjects[i] != b.FObjects[i] && !(*a.FObjects[i] == *b.FObjects[i])) return false;
  }
  return true;
}

namespace {

// Whether `shorter` is `longer` with one entry taken out; that entry's index, or -1.
int OneLeftOut(const TPlanModel& longer, const TPlanModel& shorter) {
  if (longer.Size() != shorter.Size() + 1) return -1;
  std::size_t i = 0;
  while (i < shorter.Size() && longer.At(i) == shorter.At(i)) ++i;
  for (std::size_t j = i; j < shorter.Size(); ++j)
    if (!(longer.At(j + 1) == shorter.At(j))) return -1;
  return static_cast<int>(i);
}

bool SameObjectsInOtherOrder(const TPlanModel& a, const TPlanModel& b) {
  if (a.Size() != b.Size()) return false;
  std::vector<bool> used(b.Size(), false);
  for (std::size_t i = 0; i < a.Size(); ++i) {
    bool found = false;
    for (std::size_t j = 0; j < b.Size() && !found; ++j) {
      if (!used[j] && a.At(i) == b.At(j)) used[j] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

}  // namespace

TModelChange DescribeChange(const TPlanModel& before, const TPlanModel& after) {
  TModelChange c;
  if (before == after) return c;
  c.Structural = true;
  if (const int i = OneLeftOut(after, before); i >= 0) {
    c.Kind = TModelChange::Added;
    c.Index = i;
    c.Name = after.At(static_cast<std::size_t>(i)).ObjName;
    return c;
  }
  if (const int i = OneLeftOut(before, after); i >= 0) {
    c.Kind = TModelChange::Removed;
    c.Index = i;
    c.Name = before.At(static_cast<std::size_t>(i)).ObjName;
    return c;
  }
  if (SameObjectsInOtherOrder(before, after)) {
    c.Kind = TModelChange::Reordered;
    // the object that moved farthest is the one the user moved
    int best = -1, distance = 0;
    for (std::size_t i = 0; i < after.Size(); ++i) {
      for (std::size_t j = 0; j < before.Size(); ++j) {
        if (after.At(i) == before.At(j)) {
          const int d = static_cast<int>(i > j ? i - j : j - i);
          if (d > distance) distance = d, best = static_cast<int>(i);
          break;
        }
      }
    }
    c.Index = best < 0 ? 0 : best;
    c.Name = after.At(static_cast<std::size_t>(c.Index)).ObjName;
    return c;
  }
  c.Kind = TModelChange::Changed;
  c.Structural = before.Size() != after.Size();
  for (std::size_t i = 0; i < std::min(before.Size(), after.Size()); ++i) {
    if (before.At(i).ObjType != after.At(i).ObjType) c.Structural = true;
    if (c.Index < 0 && !(before.At(i) == after.At(i))) c.Index = static_cast<int>(i);
  }
  if (c.Index < 0) c.Index = static_cast<int>(std::min(before.Size(), after.Size())) - 1;
  if (c.Index >= 0 && static_cast<std::size_t>(c.Index) < after.Size())
    c.Name = after.At(static_cast<std::size_t>(c.Index)).ObjName;
  return c;
}
