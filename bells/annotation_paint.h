#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "bells/annotations.h"
#include "platform/ink_tiles.h"

// Painting of the fixing on a plan-sized layer image (white is see-through). Lines are one pixel,
// black, without the last pixel, as a move-to/line-to pair draws them; texts are unsmoothed so
// that white keying leaves hard edges. Each returns a rectangle holding every pixel it may have
// touched, so that the layer knows where its ink is without looking at every pixel; given
// `ink`, they also mark there the tiles they touched (a slanting line's, not its rectangle's).

QRect DrawSegment(QImage& layer, const TSegment& segment, QRgb colour = 0xFF000000u);
QRect DrawSegments(QImage& layer, const std::vector<TSegment>& segments, TInkTiles* ink = nullptr);

// A font of `height` pixels whose average character is about `width` pixels wide. Faces missing
// on the machine fall back to DejaVu Sans at the same size.
QFont PlanFont(const QString& face, int height, int width, bool bold);

// Text with its top-left corner at `corner`, turned counter-clockwise about that corner by the
// escapement (tenths of a degree). With `opaque` the text cells are filled white first.
QRect DrawPlanText(QImage& layer, QPoint corner, const QString& text, const QFont& font,
                   int escapement, bool opaque);

// One wall dimension: lines, arrowheads and the Tahoma number turned along the line.
QRect DrawDimension(QImage& layer, const TDimension& dimension, TInkTiles* ink = nullptr);
QRect DrawDimension(QImage& layer, QPoint a, QPoint b, bool withOffset, int extraOffset, std::int32_t number);

// The face of the weight texts: bold Tahoma, 11 pixels high.
QFont WeightFont();
// One bell weight in the weight face on the white brush.
QRect DrawWeightText(QImage& layer, const TWeightText& text);
