#pragma once

#include <QPoint>
#include <cstdint>

#include "platform/rounding.h"

// The one rounding of millimetres to plan pixels: Round(mm x scale) with the product in extended
// precision and halves going to the even neighbour. Walls, bells, pedestal, beams and rulers all
// map through it, so a point at an exact half lands on the same pixel whoever draws it.
inline std::int32_t MmToPx(std::int64_t mm, long double scale) {
  return Round(static_cast<long double>(mm) * scale);
}

// The one mapping between plan millimetres and plan pixels.
struct TPlanScale {
  long double FScale = 1.0L;  // plan pixels per millimetre
  std::int32_t FOriginX = 0;
  std::int32_t FOriginY = 0;
  std::int32_t DiameterOuterPx = 0;

  QPoint MmToPlan(QPoint mm) const;
  QPoint PlanToMm(QPoint px) const;
  std::int32_t LengthPx(std::int32_t mm) const;
};

// Fits walls of outer size `diameterOuter` mm into a panel client area of w x h pixels: 65 px
// margin on the short side, centred on the long one (the landscape rule also for a square).
TPlanScale ComputeScale(int clientWidth, int clientHeight, std::int32_t diameterOuter);

// Ruler tick step in millimetres for walls whose outer size is R mm.
int RulerStep(std::int32_t r);
