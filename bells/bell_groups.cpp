#include "bells/bell_groups.h"

#include <algorithm>

namespace {

constexpr int kHeavyGroupLimit = 5;  // from 19 bells on, five pedals
constexpr int kHandGroupLimit = 3;   // from 7 bells on, three bells to the hand

QString EntryFor(int heavy, int post, int hand) {
  return QStringLiteral("%1%2%3")
      .arg(heavy, 2, 10, QLatin1Char('0'))
      .arg(post, 2, 10, QLatin1Char('0'))
      .arg(hand, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString TGroupTable::Entry(int n) const {
  if (n < kFirst || n > kLast) return {};
  return Entries[n - kFirst];
}

void LoadGroupTable(TGroupTable& table, TBellSlots& bellSlots) {
  bellSlots.fill(kNoBell);
  static const char* const kSmall[] = {"010202", "010302", "010303", "010403", "020403",
                                       "020503", "030503", "030603", "030703", "030803",
                                       "040803", "040903", "041003", "041103"};  // 5 to 18
  int n = TGroupTable::kFirst;
  for (const char* entry : kSmall) table.Entries[n++ - TGroupTable::kFirst] = QLatin1String(entry);
  for (; n <= TGroupTable::kLast; ++n) {
    table.Entries[n - TGroupTable::kFirst] =
        EntryFor(kHeavyGroupLimit, n - kHeavyGroupLimit - kHandGroupLimit, kHandGroupLimit);
  }
}

TGroupSizes GroupSizesFor(const TGroupTable& table, int n) {
  if (n < TGroupTable::kFirst) return {};
  if (n > TGroupTable::kLast) return {kHeavyGroupLimit, n - kHeavyGroupLimit - kHandGroupLimit};
  const QString entry = table.Entry(n);
  // The last pair is never read: group 1 takes whatever the first two leave.
  return {entry.left(2).toInt(), entry.mid(2, 2).toInt()};
}

TSlotGroups AssignBellGroups(const TGroupTable& table, const TBellSlots& bellSlots, int n) {
  TSlotGroups groups{};
  if (n < TGroupTable::kFirst) return groups;
  const TGroupSizes sizes = GroupSizesFor(table, n);
  int heavy = 0;
  int post = 0;
  for (int slot = kBellCount - 1; slot >= 0; --slot) {
    if (bellSlots[slot] < 0) continue;
    if (heavy < sizes.Heavy) {
      groups[slot] = 3;
      ++heavy;
    } else if (post < sizes.Post) {
      groups[slot] = 2;
      ++post;
    } else {
      groups[slot] = 1;
    }
  }
  return groups;
}

int CountBells(const TBellSlots& bellSlots) {
  return static_cast<int>(
      std::count_if(bellSlots.begin(), bellSlots.end(), [](std::int32_t k) { return k >= 0; }));
}

int CountHeavyBells(const TSlotGroups& groups) {
  return static_cast<int>(std::count(groups.begin(), groups.end(), std::uint8_t{3}));
}
