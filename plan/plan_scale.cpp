#include "plan/plan_scale.h"

#include "platform/rounding.h"

QPoint TPlanScale::MmToPlan(QPoint mm) const {
  return QPoint(MmToPx(mm.x(), FScale) + FOriginX, MmToPx(mm.y(), FScale) + FOriginY);
}

QPoint TPlanScale::PlanToMm(QPoint px) const {
  return QPoint(Round((px.x() - FOriginX) / FScale), Round((px.y() - FOriginY) / FScale));
}

std::int32_t TPlanScale::LengthPx(std::int32_t mm) const { return MmToPx(mm, FScale); }

TPlanScale ComputeScale(int w, int h, std::int32_t d) {
  TPlanScale s;
  // A walls record read from a document is not range-checked; a zero or negative size must not
  // turn the scale into infinity or a negative number.
  const long double dd = d > 0 ? d : 1;
  if (h > w) s.FScale = (w - 120) / dd;
  else s.FScale = (h - 120) / dd * 0.95L;
  if (s.FScale <= 0) s.FScale = 1.0L / dd;  // a panel too small to show the plan still maps sanely
  s.DiameterOuterPx = MmToPx(d, s.FScale);
  s.FOriginX = 65;
  s.FOriginY = 65;
  if (h > w) s.FOriginY = (h - s.DiameterOuterPx) / 2;
  else s.FOriginX = (w - s.DiameterOuterPx) / 2;
  return s;
}

int RulerStep(std::int32_t r) {
  int step = 2000;
  if (r < 12000) step = 1000;
  if (r < 6000) step = 500;
  return step;
}
