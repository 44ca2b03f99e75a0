#include "plan/rulers.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/canvas.h"
#include "platform/rounding.h"

TRulerFont CreateRulerFont(int escapement, int width, const QString& face, int height) {
  return {MakePixelFont(face, height, width), escapement};
}

namespace {

// The frames, ticks and labels of a ruler lie within this many pixels of the layer's edge (the
// labels' far side at 30 pixels in).
constexpr int kRulerInkBand = 40;

void PaintRulerFrame(Canvas& c, int w, int h) {
  // All white already: the frames need no fill of their own.
  c.SetBrushClear();
  c.SetPen(Qt::black, 1);
  c.Rectangle(1, 1, w - 1, h - 1);
  c.Rectangle(10, 10, w - 10, h - 10);
  c.Line(1, 10, w - 1, 10);
  c.Line(1, h - 11, w - 1, h - 11);
  c.Line(10, 1, 10, h - 1);
  c.Line(w - 11, 1, w - 11, h - 1);
}

}  // namespace

TInkTiles RulerInk(int w, int h) {
  TInkTiles ink(QRect(0, 0, w, h));
  ink.Add(QRect(0, 0, w, kRulerInkBand));
  ink.Add(QRect(0, h - kRulerInkBand, w, kRulerInkBand));
  ink.Add(QRect(0, 0, kRulerInkBand, h));
  ink.Add(QRect(w - kRulerInkBand, 0, kRulerInkBand, h));
  return ink;
}

void PaintRulers(QImage& layer, int w, int h, const TPlanScale& s) {
  Canvas(layer).FillAll(Qt::white);
  PaintRulersOnWhite(layer, w, h, s);
}

void PaintRulersOnWhite(QImage& layer, int w, int h, const TPlanScale& s) {
  Canvas c(layer);
  PaintRulerFrame(c, w, h);

  const int r = Round(s.DiameterOuterPx / s.FScale);
  const int step = RulerStep(r);
  c.SetTextColor(Qt::black);

  std::vector<Canvas::TText> labels;
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
    labels.push_back({QPoint(x - (5 * n) / 2, 15), label});
    labels.push_back({QPoint(x - (5 * n) / 2, h - 30), label});
  }
  c.TextOuts(labels, across.Escapement);
  labels.clear();

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
    labels.push_back({QPoint(15, y + (5 * n) / 2), label});
    labels.push_back({QPoint(w - 30, y + (5 * n) / 2), label});
  }
  c.TextOuts(labels, upward.Escapement);
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

// Label widths in the rulers' one font, kept: a view's step is chosen by measuring every label
// of several candidate steps, at every zoom and pan.
class TLabelWidths {
 public:
  explicit TLabelWidths(const QFont& font) : FMetrics(font) {}
  int Of(std::int64_t v) {
    const auto found = FWidths.find(v);
    if (found != FWidths.end()) return found->second;
    if (FWidths.size() > 100000) FWidths.clear();
    const int width = FMetrics.horizontalAdvance(QString::number(v));
    FWidths.emplace(v, width);
    return width;
  }
  const QFontMetrics& Metrics() const { return FMetrics; }

 private:
  QFontMetrics FMetrics;
  std::unordered_map<std::int64_t, int> FWidths;
};

std::int64_t StepFor(long double scale, int origin, int from, int to, TLabelWidths& widths) {
  for (std::int64_t step = 1; step <= 1000000000; step *= 10) {
    for (const std::int64_t candidate : {step, step * 5}) {
      const long double gap = candidate * scale;
      if (gap < kRulerLabelGap + 4) continue;
      // The widest label of this step decides whether its neighbours keep apart.
      int widest = 0;
      for (const std::int64_t v : TickValues(scale, origin, from, to, candidate)) widest = std::max(widest, widths.Of(v));
      if (gap >= widest + kRulerLabelGap) return candidate;
    }
  }
  return 1000000000;
}

// The lettering of the fitted rulers, made once: finding a face is slow beside the drawing.
const QFont& ViewRulerFont() {
  static const QFont font = [] {
    QFont f = CreateRulerFont(0, 5, QStringLiteral("Tahoma"), 11).Font;
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
  }();
  return font;
}

}  // namespace

std::int64_t ViewRulerStep(long double scale, int origin, int from, int to, const QFont& font) {
  TLabelWidths widths(font);
  return StepFor(scale, origin, from, to, widths);
}

TViewRulers LayOutViewRulers(int w, int h, const TPlanScale& s) {
  TViewRulers r;
  r.W = w;
  r.H = h;
  // Ticks within the inner frame; labels clear of the corners, where the other ruler's labels are.
  const int low = 11, highX = w - 12, highY = h - 12;
  const int labelLow = 30, labelHighX = w - 31, labelHighY = h - 31;
  static TLabelWidths widths(ViewRulerFont());
  const int height = widths.Metrics().height();

  std::int64_t step = StepFor(s.FScale, s.FOriginX, low, highX, widths);
  for (const std::int64_t v : TickValues(s.FScale, s.FOriginX, low, highX, step)) {
    const int x = MmToPx(v, s.FScale) + s.FOriginX + 4;
    r.TicksX.push_back(x);
    const int width = widths.Of(v);
    const int left = x - width / 2;
    if (left < labelLow || left + width > labelHighX) continue;
    r.Labels.push_back({true, v, QRect(left, 15, width, height)});
  }
  step = StepFor(s.FScale, s.FOriginY, low, highY, widths);
  for (const std::int64_t v : TickValues(s.FScale, s.FOriginY, low, highY, step)) {
    const int y = MmToPx(v, s.FScale) + s.FOriginY + 4;
    r.TicksY.push_back(y);
    const int width = widths.Of(v);
    const int bottom = y + width / 2;
    if (bottom - width < labelLow || bottom > labelHighY) continue;
    r.Labels.push_back({false, v, QRect(15, bottom - width, height, width)});
  }
  return r;
}

void PaintViewRulers(QPainter& p, const TViewRulers& r) {
  const int w = r.W, h = r.H;
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  // The frames and bands of the fitted rulers: white ground, the outer and inner frames and
  // the lines that close the bands, each ending a pixel short as the plan's lines do.
  p.fillRect(QRect(0, 0, w, h), Qt::white);
  p.setPen(QPen(Qt::black, 0));
  p.setBrush(Qt::NoBrush);
  if (w >= 3 && h >= 3) p.drawRect(1, 1, w - 3, h - 3);
  if (w >= 21 && h >= 21) p.drawRect(10, 10, w - 21, h - 21);
  if (w >= 3) {
    p.drawLine(1, 10, w - 2, 10);
    p.drawLine(1, h - 11, w - 2, h - 11);
  }
  if (h >= 3) {
    p.drawLine(10, 1, 10, h - 2);
    p.drawLine(w - 11, 1, w - 11, h - 2);
  }
  const QFont& font = ViewRulerFont();
  const QFontMetrics metrics(font);
  p.setFont(font);
  for (const int x : r.TicksX) {
    p.drawLine(x, 1, x, 9);
    p.drawLine(x, h - 2, x, h - 10);
  }
  for (const int y : r.TicksY) {
    p.drawLine(1, y, 9, y);
    p.drawLine(w - 11, y, w - 2, y);
  }
  for (const TRulerLabel& label : r.Labels) {
    const QString text = QString::number(label.Millimetres);
    if (label.Across) {
      p.drawText(QPoint(label.Bounds.left(), 15 + metrics.ascent()), text);
      p.drawText(QPoint(label.Bounds.left(), h - 30 + metrics.ascent()), text);
      continue;
    }
    for (const int x : {15, w - 30}) {  // read upward, as the fitted rulers' labels
      p.save();
      p.translate(x, label.Bounds.bottom() + 1);
      p.rotate(-90);
      p.drawText(QPoint(0, metrics.ascent()), text);
      p.restore();
    }
  }
  p.restore();
}

std::vector<TRulerLabel> PaintViewRulers(QImage& layer, int w, int h, const TPlanScale& s) {
  TViewRulers r = LayOutViewRulers(w, h, s);
  QPainter p(&layer);
  PaintViewRulers(p, r);
  return std::move(r.Labels);
}
