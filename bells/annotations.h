#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <span>
#include <vector>

#include "bells/bell_groups.h"
#include "plan/plan_object.h"

// The arithmetic of a fixed arrangement: ringing lines, weight texts and wall dimensions, all in
// plan pixels. Painting is in annotation_paint.h.

struct TSegment {
  QPoint From;
  QPoint To;
  friend bool operator==(const TSegment&, const TSegment&) = default;
};

// A dimension line between A and B, pushed 25 pixels (plus an extra offset) to the side that
// faces away from the walls.
struct TDimension {
  QPoint A, B;                   // the measured points
  QPoint A1, B1;                 // the far ends of the extension lines
  QPoint A2, B2;                 // the ends of the dimension line, 6.25 pixels short of A1, B1
  std::array<QPoint, 2> ArrowA;  // arrowhead ends drawn from A2
  std::array<QPoint, 2> ArrowB;  // and from B2
  QString Text;
  QPoint TextCorner;  // top-left of the text before it is turned
  int TextAngle = 0;  // escapement in tenths of a degree, counter-clockwise
};

// Nothing when A and B fall on the same pixel: a zero length has no direction to measure along.
std::optional<TDimension> DimensionGeometry(QPoint a, QPoint b, bool withOffset, int extraOffset,
                                            std::int32_t number);

// The seven segments in drawing order: both extension lines, the dimension line, the arrowheads.
std::vector<TSegment> DimensionSegments(const TDimension& dimension);

// The outer size on the left and the inner size above, for four-sided walls only (visible or not);
// empty for other wall types or when the outlines have not been built.
std::vector<TDimension> WallDimensions(const TPlanObject& walls);

// Where a hand line ends, pulled back from the hand by the offset toward the figure; nothing for
// an angle outside 0..360, which has no ringer figure either.
std::optional<QPoint> HandLineEnd(QPoint hand, int handOffset, int postAngle);

// One placed bell as the ringing lines see it.
struct TBellMark {
  QPoint PositionPx;
  std::uint8_t Group = 0;
  bool Visible = true;
};

// Lines of the visible group-1 bells to the hand and of the visible group-2 bells to the
// pedestal's centre, in the order of `bells` (catalogue slot order).
std::vector<TSegment> HandLines(std::span<const TBellMark> bells, QPoint hand, int handOffset,
                                int postAngle);
std::vector<TSegment> PostLines(std::span<const TBellMark> bells, QPoint postPositionPx);

// The marks of the placed bells in catalogue slot order, for HandLines and PostLines.
template <typename Objects>
std::vector<TBellMark> BellMarksBySlot(const Objects& objects, const TBellSlots& bellSlots) {
  std::vector<TBellMark> marks;
  const int size = static_cast<int>(std::size(objects));
  for (const std::int32_t k : bellSlots) {
    if (k < 0 || k >= size) continue;
    const TPlanObject& bell = PlanObjectRef(objects[k]);
    if (bell.ObjType != okBell) continue;
    marks.push_back({bell.BellPositionPx, bell.BellGroup, bell.ObjVisible});
  }
  return marks;
}

// Weight texts: bold, 11 pixels high, 5 wide, one line of 14 pixels.
inline constexpr int kWeightFontHeight = 11;
int WeightLineHeight(int fontHeight);

// The weight of the catalogue bell of that diameter followed by "кг"; nothing for a diameter that
// is not in the catalogue, which then gets no text.
std::optional<QString> BellWeightText(std::int32_t diameter);

// Top-left corner of a weight text of textLength characters, centred over the bell's picture at an
// estimated 5 pixels per character.
QPoint WeightTextCorner(QPoint bellPositionPx, int bellDiameterPx, int textLength, int lineHeight);

struct TWeightText {
  QString Text;
  QPoint Corner;
};

// Texts for the visible bells from index 1 on, in list order.
template <typename Objects>
std::vector<TWeightText> WeightTexts(const Objects& objects) {
  std::vector<TWeightText> texts;
  const int lh = WeightLineHeight(kWeightFontHeight);
  const int size = static_cast<int>(std::size(objects));
  for (int k = 1; k < size; ++k) {
    const TPlanObject& bell = PlanObjectRef(objects[k]);
    if (bell.ObjType != okBell || !bell.ObjVisible) continue;
    const std::optional<QString> text = BellWeightText(bell.BellDiameter);
    if (!text) continue;
    texts.push_back({*text, WeightTextCorner(bell.BellPositionPx, bell.BellDiameterPx,
                                             static_cast<int>(text->size()), lh)});
  }
  return texts;
}
