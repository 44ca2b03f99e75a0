#include "plan/rulers.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/canvas.h"
#include "platform/rounding.h"

TRulerFont CreateRulerFont(int escapement, int width, const QString& face, int height) {
  return {MakePixelFont(face, height, width), escapement};
}

namespace {

void PaintRulerFrame(Canvas& c, int w, int h) {
  c.SetBrush(Qt::white);
  c.FillAll(Qt::white);
  c.SetPen(Qt::black, 1);
  c.Rectangle(1, 1, w - 1, h - 1);
  c.Rectangle(10, 10, w - 10, h - 10);
  c.Line(1, 10, w - 1, 10);
  c.Line(1, h - 11, w - 1, h - 11);
  c.Line(10, 1, 10, h - 1);
  c.Line(w - 11, 1, w - 11, h - 1);
}

}  // namespace

void PaintRulers(QImage& layer, int w, int h, const TPlanScale& s) {
  Canvas c(layer);
  PaintRulerFrame(c, w, h);

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

namespace {

// The label ticks of one ruler of a view: the millimetre values of the walls' frame, multiples
// of `step`, whose tick lies between panel pixels `from` and `to`.
std::vector<std::int64_t> TickValues(long double scale, int origin, int from, int to, std::int64_t step) {
  std::vector<std::int64_t> values;
  const long double lo = (from - 4 - origin) / scale, hi = (to - 4 - origin) / scale;
  if (!(lo < hi) || !std::isfinite(lo) || !std::isfinite(hi)) return values;
  std::int64_t v = static_cast<std::int64_t>(std::floor(lo / step)) * step;
  for (; v <= hi + step && values.size() < 10000; v += step) {
    const std::int64_t x = static_cast<std::int64_t>(MmToPx(v, scale)) + origin + 4;
    if (x >= from && x <= to) values.push_back(v);
  }
  return values;
}

int WidestLabel(const QFontMetrics& metrics, const std::vector<std::int64_t>& values) {
  int widest = 0;
  for (const std::int64_t v : values) widest = std::max(widest, metrics.horizontalAdvance(QString::number(v)));
  return widest;
}

}  // namespace

std::int64_t ViewRulerStep(long double scale, int origin, int from, int to, const QFont& font) {
  const QFontMetrics metrics(font);
  for (std::int64_t step = 1; step <= 1000000000; step *= 10) {
    for (const std::int64_t candidate : {step, step * 5}) {
      const long double gap = candidate * scale;
      if (gap < kRulerLabelGap + 4) continue;
      // The widest label of this step decides whether its neighbours keep apart.
      const int widest = WidestLabel(metrics, TickValues(scale, origin, from, to, candidate));
      if (gap >= widest + kRulerLabelGap) return candidate;
    }
  }
  return 1000000000;
}

std::vector<TRulerLabel> PaintViewRulers(QImage& layer, int w, int h, const TPlanScale& s) {
  {
    Canvas c(layer);
    PaintRulerFrame(c, w, h);
  }
  std::vector<TRulerLabel> labels;
  // Ticks within the inner frame; labels clear of the corners, where the other ruler's labels are.
  const int low = 11, highX = w - 12, highY = h - 12;
  const int labelLow = 30, labelHighX = w - 31, labelHighY = h - 31;
  // The lettering of the fitted rulers, made once: finding a face is slow beside the drawing.
  static const QFont font = [] {
    QFont f = CreateRulerFont(0, 5, QStringLiteral("Tahoma"), 11).Font;
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
  }();
  const QFontMetrics metrics(font);
  // One painter for every tick and label: white is the layer's see-through colour, so the
  // labels need no white ground of their own here.
  QPainter p(&layer);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setPen(Qt::black);
  p.setFont(font);

  std::int64_t step = ViewRulerStep(s.FScale, s.FOriginX, low, highX, font);
  for (const std::int64_t v : TickValues(s.FScale, s.FOriginX, low, highX, step)) {
    const int x = MmToPx(v, s.FScale) + s.FOriginX + 4;
    p.drawLine(x, 1, x, 9);
    p.drawLine(x, h - 2, x, h - 10);
    const QString label = QString::number(v);
    const int width = metrics.horizontalAdvance(label);
    const int left = x - width / 2;
    if (left < labelLow || left + width > labelHighX) continue;
    p.drawText(QPoint(left, 15 + metrics.ascent()), label);
    p.drawText(QPoint(left, h - 30 + metrics.ascent()), label);
    labels.push_back({true, v, QRect(left, 15, width, metrics.height())});
  }

  step = ViewRulerStep(s.FScale, s.FOriginY, low, highY, font);
  for (const std::int64_t v : TickValues(s.FScale, s.FOriginY, low, highY, step)) {
    const int y = MmToPx(v, s.FScale) + s.FOriginY + 4;
    p.drawLine(1, y, 9, y);
    p.drawLine(w - 11, y, w - 2, y);
    const QString label = QString::number(v);
    const int width = metrics.horizontalAdvance(label);
    const int bottom = y + width / 2;
    if (bottom - width < labelLow || bottom > labelHighY) continue;
    for (const int x : {15, w - 30}) {  // read upward, as the fitted rulers' labels
      p.save();
      p.translate(x, bottom);
      p.rotate(-90);
      p.drawText(QPoint(0, metrics.ascent()), label);
      p.restore();
    }
    labels.push_back({false, v, QRect(15, bottom - width, metrics.height(), width)});
  }
  return labels;
}
