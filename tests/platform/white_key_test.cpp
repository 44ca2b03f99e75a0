// The white key behind every layer: what counts as ink, where it lies, and how it is copied.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QRandomGenerator>

#include "platform/layer.h"
#include "platform/white_key.h"

namespace {

QImage White(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

struct TInkCase {
  const char* Name;
  std::vector<std::pair<QPoint, QRgb>> Pixels;
  QRect Expected;
};

TEST(InkBounds, FindsTheSmallestBoxAroundEveryNonWhitePixel) {
  const TInkCase cases[] = {
      {"all white", {}, QRect()},
      {"one corner pixel", {{{0, 0}, 0xFF000000u}}, QRect(0, 0, 1, 1)},
      {"far corner", {{{9, 7}, 0xFF102030u}}, QRect(9, 7, 1, 1)},
      {"near-white is ink", {{{4, 3}, 0xFFFFFFFEu}}, QRect(4, 3, 1, 1)},
      {"alpha byte ignored", {{{2, 2}, 0x00FFFFFFu}}, QRect()},
      {"spread", {{{1, 5}, 0xFF0000FFu}, {{8, 2}, 0xFF00FF00u}, {{3, 6}, 0xFFFF0000u}},
       QRect(QPoint(1, 2), QPoint(8, 6))},
      // A later row inked further left than any before must still widen the box.
      {"left edge found late", {{{7, 1}, 0xFF000000u}, {{0, 6}, 0xFF000000u}},
       QRect(QPoint(0, 1), QPoint(7, 6))},
  };
  for (const TInkCase& c : cases) {
    QImage image = White(10, 8);
    for (const auto& [p, colour] : c.Pixels) image.setPixel(p, colour);
    EXPECT_EQ(InkBounds(image), c.Expected) << c.Name;
  }
  EXPECT_EQ(InkBounds(QImage()), QRect());
}

// The scan skips what it has seen; against a plain look at every pixel it must agree on any
// scatter of ink, in any image width (whole blocks of pixels and remainders alike).
TEST(InkBounds, AgreesWithLookingAtEveryPixel) {
  QRandomGenerator rng(11);
  for (int round = 0; round < 400; ++round) {
    const int w = 1 + static_cast<int>(rng.bounded(70)), h = 1 + static_cast<int>(rng.bounded(12));
    QImage image = White(w, h);
    const int dots = static_cast<int>(rng.bounded(6));
    for (int i = 0; i < dots; ++i)
      image.setPixel(static_cast<int>(rng.bounded(w)), static_cast<int>(rng.bounded(h)),
                     0xFF000000u | rng.bounded(0xFFFFFFu));
    QRect expected;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((image.pixel(x, y) | 0xFF000000u) != 0xFFFFFFFFu) expected |= QRect(x, y, 1, 1);
    ASSERT_EQ(InkBounds(image), expected) << "round " << round << ", " << w << " x " << h;
  }
}

TEST(KeyOutWhiteInto, KeysThePartAndReusesItsStore) {
  QImage image = White(6, 4);
  image.setPixel(2, 1, 0xFF336699u);
  image.setPixel(4, 2, 0xFF000000u);
  TPixelStore store;
  const QRect part(2, 1, 3, 2);
  QImage keyed = KeyOutWhiteInto(image, part, store);
  ASSERT_EQ(keyed.size(), part.size());
  EXPECT_EQ(keyed.format(), QImage::Format_ARGB32_Premultiplied);
  EXPECT_EQ(keyed.pixel(0, 0), 0xFF336699u);
  EXPECT_EQ(keyed.pixel(2, 1), 0xFF000000u);
  EXPECT_EQ(qAlpha(keyed.pixel(1, 0)), 0);
  const QRgb* memory = store.Data.get();
  keyed = KeyOutWhiteInto(image, QRect(0, 0, 2, 2), store);  // smaller: the same memory
  EXPECT_EQ(store.Data.get(), memory);
  EXPECT_EQ(keyed.size(), QSize(2, 2));
  // A part reaching outside the image is cut to it; one wholly outside gives nothing.
  EXPECT_EQ(KeyOutWhiteInto(image, QRect(4, 2, 10, 10), store).size(), QSize(2, 2));
  EXPECT_TRUE(KeyOutWhiteInto(image, QRect(20, 20, 3, 3), store).isNull());
  // The whole image keyed.
  const QImage whole = KeyOutWhiteInto(image, image.rect(), store);
  EXPECT_EQ(whole.size(), image.size());
  EXPECT_EQ(whole.pixel(4, 2), 0xFF000000u);
  EXPECT_EQ(qAlpha(whole.pixel(0, 0)), 0);
}

TEST(CopyInk, CopiesOnlyInkInsideTheClip) {
  struct TCase {
    const char* Name;
    QPoint At;
    QRect Clip;
    std::vector<QPoint> Inked;  // target pixels expected black; all others stay grey
  };
  // Source 3 x 2: black at (0,0) and (2,1), white elsewhere.
  QImage source = White(3, 2);
  source.setPixel(0, 0, 0xFF000000u);
  source.setPixel(2, 1, 0xFF000000u);
  const TCase cases[] = {
      {"inside", {1, 1}, QRect(0, 0, 8, 8), {{1, 1}, {3, 2}}},
      {"clip cuts one", {1, 1}, QRect(0, 0, 3, 8), {{1, 1}}},
      {"negative origin", {-2, -1}, QRect(0, 0, 8, 8), {{0, 0}}},
      {"past the far edge", {6, 7}, QRect(0, 0, 8, 8), {{6, 7}}},
      {"wholly outside", {20, 20}, QRect(0, 0, 8, 8), {}},
      {"empty clip", {1, 1}, QRect(), {}},
  };
  for (const TCase& c : cases) {
    QImage target(8, 8, QImage::Format_RGB32);
    target.fill(0xFF808080u);
    CopyInk(target, c.At, source, c.Clip);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const bool inked = std::find(c.Inked.begin(), c.Inked.end(), QPoint(x, y)) != c.Inked.end();
        EXPECT_EQ(target.pixel(x, y), inked ? 0xFF000000u : 0xFF808080u) << c.Name << " at " << x << "," << y;
      }
  }
}

// What the panel shows of a layer: its canvas with white see-through, at the canvas offset.
QImage Shown(TLayer& layer, QSize size) {
  QImage out(size, QImage::Format_RGB32);
  out.fill(0xFF808080u);
  QPainter p(&out);
  layer.RenderTo(p);
  return out;
}

TEST(TLayerCanvas, ABlankCanvasIsWhiteWhenAskedForAndShowsNothing) {
  TLayer layer(nullptr);
  layer.ResetCanvas(5, 4);
  EXPECT_TRUE(layer.CanvasBlank());
  EXPECT_EQ(layer.CanvasSize(), QSize(5, 4));
  EXPECT_EQ(Shown(layer, {5, 4}).pixel(2, 2), 0xFF808080u);
  EXPECT_EQ(layer.Canvas().pixel(4, 3), 0xFFFFFFFFu);  // whitened on first sight
  EXPECT_FALSE(layer.CanvasBlank());

  layer.Canvas().setPixel(3, 1, 0xFF0000FFu);
  layer.CanvasChanged();
  layer.SetCanvasOffset({1, 2});
  QImage shown = Shown(layer, {8, 8});
  EXPECT_EQ(shown.pixel(4, 3), 0xFF0000FFu);  // drawn where the offset puts it
  EXPECT_EQ(shown.pixel(3, 3), 0xFF808080u);  // white around it is see-through

  layer.ClearCanvas();
  EXPECT_EQ(Shown(layer, {8, 8}).pixel(4, 3), 0xFF808080u);
  EXPECT_EQ(layer.Canvas().pixel(3, 1), 0xFFFFFFFFu);  // cleared means white, not stale
}

TEST(TLayerCanvas, GrowingKeepsWhatIsDrawnAndWhitensTheRest) {
  TLayer layer(nullptr);
  layer.ResetCanvas(2, 2);
  layer.Canvas().setPixel(1, 1, 0xFF00FF00u);
  layer.EnsureCanvas(4, 3);
  ASSERT_EQ(layer.CanvasSize(), QSize(4, 3));
  EXPECT_EQ(layer.Canvas().pixel(1, 1), 0xFF00FF00u);
  EXPECT_EQ(layer.Canvas().pixel(3, 2), 0xFFFFFFFFu);
  layer.ClearCanvas();
  layer.EnsureCanvas(6, 6);  // a blank canvas grows blank
  EXPECT_TRUE(layer.CanvasBlank());
  EXPECT_EQ(layer.Canvas().pixel(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(layer.Canvas().pixel(1, 1), 0xFFFFFFFFu);
}

TEST(TLayerCanvas, TheSamePictureAgainKeepsItsKeyedCopyAndAnyDrawingEndsThat) {
  QImage picture = White(4, 4);
  picture.setPixel(1, 1, 0xFF112233u);
  TLayer layer(nullptr);
  layer.SetStretch(true);
  layer.resize(8, 8);
  layer.SetPicture(picture);
  EXPECT_EQ(Shown(layer, {8, 8}).pixel(2, 2), 0xFF112233u);  // scaled up twice
  layer.resize(4, 4);
  layer.SetPicture(picture);  // the same picture at another size
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(1, 1), 0xFF112233u);
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(2, 2), 0xFF808080u);
  // Drawn over, the canvas is no longer the picture: setting it again brings it back.
  layer.Canvas().setPixel(2, 2, 0xFF000000u);
  layer.CanvasChanged();
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(2, 2), 0xFF000000u);
  layer.SetPicture(picture);
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(2, 2), 0xFF808080u);
  // A changed picture is another picture.
  picture.setPixel(3, 3, 0xFF00FF00u);
  layer.SetPicture(picture);
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(3, 3), 0xFF00FF00u);
  layer.ClearCanvas();
  layer.SetPicture(picture);
  EXPECT_EQ(Shown(layer, {4, 4}).pixel(3, 3), 0xFF00FF00u);
}

// A frame moved across a plan-sized canvas: told where the ink is, the layer shows exactly the
// new frame and nothing of the old one, as a search of the whole canvas would.
TEST(TLayerCanvas, ChangesToldTheirInkShowTheSameAsSearchedOnes) {
  TLayer layer(nullptr);
  layer.SetShowInkOnly(true);
  layer.ResetCanvas(20, 10);
  layer.Canvas().fill(Qt::white);
  layer.Canvas().setPixel(2, 2, 0xFF0000FFu);
  layer.CanvasChanged(QRect(1, 1, 3, 3), QRect(1, 1, 3, 3));
  EXPECT_EQ(Shown(layer, {20, 10}).pixel(2, 2), 0xFF0000FFu);
  // erased and drawn elsewhere
  layer.Canvas().setPixel(2, 2, 0xFFFFFFFFu);
  layer.Canvas().setPixel(15, 7, 0xFF00FF00u);
  layer.CanvasChanged(QRect(14, 6, 3, 3), QRect(14, 6, 3, 3));
  const QImage told = Shown(layer, {20, 10});
  layer.CanvasChanged();  // searched
  EXPECT_EQ(told, Shown(layer, {20, 10}));
  EXPECT_EQ(told.pixel(15, 7), 0xFF00FF00u);
  EXPECT_EQ(told.pixel(2, 2), 0xFF808080u);
  // erased, nothing left
  layer.Canvas().setPixel(15, 7, 0xFFFFFFFFu);
  layer.CanvasChanged(QRect(14, 6, 3, 3), QRect());
  EXPECT_EQ(Shown(layer, {20, 10}).pixel(15, 7), 0xFF808080u);
}

// An unmagnified picture copied by its ink shows exactly what drawing its see-through copy
// scaled to the bounds showed: shrunk, grown, squeezed one way, at one pixel, and cut by the
// area composed.
TEST(TLayerCanvas, AFittedPictureCopiedByItsInkEqualsItsKeyedScaledCopy) {
  QImage picture(101, 102, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      picture.setPixel(x, y, (x - 50) * (x - 50) + (y - 51) * (y - 51) < 45 * 45 ? qRgb(x * 2, y * 2, 90) : 0xFFFFFFFFu);
  const QSize sizes[] = {{26, 26}, {53, 53}, {101, 102}, {341, 341}, {40, 90}, {1, 1}};
  for (const QSize size : sizes)
    for (const QRect area : {QRect(0, 0, 400, 400), QRect(20, 15, 17, 9)}) {
      TLayer layer(nullptr);
      layer.SetStretch(true);
      layer.SetPicture(picture);
      layer.setGeometry(QRect(QPoint(7, 5), size));
      QImage copied(400, 400, QImage::Format_RGB32), drawn(400, 400, QImage::Format_RGB32);
      copied.fill(0xFF808080u);
      drawn.fill(0xFF808080u);
      layer.RenderPart(copied, area);
      {
        TPixelStore store;
        const QImage keyed = KeyOutWhiteInto(picture, picture.rect(), store);
        QPainter p(&drawn);
        p.setClipRect(area);
        p.drawImage(7, 5, keyed.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
      }
      EXPECT_EQ(copied, drawn) << size.width() << "x" << size.height() << " over " << area.width();
    }
}

}  // namespace
