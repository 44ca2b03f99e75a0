#pragma once

#include <functional>

// How far the chord boxes' captions may be narrowed, in percent of their face's width, and the
// step between two tries.
inline constexpr int kNarrowestCaptionStretch = 50;
inline constexpr int kCaptionStretchStep = 5;

// The stretch the chord boxes' captions are set in, given the width of the widest box at a
// stretch (0: the face as it is; else 95, 90 ... 50): 0 when the face as it is fits `room`,
// else the widest stretch that fits, else the narrowest. Boxes grow no narrower as the stretch
// grows, so the search starts where the face's own width puts the answer (`fixed` pixels of a
// box, its mark and the gap, keep their width) and asks for a few widths only: each stretch
// asked is one more font to look up.
int CaptionStretch(int room, int fixed, const std::function<int(int stretch)>& widest);
