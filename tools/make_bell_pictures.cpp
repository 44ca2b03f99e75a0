// Generates the bell pictures of resources/bells as Windows bitmaps with small palettes:
//   series1.bmp  32 x 32, 16 colours: a grey bell, the glyph of the series 1 palette buttons
//   series2.bmp  24 x 22, 16 colours: a white bell outline on a raised face (series 2 buttons)
//   apply.bmp    16 x 16, 16 colours: a pin on a yellow burst (the fixing button)
//   bell.bmp    101 x 102, 256 colours: a bell seen from above, for the bells on the plan
// In the glyphs the lower-left pixel is silver, the colour a button leaves out. In the plan
// picture only the corners outside the disc are pure white, which the plan layers key out.
//
// Build and run from the source root:
//   g++ -std=c++20 -O2 -fPIC tools/make_bell_pictures.cpp -o /tmp/make_bell_pictures
//       $(pkg-config --cflags --libs Qt6Gui)   (one line)
//   /tmp/make_bell_pictures resources/bells

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr QRgb kSilver = 0xFFC0C0C0;
constexpr QRgb kWhite = 0xFFFFFFFF;

void Put16(QByteArray& out, std::uint16_t v) {
  out.append(char(v & 0xFF));
  out.append(char(v >> 8));
}

void Put32(QByteArray& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

// Bottom-up BI_RGB bitmap of 4 or 8 bits per pixel.
void WriteBmp(const QString& path, const QImage& indexed, int bits) {
  const QList<QRgb> table = indexed.colorTable();
  const int colours = 1 << bits;
  const int w = indexed.width(), h = indexed.height();
  const int stride = ((w * bits + 31) / 32) * 4;
  const int offset = 14 + 40 + 4 * colours;
  QByteArray out;
  out.append("BM");
  Put32(out, offset + stride * h);
  Put32(out, 0);
  Put32(out, offset);
  Put32(out, 40);
  Put32(out, w);
  Put32(out, h);
  Put16(out, 1);
  Put16(out, bits);
  Put32(out, 0);
  Put32(out, stride * h);
  Put32(out, 3780);  // 96 dpi
  Put32(out, 3780);
  Put32(out, colours);
  Put32(out, 0);
  for (int i = 0; i < colours; ++i) {
    const QRgb c = i < table.size() ? table[i] : 0;
    out.append(char(qBlue(c)));
    out.append(char(qGreen(c)));
    out.append(char(qRed(c)));
    out.append(char(0));
  }
  for (int y = h - 1; y >= 0; --y) {
    QByteArray row(stride, 0);
    for (int x = 0; x < w; ++x) {
      const int index = indexed.pixelIndex(x, y);
      if (bits == 8) {
        row[x] = char(index);
      } else {
        row[x / 2] = char(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
      }
    }
    out.append(row);
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(1);
  }
}

// Maps an RGB picture drawn only in palette colours to an indexed one; any stray colour is a bug.
QImage ToIndexed(const QImage& rgb, const QList<QRgb>& palette) {
  QImage out(rgb.size(), QImage::Format_Indexed8);
  out.setColorTable(palette);
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb c = rgb.pixel(x, y) | 0xFF000000u;
      const auto it = std::find(palette.begin(), palette.end(), c);
      if (it == palette.end()) {
        std::fprintf(stderr, "colour %08x at %d,%d is not in the palette\n", c, x, y);
        std::exit(1);
      }
      out.setPixel(x, y, int(it - palette.begin()));
    }
  }
  return out;
}

QImage Canvas(int w, int h, QRgb fill) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

// Side view of a bell: crown, shoulder, waist flaring to the lip. Half widths by row from `top`.
QPolygonF BellOutline(double cx, double top, double scale) {
  const double rows[][2] = {{0.0, 2.6},  {1.0, 4.0},  {3.0, 4.6},  {6.0, 4.9}, {9.0, 5.6},
                            {11.0, 6.8}, {12.5, 8.4}, {13.5, 9.2}, {14.5, 9.2}};
  QPolygonF left, right;
  for (const auto& r : rows) {
    right << QPointF(cx + r[1] * scale, top + r[0] * scale);
    left.prepend(QPointF(cx - r[1] * scale, top + r[0] * scale));
  }
  return right + left;
}

QImage Series1Glyph() {
  const QList<QRgb> palette = {kSilver,    0xFF000000, 0xFF202020, 0xFF383838,
                               0xFF505050, 0xFF686868, 0xFF787878, 0xFF888888,
                               0xFF989898, 0xFFA8A8A8, 0xFFB4B4B4, 0xFFCCCCCC,
                               0xFFDCDCDC, 0xFFECECEC, 0xFFF8F8F8, 0xFF404040};
  // Silhouette mask first, then shading by the position across each row, then the outline.
  QImage mask = Canvas(32, 32, kWhite);
  {
    QPainter p(&mask);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(BellOutline(16.0, 8.0, 1.0));
    p.drawRect(14, 6, 4, 3);                      // crown
    p.drawEllipse(QRectF(13.5, 22.0, 5.0, 4.0));  // clapper
  }
  auto inside = [&](int x, int y) {
    return x >= 0 && y >= 0 && x < 32 && y < 32 && mask.pixel(x, y) != kWhite;
  };
  QImage image = Canvas(32, 32, kSilver);
  const QRgb ramp[] = {0xFF505050, 0xFF686868, 0xFF888888, 0xFFA8A8A8, 0xFFCCCCCC,
                       0xFFECECEC, 0xFFDCDCDC, 0xFFB4B4B4, 0xFF989898, 0xFF787878,
                       0xFF686868, 0xFF505050, 0xFF383838};
  for (int y = 0; y < 32; ++y) {
    int l = 32, r = -1;
    for (int x = 0; x < 32; ++x) {
      if (inside(x, y)) {
        l = std::min(l, x);
        r = std::max(r, x);
      }
    }
    for (int x = l; x <= r; ++x) {
      if (!inside(x, y)) continue;
      // The light comes from the upper left: the brightest band is a third of the way across.
      const double t = r > l ? double(x - l) / (r - l) : 0.5;
      image.setPixel(x, y, ramp[std::clamp(int(t * 12.0 + 0.5), 0, 12)]);
    }
  }
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (inside(x, y) &&
          (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))) {
        image.setPixel(x, y, 0xFF202020);
      }
    }
  }
  // The lip band and the clapper's shadow.
  for (int x = 8; x <= 24; ++x) {
    if (inside(x, 21) && inside(x - 1, 21) && inside(x + 1, 21)) image.setPixel(x, 21, 0xFF404040);
  }
  image.setPixel(15, 7, 0xFFF8F8F8);
  return ToIndexed(image, palette);
}

QImage Series2Glyph() {
  const QList<QRgb> palette = {kSilver,    0xFF000000, 0xFF808080, 0xFFFFFFFF,
                               0xFF404040, 0xFFDFDFDF, 0xFF800000, 0xFF008000,
                               0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080,
                               0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF};
  QImage image = Canvas(24, 22, kSilver);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  // Raised face: light top and left, shadow bottom and right; the lower-left pixel stays silver.
  p.setPen(QColor(0xFFFFFFFF));
  p.drawLine(0, 0, 22, 0);
  p.drawLine(0, 0, 0, 20);
  p.setPen(QColor(0xFFDFDFDF));
  p.drawLine(1, 1, 21, 1);
  p.drawLine(1, 1, 1, 19);
  p.setPen(QColor(0xFF808080));
  p.drawLine(1, 20, 22, 20);
  p.drawLine(22, 1, 22, 20);
  p.setPen(QColor(0xFF404040));
  p.drawLine(1, 21, 23, 21);
  p.drawLine(23, 0, 23, 21);
  // The outline, with a grey shadow one pixel down and right so it stands out of the face.
  const QPolygonF bell = BellOutline(11.5, 4.0, 0.95);
  p.setBrush(Qt::NoBrush);
  p.setPen(QColor(0xFF808080));
  p.drawPolygon(bell.translated(1, 1));
  p.drawRect(11, 3, 2, 2);
  p.drawPoint(12, 19);
  p.setPen(QColor(0xFFFFFFFF));
  p.drawPolygon(bell);
  p.drawRect(10, 2, 2, 2);
  p.drawPoint(11, 18);
  p.end();
  return ToIndexed(image, palette);
}

QImage ApplyGlyph() {
  const QList<QRgb> palette = {kSilver,    0xFF000000, 0xFF808000, 0xFFFFFF00,
                               0xFFFFFF80, 0xFFFF8000, 0xFF800000, 0xFFFF0000,
                               0xFFFF8080, 0xFF808080, 0xFF404040, 0xFFFFFFFF,
                               0xFF008000, 0xFF000080, 0xFF800080, 0xFF008080};
  QImage image = Canvas(16, 16, kSilver);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  // A twelve-point burst behind the pin.
  QPolygonF burst;
  const QPointF c(7.5, 8.0);
  for (int i = 0; i < 24; ++i) {
    const double r = i % 2 == 0 ? 7.4 : 4.2;
    const double a = M_PI * i / 12.0;
    burst << QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
  }
  p.setPen(QColor(0xFF808000));
  p.setBrush(QColor(0xFFFFFF00));
  p.drawPolygon(burst);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFFFFFF80));
  p.drawEllipse(QRectF(5.0, 5.5, 4.0, 4.0));
  // The pin: needle from lower left to the head at upper right.
  p.setPen(QColor(0xFF404040));
  p.drawLine(3, 13, 8, 8);
  p.setPen(QColor(0xFF808080));
  p.drawLine(4, 13, 8, 9);
  p.setPen(QColor(0xFF800000));
  p.setBrush(QColor(0xFFFF0000));
  p.drawPolygon(QPolygonF({QPointF(7, 7), QPointF(10, 4), QPointF(12, 6), QPointF(9, 9)}));
  p.drawEllipse(QRectF(9.5, 1.5, 4.0, 4.0));
  p.setPen(QColor(0xFFFF8080));
  p.drawPoint(11, 3);
  p.drawPoint(9, 6);
  p.end();
  image.setPixel(0, 15, kSilver);
  return ToIndexed(image, palette);
}

// Gold from dark bronze to pale, never reaching white.
QRgb GoldRamp(double t) {
  const double keys[][4] = {{0.00, 0x3A, 0x22, 0x04},
                            {0.30, 0x86, 0x58, 0x12},
                            {0.60, 0xC8, 0x94, 0x2E},
                            {0.85, 0xEC, 0xC8, 0x5C},
                            {1.00, 0xFA, 0xEE, 0xA8}};
  t = std::clamp(t, 0.0, 1.0);
  for (int i = 1; i < 5; ++i) {
    if (t <= keys[i][0]) {
      const double f = (t - keys[i - 1][0]) / (keys[i][0] - keys[i - 1][0]);
      auto mix = [&](int k) {
        return int(std::lround(keys[i - 1][k] + f * (keys[i][k] - keys[i - 1][k])));
      };
      return qRgb(mix(1), mix(2), mix(3));
    }
  }
  return qRgb(0xFA, 0xEE, 0xA8);
}

QImage BellFromAbove() {
  constexpr int W = 101, H = 102;
  QList<QRgb> palette;
  palette << kWhite;
  for (int i = 1; i < 256; ++i) palette << GoldRamp((i - 1) / 254.0);
  QImage out(W, H, QImage::Format_Indexed8);
  out.setColorTable(palette);
  const double cx = W / 2.0, cy = H / 2.0, radius = W / 2.0;
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double r = std::sqrt(dx * dx + dy * dy) / radius;
      if (r >= 0.995) {
        out.setPixel(x, y, 0);
        continue;
      }
      // A dome lit from the upper left: brightest on the upper-left shoulder.
      const double lx = -0.55, ly = -0.65;
      const double nz = std::sqrt(std::max(0.0, 1.0 - 0.55 * r * r));
      const double lambert = (lx * dx / radius + ly * dy / radius) * 0.55 + nz * 0.55;
      double t = 0.25 + 0.7 * lambert;
      // Darker rings: the lip, the sound bow, the waist and the shoulder.
      auto ring = [&](double at, double width, double depth) {
        const double d = std::abs(r - at) / width;
        if (d < 1.0) t -= depth * (1.0 - d * d);
      };
      ring(0.985, 0.035, 0.45);
      ring(0.86, 0.025, 0.30);
      ring(0.64, 0.02, 0.25);
      ring(0.40, 0.02, 0.25);
      // The crown: a small raised square with a lit upper-left edge and a dark inner square.
      const double ax = std::abs(dx), ay = std::abs(dy);
      if (ax <= 8.0 && ay <= 8.0) {
        t = 0.42;
        if (dx < -6.0 || dy < -6.0) t = 0.78;
        if (dx > 6.0 || dy > 6.0) t = 0.18;
        if (ax <= 3.5 && ay <= 3.5) t = 0.10;
      }
      out.setPixel(x, y, 1 + std::clamp(int(std::lround(t * 254.0)), 0, 254));
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const QString dir =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/bells");
  WriteBmp(dir + "/series1.bmp", Series1Glyph(), 4);
  WriteBmp(dir + "/series2.bmp", Series2Glyph(), 4);
  WriteBmp(dir + "/apply.bmp", ApplyGlyph(), 4);
  WriteBmp(dir + "/bell.bmp", BellFromAbove(), 8);
  return 0;
}
