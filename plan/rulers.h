#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <vector>

#include "plan/plan_scale.h"
#include "platform/ink_tiles.h"

class QPainter;

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
// The same on a layer already white where RulerInk says the rulers go.
void PaintRulersOnWhite(QImage& layer, int w, int h, const TPlanScale& scale);
// Where PaintRulers leaves ink: bands along the four edges of the w x h layer, the labels
// within them. The middle of the layer is no ink to look through.
TInkTiles RulerInk(int w, int h);

// Pixels kept free between two labels of a ruler, at the least.
inline constexpr int kRulerLabelGap = 6;

// One label written on the rulers of a view: along the top (and bottom) or the left (and
// right) ruler, its value in millimetres and where the top or left one stands.
struct TRulerLabel {
  bool Across = true;
  std::int64_t Millimetres = 0;
  QRect Bounds;
};

// The tick step of a view's ruler between panel pixels `from` and `to`: the finest of 1, 5, 10,
// 50, 100 ... mm at which the widest label of the ruler, written in `font`, keeps
// kRulerLabelGap pixels from its neighbours.
std::int64_t ViewRulerStep(long double scale, int origin, int from, int to, const QFont& font);

// The rulers of a magnified or moved view: the same frames and bands, with ticks and labels in
// millimetres of the walls' frame wherever the panel shows the plan, their step following the
// scale. Laid out from the scale (cheap, done when the view changes), painted when composed.
struct TViewRulers {
  int W = 0, H = 0;                    // the panel
  std::vector<int> TicksX, TicksY;     // panel pixels of the ticks along the top and the left
  std::vector<TRulerLabel> Labels;     // the labels written
};
TViewRulers LayOutViewRulers(int w, int h, const TPlanScale& scale);
// Paints the rulers, white ground included, into a painter of panel pixels.
void PaintViewRulers(QPainter& painter, const TViewRulers& rulers);
// Paints them onto a panel-sized canvas; returns the labels written.
std::vector<TRulerLabel> PaintViewRulers(QImage& layer, int w, int h, const TPlanScale& scale);
