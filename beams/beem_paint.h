#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

// Paints a beam's band on its layer: the outline polygon filled with the material picture, tiled
// from the layer's pixel (0, 0) so that all beams of one material continue one pattern, and
// outlined with a black one-pixel pen. No antialiasing: white is the layers' transparent colour,
// and blended edge pixels would show as a grey fringe. A null picture leaves the band white.
// The layer is not cleared first.
void PaintBeem(QImage& layer, const std::vector<QPoint>& outline, const QImage& pattern);
// The same band painted straight onto `painter`: white in the picture is then no see-through.
class QPainter;
void PaintBeem(QPainter& painter, const std::vector<QPoint>& outline, const QImage& pattern, bool cosmetic = true);
