#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

// Fills the 4-connected region of pixels equal to `surface` around `seed` with `pattern`, tiled
// from the image's pixel (0, 0) so that separate regions continue one pattern. A seed outside
// the image or not of the surface colour fills nothing. `surface` is compared as the image
// stores it: qRgb(...) (opaque) for the 32-bit formats.
void FloodFillPattern(QImage& img, QPoint seed, QRgb surface, const QImage& pattern);
// The same from each seed in turn, in one pass: the picture is prepared once.
void FloodFillPattern(QImage& img, const std::vector<QPoint>& seeds, QRgb surface, const QImage& pattern);
