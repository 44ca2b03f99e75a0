// Composing the panel's layers: whatever the composition skips beneath opaque shapes and however
// it splits the work, the pixels are those of painting every shown layer bottom to top.
#include "platform/layer_stack.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QRandomGenerator>

#include "platform/layer.h"

namespace {

constexpr QSize kPanel(220, 170);

// Every shown layer bottom to top the plain way: a canvas's non-white pixels copied one by one,
// drawings and stretched pictures rendered through a painter moved to the layer and cut to it.
QImage Reference(const TLayerStack& stack, QImage target, const QRect& area, const TLayerStack::TPaintOrder& order) {
  QPainter p(&target);
  const auto paint = [&](const TLayer& layer, const QRegion& where) {
    const QRegion clip = where & layer.geometry() & target.rect();
    if (layer.isHidden() || clip.isEmpty()) return;
    if (layer.HasDrawing() || layer.Stretch()) {
      p.save();
      p.setClipRegion(clip);
      p.translate(layer.pos());
      layer.RenderTo(p, order.Magnified);
      p.restore();
      return;
    }
    const QImage& canvas = layer.Canvas();
    const QPoint at = layer.pos() + layer.CanvasOffset();
    for (const QRect& r : clip)
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
          const QPoint c = QPoint(x, y) - at;
          if (!canvas.rect().contains(c)) continue;
          const QRgb ink = canvas.pixel(c) | 0xFF000000u;
          if (ink != 0xFFFFFFFFu) reinterpret_cast<QRgb*>(target.scanLine(y))[x] = ink;
        }
  };
  const QRegion inside = order.Clip.isEmpty() ? QRegion(area) : QRegion(area & order.Clip);
  for (const TLayer* layer : stack.Order())
    if (layer != order.Last) paint(*layer, inside);
  if (order.Last) paint(*order.Last, QRegion(area) - QRegion(order.Clip));
  return target;
}

class TRandomStack {
 public:
  explicit TRandomStack(quint32 seed) : FRng(seed) {
    for (int i = 0; i < 30; ++i) Add();
  }
  TLayerStack Stack;
  QRandomGenerator FRng;

  int Int(int lo, int hi) { return FRng.bounded(lo, hi + 1); }
  QColor Colour(int alpha = 255) { return QColor(Int(0, 254), Int(0, 254), Int(0, 254), alpha); }

  QImage Background() {
    QImage image(kPanel, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, 0xFF000000u | FRng.bounded(0x1000000u));
    return image;
  }

 private:
  void Add() {
    auto* layer = new TLayer(&Stack);
    const int w = Int(8, 120), h = Int(8, 100);
    layer->setGeometry(Int(-20, 200), Int(-20, 150), w, h);
    switch (Int(0, 9)) {
      case 0: case 1: case 2: case 3: {  // an opaque quad, its corners on the layer's four sides
        std::vector<QPoint> quad{{Int(0, w - 1), 0}, {w - 1, Int(0, h - 1)}, {Int(0, w - 1), h - 1}, {0, Int(0, h - 1)}};
        if (Int(0, 1)) quad = {{Int(0, 5), Int(0, 5)}, {w - 1 - Int(0, 5), 0}, {w - 1, h - 1}, {0, h - 1 - Int(0, 5)}};
        const QColor fill = Colour(), pen = Int(0, 1) ? Colour() : QColor();
        const bool smooth = Int(0, 3) == 0;
        layer->SetDrawing([quad, fill, pen, smooth](QPainter& p) {
          p.setRenderHint(QPainter::Antialiasing, smooth);
          p.setPen(pen.isValid() ? QPen(pen, 0) : QPen(Qt::NoPen));
          p.setBrush(fill);
          p.drawPolygon(quad.data(), static_cast<int>(quad.size()));
        }, quad);
        break;
      }
      case 4: case 5: {  // see-through: a smooth ring and a line running past the layer
        const QColor ring = Colour(Int(40, 200)), line = Colour();
        const QRect box(Int(-10, w / 2), Int(-10, h / 2), Int(4, w), Int(4, h));
        layer->SetDrawing([ring, line, box](QPainter& p) {
          p.setRenderHint(QPainter::Antialiasing, true);
          p.setPen(QPen(ring, 3));
          p.setBrush(Qt::NoBrush);
          p.drawEllipse(box);
          p.setPen(QPen(line, 1));
          p.drawLine(box.topLeft() - QPoint(30, 20), box.bottomRight() + QPoint(40, 25));
        });
        break;
      }
      case 6: case 7: case 8: {  // a canvas with ink, maybe larger or smaller than the layer
        layer->SetShowInkOnly(Int(0, 1) == 1);
        layer->ResetCanvas(w + Int(-6, 12), h + Int(-6, 12));
        layer->SetCanvasOffset(QPoint(Int(-8, 8), Int(-8, 8)));
        if (Int(0, 5) == 0) break;  // left blank
        QImage& canvas = layer->Canvas();
        QPainter p(&canvas);
        for (int n = Int(1, 6); n > 0; --n)
          p.fillRect(Int(-5, w), Int(-5, h), Int(1, w / 2 + 1), Int(1, h / 2 + 1), n == 1 ? QColor::fromRgb(0xFFFEFFFFu) : Colour());
        p.end();
        layer->CanvasChanged();
        break;
      }
      default: {  // a stretched picture, white see-through
        QImage picture(Int(2, 9), Int(2, 9), QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
          for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, Int(0, 2) ? Colour().rgb() : 0xFFFFFFFFu);
        layer->SetStretch(true);
        layer->SetPicture(picture);
        break;
      }
    }
    if (Int(0, 6) == 0) layer->hide();
  }
};

const QRect kAreas[] = {QRect(QPoint(0, 0), kPanel), QRect(13, 7, 101, 77), QRect(0, 0, 16, 16),
                        QRect(150, 100, 70, 70), QRect(37, 21, 1, 130), QRect(190, 140, 60, 60),
                        QRect(5, 60, 213, 9)};

void ExpectComposedAsReference(TRandomStack& r, const TLayerStack::TPaintOrder& order, const char* what) {
  for (const QRect& area : kAreas) {
    const QImage background = r.Background();
    QImage composed = background;
    r.Stack.Paint(composed, area, order);
    EXPECT_TRUE(composed == Reference(r.Stack, background, area, order))
        << what << ", area " << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
  }
}

TEST(TLayerStack, ComposesAsPaintingEveryShownLayerBottomToTop) {
  for (const quint32 seed : {17u, 1717u, 4242u}) {
    SCOPED_TRACE(seed);
    TRandomStack r(seed);
    ExpectComposedAsReference(r, {}, "plain");
    ExpectComposedAsReference(r, {nullptr, QRect(), true}, "magnified");
    // One layer above all and outside the clip, the others within it only.
    TLayer* rulers = r.Stack.Order()[5];
    rulers->show();
    ExpectComposedAsReference(r, {rulers, QRect(20, 18, 170, 120), true}, "with rulers");
    // Restacked, shown and hidden: the composition follows.
    for (int step = 0; step < 40; ++step) {
      const std::vector<TLayer*>& order = r.Stack.Order();
      TLayer* layer = order[static_cast<size_t>(r.Int(0, static_cast<int>(order.size()) - 1))];
      switch (r.Int(0, 3)) {
        case 0: layer->raise(); break;
        case 1: layer->lower(); break;
        case 2: layer->stackUnder(order[static_cast<size_t>(r.Int(0, static_cast<int>(order.size()) - 1))]); break;
        default: layer->setVisible(layer->isHidden()); break;
      }
    }
    ExpectComposedAsReference(r, {}, "restacked");
  }
}

// Three opaque squares over one point: the one on top shows, hidden ones not at all.
TEST(TLayerStack, StackingAndHidingDecideWhatShows) {
  TLayerStack stack;
  TLayer* squares[3];
  for (const QColor colour : {Qt::red, Qt::green, Qt::blue}) {
    auto* layer = new TLayer(&stack);
    layer->setGeometry(10, 10, 60, 60);
    layer->SetDrawing([colour](QPainter& p) { p.fillRect(0, 0, 60, 60, colour); }, {{0, 0}, {59, 0}, {59, 59}, {0, 59}});
    squares[stack.Order().size() - 1] = layer;
  }
  TLayer *red = squares[0], *green = squares[1], *blue = squares[2];
  const auto shown = [&] {
    QImage target(80, 80, QImage::Format_RGB32);
    target.fill(Qt::white);
    stack.Paint(target, target.rect());
    return QColor(target.pixel(40, 40));
  };
  const std::pair<std::function<void()>, QColor> steps[] = {
      {[] {}, Qt::blue},           {[&] { red->raise(); }, Qt::red},          {[&] { red->lower(); }, Qt::blue},
      {[&] { blue->stackUnder(green); }, Qt::green}, {[&] { green->hide(); }, Qt::blue},
      {[&] { blue->hide(); }, Qt::red}, {[&] { red->hide(); }, Qt::white},     {[&] { green->show(); }, Qt::green},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    steps[i].first();
    EXPECT_EQ(shown(), steps[i].second) << "step " << i;
  }
  EXPECT_EQ(stack.Order(), (std::vector<TLayer*>{red, blue, green}));
}

// An opaque drawing whose hull reaches past its bounds hides nothing beyond them: it is not
// painted there.
TEST(TLayerStack, AHullReachingPastItsLayerHidesNothingBeyondIt) {
  TLayerStack stack;
  auto* red = new TLayer(&stack);
  red->setGeometry(0, 0, 64, 64);
  red->SetDrawing([](QPainter& p) { p.fillRect(0, 0, 64, 64, Qt::red); });
  auto* top = new TLayer(&stack);
  top->setGeometry(32, 0, 32, 64);
  top->SetDrawing([](QPainter& p) { p.fillRect(-72, -40, 144, 144, Qt::blue); }, {{-72, -40}, {72, -40}, {72, 104}, {-72, 104}});
  QImage target(64, 64, QImage::Format_RGB32);
  target.fill(Qt::white);
  stack.Paint(target, target.rect());
  EXPECT_EQ(QColor(target.pixel(10, 10)), QColor(Qt::red));
  EXPECT_EQ(QColor(target.pixel(40, 10)), QColor(Qt::blue));
}

}  // namespace
