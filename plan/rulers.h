#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include "plan/plan_scale.h"

// The ruler lettering: a face of `height` x `width` pixel cells, turned by `escapement` tenths of
// a degree counter-clockwise when written.
struct TRulerFont {
  QFont Font;
  int Escapement = 0;
};
TRulerFont CreateRulerFont(int escapement, int width, const QString& face, int height);

// Paints the ruler layer for a panel client area of w x h: white ground, the two frames, the
// four ruler bands and the millimetre ticks and labels over the extent of the walls' square.
void PaintRulers(QImage& layer, int w, int h, const TPlanScale& scale);
