#pragma once

#include <QImage>
#include <QPoint>

// The tile `pattern` as seen from a surface whose pixel (0, 0) lies at `offset` of the surface
// the pattern is tiled on from its pixel (0, 0): tiling the result from (0, 0) continues that
// pattern. An offset of whole tiles gives the pattern itself.
QImage ShiftedPattern(const QImage& pattern, QPoint offset);

// A material picture as a brush painted straight onto a composed picture: white see-through, as
// on a layer. A picture with no white pixel stays opaque (no alpha channel): what it fills
// hides what is beneath.
QImage KeyedPattern(const QImage& pattern);
