// Generates the eight material pictures of the walls and beams (resources/materials).
//
//   g++ -std=c++20 -O2 -fPIC tools/make_materials.cpp -o /tmp/make_materials
//       $(pkg-config --cflags --libs Qt6Gui)  (one line)
//   /tmp/make_materials resources/materials
//
// Every picture is tiled across the wall pieces and beams, so all noise here is periodic in the
// picture's width and height and the tiles meet without seams. Pure white is never produced:
// it is the layers' transparent colour and the surface the walls' flood fill looks for.
// The output is deterministic; rerunning reproduces the committed files byte for byte.

#include <QDir>
#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

std::uint32_t Hash(std::int64_t a, std::int64_t b, std::uint32_t seed) {
  std::uint64_t h = static_cast<std::uint64_t>(a) * 0x9E3779B97F4A7C15ull ^
                    static_cast<std::uint64_t>(b) * 0xC2B2AE3D27D4EB4Full ^
                    (static_cast<std::uint64_t>(seed) << 17);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return static_cast<std::uint32_t>(h);
}

double Rand01(std::int64_t a, std::int64_t b, std::uint32_t seed) {
  return Hash(a, b, seed) / 4294967296.0;
}

int Mod(int a, int n) { return ((a % n) + n) % n; }

double Smooth(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }

// Value noise on a lattice of cx x cy cells wrapped around; u in [0, cx), v in [0, cy).
double PeriodicNoise(double u, double v, int cx, int cy, std::uint32_t seed) {
  const int x0 = static_cast<int>(std::floor(u)), y0 = static_cast<int>(std::floor(v));
  const double fx = Smooth(u - x0), fy = Smooth(v - y0);
  auto at = [&](int x, int y) { return Rand01(Mod(x, cx), Mod(y, cy), seed); };
  const double a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

// Fractal noise over the picture (x in [0, w), y in [0, h)), tiling in both directions; the
// result is roughly in [-0.5, 0.5].
double Fbm(double x, double y, int w, int h, int cellsX, int cellsY, int octaves,
           std::uint32_t seed) {
  double sum = 0, amp = 0.5, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += amp * PeriodicNoise(x / w * cellsX, y / h * cellsY, cellsX, cellsY, seed + o * 101);
    norm += amp;
    amp *= 0.5;
    cellsX *= 2;
    cellsY *= 2;
  }
  return sum / norm - 0.5;
}

// Shortest signed offset on a ring of length n.
double Wrap(double d, double n) {
  d = std::fmod(d, n);
  if (d > n / 2) d -= n;
  if (d < -n / 2) d += n;
  return d;
}

struct Rgb {
  double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb a, double k) { return {a.r * k, a.g * k, a.b * k}; }

QRgb ToQRgb(Rgb c) {
  auto ch = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
  QRgb q = qRgb(ch(c.r), ch(c.g), ch(c.b));
  if ((q & 0xFFFFFF) == 0xFFFFFF) q = qRgb(254, 254, 254);
  return q;
}

double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

double SmoothStep(double e0, double e1, double x) {
  const double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

// --- brick ---------------------------------------------------------------------------------

QImage Brick() {
  const int w = 120, h = 111;
  // Six courses in running bond: an even count keeps the bond continuous across the tile edge.
  const int courseHeights[] = {18, 19, 18, 19, 18, 19};
  const int brickLen = 60, joint = 2;
  QImage img(w, h, QImage::Format_RGB32);
  std::vector<int> courseOf(h), courseTop(h);
  for (int y = 0, c = 0, top = 0; c < 6; top += courseHeights[c], ++c)
    for (int k = 0; k < courseHeights[c]; ++k, ++y) {
      courseOf[y] = c;
      courseTop[y] = top;
    }
  const Rgb mortar{178, 170, 156};
  for (int y = 0; y < h; ++y) {
    const int c = courseOf[y];
    const int inCourse = y - courseTop[y];
    const int ch = courseHeights[c];
    const int shift = (c % 2) * (brickLen / 2);
    for (int x = 0; x < w; ++x) {
      const int bx = Mod(x + shift, w);
      const int brick = bx / brickLen;
      const int inBrick = bx % brickLen;
      const double grit = Fbm(x, y, w, h, 24, 22, 3, 7);
      const bool bed = inCourse >= ch - joint;
      const bool head = inBrick >= brickLen - joint;
      if (bed || head) {
        // Joints lie a little in shadow right under the brick above.
        double k = 1.0 + grit * 0.35 + (Rand01(x, y, 3) - 0.5) * 0.08;
        if (bed && inCourse == ch - joint) k *= 0.86;
        if (!bed && inBrick == brickLen - joint) k *= 0.9;
        img.setPixel(x, y, ToQRgb(Scale(mortar, k)));
        continue;
      }
      // Every brick its own firing: from deep red to orange-red, a few darker clinkers.
      const double tone = Rand01(c, brick, 11);
      const double hue = Rand01(c, brick, 12);
      Rgb base = Mix(Rgb{150, 52, 38}, Rgb{186, 82, 52}, hue);
      base = Scale(base, 0.82 + 0.3 * tone);
      if (Rand01(c, brick, 13) < 0.18) base = Mix(base, Rgb{95, 40, 34}, 0.45);
      // Soft burn toward one end of the brick and fine sand texture.
      const double along = inBrick / double(brickLen - joint);
      double k = 1.0 + (along - 0.5) * (Rand01(c, brick, 14) - 0.5) * 0.25;
      k += Fbm(x, y, w, h, 8, 6, 4, 21 + c) * 0.35 + grit * 0.25;
      k += (Rand01(x, y, 5) - 0.5) * 0.12;
      // Worn, slightly lit top edge and shaded lower and left edges.
      if (inCourse == 0) k *= 1.1;
      if (inCourse == ch - joint - 1) k *= 0.84;
      if (inBrick == 0) k *= 0.9;
      Rgb col = Scale(base, k);
      // Occasional dark pits in the face.
      if (Rand01(x, y, 9) < 0.025) col = Scale(col, 0.7);
      img.setPixel(x, y, ToQRgb(col));
    }
  }
  return img;
}

// --- rubble stone --------------------------------------------------------------------------

QImage Rubble() {
  const int w = 120, h = 81;
  struct Stone {
    double x, y;
    Rgb colour;
  };
  // Jittered grid of stone centres; distances wrap so the tile edges continue the masonry.
  std::vector<Stone> stones;
  const int gx = 5, gy = 3;
  for (int j = 0; j < gy; ++j)
    for (int i = 0; i < gx; ++i) {
      const double cx = (i + 0.15 + 0.7 * Rand01(i, j, 31)) * w / gx;
      const double cy = (j + 0.15 + 0.7 * Rand01(i, j, 32)) * h / gy;
      const double t = Rand01(i, j, 33), g = Rand01(i, j, 34);
      Rgb c = Mix(Rgb{118, 110, 98}, Rgb{160, 142, 118}, t);  // grey to brown
      c = Mix(c, Rgb{128, 126, 122}, g * 0.5);                // some cooler grey
      c = Scale(c, 0.85 + 0.3 * Rand01(i, j, 35));
      stones.push_back({cx, cy, c});
    }
  QImage img(w, h, QImage::Format_RGB32);
  const Rgb mortar{104, 98, 88};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Warp the lookup so the joints wander and the stones lose their cell shapes.
      const double wx = x + Fbm(x, y, w, h, 6, 4, 3, 41) * 14;
      const double wy = y + Fbm(x, y, w, h, 6, 4, 3, 42) * 14;
      double d1 = 1e9, d2 = 1e9;
      const Stone* nearest = nullptr;
      for (const Stone& s : stones) {
        const double dx = Wrap(wx - s.x, w), dy = Wrap(wy - s.y, h) * 1.25;
        const double d = std::sqrt(dx * dx + dy * dy);
        if (d < d1) {
          d2 = d1;
          d1 = d;
          nearest = &s;
        } else if (d < d2) {
          d2 = d;
        }
      }
      const double edge = (d2 - d1) / 2;  // distance to the joint
      const double grain = Fbm(x, y, w, h, 20, 14, 3, 43);
      if (edge < 1.3) {
        const double k = 0.92 + grain * 0.4 + (Rand01(x, y, 44) - 0.5) * 0.2;
        img.setPixel(x, y, ToQRgb(Scale(mortar, k)));
        continue;
      }
      // Rounded faces: lit toward the upper left, darker into the joint.
      const double rim = SmoothStep(1.3, 4.0, edge);
      const double light = (-Wrap(wx - nearest->x, w) - Wrap(wy - nearest->y, h)) / 40.0;
      double k = 0.7 + 0.3 * rim + light * 0.14;
      k += Fbm(x, y, w, h, 10, 7, 4, 45) * 0.3 + grain * 0.2 + (Rand01(x, y, 46) - 0.5) * 0.1;
      Rgb col = Scale(nearest->colour, k);
      // Mineral flecks and lichen-brown stains.
      const double fleck = Rand01(x, y, 47);
      if (fleck < 0.012)
        col = Mix(col, Rgb{196, 188, 172}, 0.35);
      else if (fleck > 0.98)
        col = Scale(col, 0.78);
      col = Mix(col, Rgb{120, 95, 62}, Clamp01(Fbm(x, y, w, h, 4, 3, 3, 48) * 1.5) * 0.35);
      img.setPixel(x, y, ToQRgb(col));
    }
  return img;
}

// --- wood ----------------------------------------------------------------------------------

struct Knot {
  double x, y, radius;
};

struct WoodStyle {
  int lines;         // growth rings over the height
  double warp;       // how far the grain meanders, in pixels
  double lateStart;  // where in a ring the wood starts to darken (0..1)
  std::uint32_t seed;
};

// Tone of the grain: 0 for the light early wood, 1 for the dark late wood; `core` is the
// knot's dark heart. A knot is a bump in the ring field: where the bump is steeper than the
// rings themselves the contours close into the knot's own rings and the grain flows around it.
double WoodGrain(int x, int y, int w, int h, const WoodStyle& st, const std::vector<Knot>& knots,
                 double& core) {
  double yy = y + Fbm(x, y, w, h, 2, 1, 4, st.seed) * st.warp +
              Fbm(x, y, w, h, 4, 3, 3, st.seed + 7) * st.warp * 0.35;
  // Fibres: a trace of jitter that roughens the ring edges along the grain.
  yy += Fbm(x, y, w, h, 8, 40, 2, st.seed + 9) * 1.6;
  const double spacing = static_cast<double>(h) / st.lines;
  core = 0;
  double shade = 0;
  for (const Knot& k : knots) {
    const double dx = Wrap(x - k.x, w), dy = Wrap(y - k.y, h);
    const double e = (dx * dx) / (k.radius * k.radius * 4.0) + (dy * dy) / (k.radius * k.radius);
    yy -= spacing * 2.6 * std::exp(-e);
    // Around the knot the wood is denser and darker; its heart is darker still.
    shade = std::max(shade, std::exp(-e * 1.5));
    core = std::max(core, 1 - SmoothStep(0.03, 0.09, e));
  }
  // Rings of uneven width: the year's growth wanders slowly down the picture.
  double phase = yy / spacing + Fbm(0, y, w, h, 1, 3, 3, st.seed + 11) * 1.2;
  const double f = phase - std::floor(phase);
  // Early wood darkens gradually into the late wood, which ends abruptly at the next ring.
  const double late = SmoothStep(st.lateStart, 0.93, f) * (1 - SmoothStep(0.965, 1.0, f));
  // Some years grew darker late wood than others.
  const int ring = Mod(static_cast<int>(std::floor(phase)), st.lines);
  const double strength = 0.6 + 0.4 * Rand01(ring, 0, st.seed + 13);
  return Clamp01((0.15 * f + 0.85 * late * strength) * (1 - shade * 0.5) + shade * 0.5);
}

QImage Spruce() {
  const int w = 120, h = 120;
  const WoodStyle st{9, 9, 0.5, 51};
  const std::vector<Knot> knots = {{84, 38, 8.0}};
  QImage img(w, h, QImage::Format_RGB32);
  const Rgb early{236, 186, 128}, late{200, 128, 72}, knotCol{120, 66, 32};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double core = 0;
      const double g = WoodGrain(x, y, w, h, st, knots, core);
      Rgb col = Mix(early, late, g);
      double k = 1 + Fbm(x, y, w, h, 2, 8, 3, 52) * 0.12;
      // Fine fibres along the grain.
      k += Fbm(x, y, w, h, 4, 60, 2, 53) * 0.1 + (Rand01(x, y, 54) - 0.5) * 0.05;
      col = Mix(Scale(col, k), knotCol, core * 0.85);
      img.setPixel(x, y, ToQRgb(col));
    }
  return img;
}

// An 8-bit palette picture: a ramp of browns indexed by the grain tone.
QImage Pine() {
  const int w = 120, h = 73;
  const WoodStyle st{6, 7, 0.45, 61};
  const std::vector<Knot> knots = {{30, 48, 7.0}};
  QImage img(w, h, QImage::Format_Indexed8);
  QVector<QRgb> palette(256);
  const Rgb dark{84, 46, 20}, mid{150, 92, 48}, light{196, 140, 84};
  for (int i = 0; i < 256; ++i) {
    const double t = i / 255.0;
    palette[i] = ToQRgb(t < 0.5 ? Mix(dark, mid, t * 2) : Mix(mid, light, (t - 0.5) * 2));
  }
  img.setColorTable(palette);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double core = 0;
      const double g = WoodGrain(x, y, w, h, st, knots, core);
      double tone = 0.78 - g * 0.45;
      tone += Fbm(x, y, w, h, 2, 6, 3, 62) * 0.15 + Fbm(x, y, w, h, 4, 40, 2, 63) * 0.1;
      tone += (Rand01(x, y, 64) - 0.5) * 0.04;
      tone = tone * (1 - core * 0.9) + 0.05 * core;
      img.setPixel(x, y, static_cast<uint>(std::clamp(std::lround(tone * 255), 0L, 255L)));
    }
  return img;
}

QImage Oak() {
  const int w = 256, h = 241;
  const WoodStyle st{15, 18, 0.45, 71};
  const std::vector<Knot> knots = {{70, 160, 11.0}, {200, 60, 7.0}};
  QImage img(w, h, QImage::Format_RGB32);
  const Rgb early{184, 140, 86}, late{122, 84, 44}, knotCol{70, 44, 22};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double core = 0;
      const double g = WoodGrain(x, y, w, h, st, knots, core);
      Rgb col = Mix(early, late, g);
      double k = 1 + Fbm(x, y, w, h, 3, 6, 3, 72) * 0.14 + Fbm(x, y, w, h, 6, 90, 2, 73) * 0.12;
      // Open pores: short dark dashes along the grain, thickest in the late wood.
      const double pore = PeriodicNoise(x * 40.0 / w, y * 268.0 / h, 40, 268, 74);
      if (pore > 0.84 - g * 0.12) k *= 0.82;
      // Rays: short pale flecks across the grain's flow.
      const double ray = PeriodicNoise(x * 28.0 / w, y * 120.0 / h, 28, 120, 75);
      if (ray > 0.9) col = Mix(col, Rgb{206, 170, 116}, (ray - 0.9) * 6);
      col = Mix(Scale(col, k + (Rand01(x, y, 76) - 0.5) * 0.05), knotCol, core * 0.85);
      img.setPixel(x, y, ToQRgb(col));
    }
  return img;
}

// --- metals --------------------------------------------------------------------------------

QImage SpeckledMetal() {
  const int w = 120, h = 90;
  QImage img(w, h, QImage::Format_RGB32);
  const Rgb base{74, 78, 84};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double k = 1 + Fbm(x, y, w, h, 6, 5, 4, 81) * 0.45 + Fbm(x, y, w, h, 2, 2, 2, 82) * 0.2;
      Rgb col = Scale(base, k);
      // Mill scale: a mottled blue-brown cast in patches.
      col = Mix(col, Rgb{86, 74, 66}, Clamp01(Fbm(x, y, w, h, 3, 3, 3, 83) * 2 + 0.2) * 0.5);
      // Speckles come in small clusters, so they are picked on a coarser grid and thinned.
      const double s = Rand01(x / 2, y / 2, 84);
      const double keep = Rand01(x, y, 85);
      if (s < 0.07 && keep < 0.6)
        col = Mix(col, Rgb{150, 156, 164}, 0.3 + s * 5);
      else if (s > 0.94 && keep < 0.7)
        col = Scale(col, 0.6);
      img.setPixel(x, y, ToQRgb(col));
    }
  return img;
}

QImage GreyMetal() {
  const int w = 120, h = 81;
  QImage img(w, h, QImage::Format_RGB32);
  const Rgb base{92, 95, 99};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      // Rolled steel: long streaks along the length, a faint cloudiness across.
      double k = 1 + Fbm(x, y, w, h, 2, 40, 3, 91) * 0.22 + Fbm(x, y, w, h, 3, 3, 3, 92) * 0.16;
      k += (Rand01(x, y, 93) - 0.5) * 0.06;
      img.setPixel(x, y, ToQRgb(Scale(base, k)));
    }
  return img;
}

bool Save(const QImage& img, const QDir& dir, int n) {
  const QString path = dir.filePath(QStringLiteral("Material%1.bmp").arg(n));
  if (!img.save(path, "BMP")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s %dx%d\n", qPrintable(path), img.width(), img.height());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  const QImage metal = SpeckledMetal();
  const QImage all[] = {Brick(), Rubble(), Spruce(), Pine(), Oak(), metal, GreyMetal(), metal};
  bool ok = true;
  for (int i = 0; i < 8; ++i) ok = Save(all[i], dir, i + 1) && ok;
  return ok ? 0 : 1;
}
