#include "plan/rulers.h"

#include "platform/canvas.h"
#include "platform/rounding.h"

TRulerFont CreateRulerFont(int escapement, int width, const QString& face, int height) {
  return {MakePixelFont(face, height, width), escapement};
}

void PaintRulers(QImage& layer, int w, int h, const TPlanScale& s) {
  Canvas c(layer);
  c.SetBrush(Qt::white);
  c.FillAll(Qt::white);
  c.SetPen(Qt::black, 1);
  c.Rectangle(1, 1, w - 1, h - 1);
  c.Rectangle(10, 10, w - 10, h - 10);
  c.Line(1, 10, w - 1, 10);
  c.Line(1, h - 11, w - 1, h - 11);
  c.Line(10, 1, 10, h - 1);
  c.Line(w - 11, 1, w - 11, h - 1);

  const int r = Round(s.DiameterOuterPx / s.FScale);
  const int step = RulerStep(r);
  c.SetTextColor(Qt::black);

  const TRulerFont across = CreateRulerFont(0, 5, QStringLiteral("Tahoma"), 11);
  c.SetFont(across.Font);
  int lo = Round(s.FOriginX / s.FScale);
  int hi = Round((s.FOriginX + s.DiameterOuterPx) / s.FScale);
  for (int v = lo; v <= hi; ++v) {
    const int d = v - lo;
    if (d % step != 0) continue;
    const int x = MmToPx(v, s.FScale) + 4;
    c.Line(x, 1, x, 10);
    c.Line(x, h - 2, x, h - 11);
    const QString label = QString::number(d);
    const int n = static_cast<int>(label.size());
    c.TextOut(x - (5 * n) / 2, 15, label, across.Escapement);
    c.TextOut(x - (5 * n) / 2, h - 30, label, across.Escapement);
  }

  const TRulerFont upward = CreateRulerFont(900, 5, QStringLiteral("Tahoma"), 11);
  c.SetFont(upward.Font);
  lo = Round(s.FOriginY / s.FScale);
  hi = Round((s.FOriginY + s.DiameterOuterPx) / s.FScale);
  for (int v = lo; v <= hi; ++v) {
    const int d = v - lo;
    if (d % step != 0) continue;
    const int y = MmToPx(v, s.FScale) + 4;
    c.Line(1, y, 10, y);
    c.Line(w - 11, y, w - 1, y);
    const QString label = QString::number(d);
    const int n = static_cast<int>(label.size());
    c.TextOut(15, y + (5 * n) / 2, label, upward.Escapement);
    c.TextOut(w - 30, y + (5 * n) / 2, label, upward.Escapement);
  }
}
