#pragma once

#include <QImage>

#include "plan/plan_scale.h"

// Paints the ruler layer for a panel client area of w x h: white ground, the two frames, the
// four ruler bands and the millimetre ticks and labels over the extent of the walls' square.
void PaintRulers(QImage& layer, int w, int h, const TPlanScale& scale);
