#include "beams/caption_stretch.h"

#include <algorithm>

int CaptionStretch(int room, int fixed, const std::function<int(int stretch)>& widest) {
  const int natural = widest(0);
  if (natural <= room) return 0;
  constexpr int kWidest = 100 - kCaptionStretchStep;
  const auto fits = [&](int stretch) { return widest(stretch) <= room; };
  // The caption narrows in proportion, give or take a pixel of rounding per letter.
  int stretch = natural > fixed && room > fixed ? 100 * (room - fixed) / (natural - fixed) : kWidest;
  stretch = std::clamp(stretch - stretch % kCaptionStretchStep, kNarrowestCaptionStretch, kWidest);
  if (fits(stretch)) {
    while (stretch < kWidest && fits(stretch + kCaptionStretchStep)) stretch += kCaptionStretchStep;
    return stretch;
  }
  while (stretch > kNarrowestCaptionStretch) {
    stretch -= kCaptionStretchStep;
    if (fits(stretch)) return stretch;
  }
  return kNarrowestCaptionStretch;
}
