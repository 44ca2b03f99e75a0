#pragma once

#include <QImage>
#include <QPoint>

// Fills the 4-connected region of pixels equal to `surface` around `seed` with `pattern`, tiled
// from the image's pixel (0, 0) so that separate regions continue one pattern. A seed outside
// the image or not of the surface colour fills nothing. `surface` is compared as the image
// stores it: qRgb(...) (opaque) for the 32-bit formats.
void FloodFillPattern(QImage& img, QPoint seed, QRgb surface, const QImage& pattern);
