#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

// Where a canvas may hold ink, in square tiles: a panel-sized canvas of a few dozen texts and
// lines is whitened and composed over those tiles only, not over a million white pixels. A
// line is marked along its course, not by its bounding rectangle, which for a slanting line
// across the plan would be most of the canvas.
//
// Tiles are counted from canvas pixel (0, 0); marks are cut to the canvas the tiles were made
// for, so that a line or frame reaching far off a magnified canvas costs no more than the
// canvas.
class TInkTiles {
 public:
  static constexpr int kTile = 32;

  TInkTiles() = default;
  explicit TInkTiles(const QRect& canvas) : FCanvas(canvas) {}

  // Every pixel of `area` may be ink.
  void Add(const QRect& area);
  // Every pixel of the straight line from `a` to `b`, both ends included, may be ink.
  void AddSegment(QPoint a, QPoint b);

  bool IsEmpty() const;
  // The rectangle around every marked tile, cut to the canvas.
  QRect Bounds() const;
  // The marked tiles met by `clip`, as rectangles cut to it: one for each run of neighbouring
  // tiles along a row of tiles, rows top to bottom, runs left to right.
  std::vector<QRect> Runs(const QRect& clip) const;
  // The unmarked tiles met by `clip`, the same way.
  std::vector<QRect> Gaps(const QRect& clip) const;
  // Every tile marked in `other` is marked here.
  bool Contains(const TInkTiles& other) const;

 private:
  struct TRun {  // tile columns [First, Last] of tile row Row
    int Row, First, Last;
  };
  void Normalize() const;
  std::vector<TRun>::const_iterator FirstRunOfRow(int row) const;  // normalised first

  QRect FCanvas;
  mutable std::vector<TRun> FRuns;
  mutable bool FNormal = true;  // sorted, and runs of a row neither overlap nor touch
};
