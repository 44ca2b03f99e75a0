#include "platform/ink_tiles.h"

#include <algorithm>
#include <cstdlib>

void TInkTiles::Add(const QRect& area) {
  const QRect r = area & FCanvas;
  if (r.isEmpty()) return;
  const int firstRow = r.top() / kTile, lastRow = r.bottom() / kTile;
  const int first = r.left() / kTile, last = r.right() / kTile;
  for (int row = firstRow; row <= lastRow; ++row) FRuns.push_back({row, first, last});
  FNormal = false;
}

void TInkTiles::AddSegment(QPoint a, QPoint b) {
  // In pieces no longer than a tile along the line's longer axis: each piece's rectangle then
  // spans at most two tiles across the line.
  const int dx = b.x() - a.x(), dy = b.y() - a.y();
  const int steps = std::max(1, (std::max(std::abs(dx), std::abs(dy)) + kTile - 1) / kTile);
  QPoint from = a;
  for (int i = 1; i <= steps; ++i) {
    // Rounded towards the line both ways by taking the pixel rectangle of both piece ends,
    // widened by a pixel for whichever way the rasterisation rounds between them.
    const QPoint to(a.x() + static_cast<int>(static_cast<long long>(dx) * i / steps),
                    a.y() + static_cast<int>(static_cast<long long>(dy) * i / steps));
    Add(QRect(QPoint(std::min(from.x(), to.x()) - 1, std::min(from.y(), to.y()) - 1),
              QPoint(std::max(from.x(), to.x()) + 1, std::max(from.y(), to.y()) + 1)));
    from = to;
  }
}

void TInkTiles::Normalize() const {
  if (FNormal) return;
  std::sort(FRuns.begin(), FRuns.end(),
            [](const TRun& l, const TRun& r) { return l.Row != r.Row ? l.Row < r.Row : l.First < r.First; });
  std::vector<TRun> merged;
  for (const TRun& run : FRuns) {
    if (!merged.empty() && merged.back().Row == run.Row && run.First <= merged.back().Last + 1)
      merged.back().Last = std::max(merged.back().Last, run.Last);
    else
      merged.push_back(run);
  }
  FRuns = std::move(merged);
  FNormal = true;
}

bool TInkTiles::IsEmpty() const { return FRuns.empty(); }

QRect TInkTiles::Bounds() const {
  QRect around;
  for (const QRect& r : Runs(FCanvas)) around |= r;
  return around;
}

std::vector<TInkTiles::TRun>::const_iterator TInkTiles::FirstRunOfRow(int row) const {
  Normalize();
  return std::lower_bound(FRuns.begin(), FRuns.end(), row, [](const TRun& r, int first) { return r.Row < first; });
}

std::vector<QRect> TInkTiles::Runs(const QRect& clip) const {
  std::vector<QRect> rects;
  const QRect within = clip & FCanvas;
  if (within.isEmpty()) return rects;
  const int lastRow = within.bottom() / kTile;
  for (auto it = FirstRunOfRow(within.top() / kTile); it != FRuns.end() && it->Row <= lastRow; ++it) {
    const QRect r = QRect(it->First * kTile, it->Row * kTile, (it->Last - it->First + 1) * kTile, kTile) & within;
    if (!r.isEmpty()) rects.push_back(r);
  }
  return rects;
}

std::vector<QRect> TInkTiles::Gaps(const QRect& clip) const {
  std::vector<QRect> rects;
  const QRect within = clip & FCanvas;
  if (within.isEmpty()) return rects;
  const int lastRow = within.bottom() / kTile, lastColumn = within.right() / kTile;
  auto it = FirstRunOfRow(within.top() / kTile);
  for (int row = within.top() / kTile; row <= lastRow; ++row) {
    int column = within.left() / kTile;
    const auto gap = [&](int first, int last) {
      const QRect r = QRect(first * kTile, row * kTile, (last - first + 1) * kTile, kTile) & within;
      if (!r.isEmpty()) rects.push_back(r);
    };
    for (; it != FRuns.end() && it->Row == row; ++it) {
      if (it->First > column) gap(column, std::min(it->First - 1, lastColumn));
      column = std::max(column, it->Last + 1);
    }
    if (column <= lastColumn) gap(column, lastColumn);
  }
  return rects;
}

bool TInkTiles::Contains(const TInkTiles& other) const {
  Normalize();
  other.Normalize();
  auto mine = FRuns.begin();
  for (const TRun& run : other.FRuns) {
    while (mine != FRuns.end() && (mine->Row < run.Row || (mine->Row == run.Row && mine->Last < run.First))) ++mine;
    if (mine == FRuns.end() || mine->Row != run.Row || mine->First > run.First || mine->Last < run.Last) return false;
  }
  return true;
}
