#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

class QPainter;

// Paints a beam's band on its layer: the outline polygon filled with the material picture and
// outlined with a black one-pixel pen. The picture is tiled with its pixel (0, 0) on
// `patternOrigin`, so that all beams of one material continue one pattern. No antialiasing:
// white is the layers' transparent colour, and blended edge pixels would show as a grey fringe.
// A null picture leaves the band white. The layer is not cleared first.
void PaintBeem(QImage& layer, const std::vector<QPoint>& outline, const QImage& pattern, QPoint patternOrigin = {});

// The same band painted straight onto `painter`, in its coordinates. With the picture's white
// keyed out (KeyedPattern, platform/pattern.h) and a cosmetic pen, a band that lies wholly inside the painter's
// device gets exactly the pixels the layer would show: a stroke of the pen steps the same
// wherever it starts, and only the device's edge cuts it otherwise. A magnified band reaches far
// past the device and is cut there; its outline is then stroked as a shape one pixel wide,
// which is cut alike however the band is composed piece by piece.
void PaintBeem(QPainter& painter, const std::vector<QPoint>& outline, const QImage& pattern, QPoint patternOrigin,
               bool cosmetic);
