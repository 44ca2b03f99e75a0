// Draws the ringer figures and the two placement cursors into resources/pedestal/.
//
//   g++ -std=c++20 -fPIC tools/make_pedestal_pictures.cpp -o /tmp/make_pedestal_pictures
//       $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/make_pedestal_pictures resources/pedestal
//
// The figures are shown on layers keyed on pure white, so they are drawn without antialiasing
// (a blended edge would leave a pale fringe over the dark board) and use no pure white inside.

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The figure is designed facing up in a 600 x 600 square, the size of the square it is
// stretched to on the plan, so it keeps its proportions there whatever the picture's own size.
constexpr double kSide = 600;

const QColor kOutline(0x1E, 0x1A, 0x16);
const QColor kShirt(0x2F, 0x5A, 0x8C);
const QColor kShirtShade(0x24, 0x47, 0x70);
const QColor kSkin(0xE2, 0xAE, 0x84);
const QColor kHair(0x5A, 0x3A, 0x22);
const QColor kRope(0x9C, 0x7A, 0x4E);

QPen OutlinePen() {
  QPen pen(kOutline);
  pen.setWidthF(2.5);  // in design units; thin enough to stay a hairline once shrunk
  pen.setCosmetic(false);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

// An arm segment as a rounded bar from a to b.
QPainterPath Limb(QPointF a, QPointF b, double width) {
  const QPointF d = b - a;
  const double len = std::hypot(d.x(), d.y());
  QPainterPath path;
  path.addRoundedRect(QRectF(0, -width / 2, len, width), width / 2, width / 2);
  QTransform t;
  t.translate(a.x(), a.y());
  t.rotateRadians(std::atan2(d.y(), d.x()));
  return t.map(path);
}

void DrawRinger(QPainter& p) {
  p.setPen(OutlinePen());

  // Rope: from the raised hand into the corner, where the hand lines of the bells meet.
  {
    QPen rope(kRope);
    rope.setWidthF(9);
    rope.setCapStyle(Qt::FlatCap);
    p.setPen(rope);
    p.drawLine(QPointF(548, 52), QPointF(kSide - 2, 2));
    p.setPen(OutlinePen());
  }

  // Left arm, bent forward at the elbow.
  p.setBrush(kShirt);
  p.drawPath(Limb(QPointF(160, 320), QPointF(132, 222), 60));
  p.setBrush(kSkin);
  p.drawPath(Limb(QPointF(134, 228), QPointF(182, 150), 44));
  p.drawEllipse(QPointF(190, 138), 28, 26);

  // Raised right arm: sleeve to the elbow, forearm, fist at the top-right corner.
  p.setBrush(kShirt);
  p.drawPath(Limb(QPointF(436, 310), QPointF(488, 194), 62));
  p.setBrush(kSkin);
  p.drawPath(Limb(QPointF(486, 202), QPointF(552, 60), 46));
  p.drawEllipse(QPointF(560, 42), 32, 32);
  p.setBrush(kSkin.darker(112));
  p.drawEllipse(QPointF(567, 34), 14, 14);

  // Shoulders and back, seen from above.
  p.setBrush(kShirt);
  p.drawRoundedRect(QRectF(110, 246, 380, 156), 78, 78);
  p.setBrush(kShirtShade);
  p.drawRoundedRect(QRectF(175, 350, 250, 46), 23, 23);

  // Head: hair from above, with the ears and the nose showing around it.
  p.setBrush(kSkin);
  p.drawEllipse(QPointF(222, 296), 12, 18);
  p.drawEllipse(QPointF(378, 296), 12, 18);
  p.drawEllipse(QPointF(300, 220), 16, 20);
  p.setBrush(kHair);
  p.drawEllipse(QPointF(300, 300), 78, 74);
  p.setBrush(kHair.lighter(125));
  p.drawEllipse(QPointF(300, 322), 24, 20);  // crown
}

QImage RingerPicture(int width, int height, int quarterTurns) {
  QImage img(width, height, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing, false);
  QTransform t;
  t.scale(width / kSide, height / kSide);
  t.translate(kSide / 2, kSide / 2);
  t.rotate(90.0 * quarterTurns);
  t.translate(-kSide / 2, -kSide / 2);
  p.setTransform(t);
  DrawRinger(p);
  p.end();
  return img.convertToFormat(QImage::Format_RGB888);
}

// Cursors: black and white on transparent, the two colours a monochrome cursor has.
QImage EmptyCursor() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

// Surrounds every black pixel with white where the cursor is otherwise transparent, so the
// shape reads on the dark board as well as on the white plan.
void AddHalo(QImage& img) {
  const QImage src = img.copy();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (qAlpha(src.pixel(x, y)) != 0) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = x + dx, ny = y + dy;
          if (nx >= 0 && ny >= 0 && nx < 32 && ny < 32 && src.pixel(nx, ny) == 0xFF000000u)
            img.setPixel(x, y, 0xFFFFFFFFu);
        }
    }
}

QImage BellCursor() {
  QImage img = EmptyCursor();
  const double radii[] = {14, 9, 4};
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const double d = std::hypot(x - 15.0, y - 15.0);
      bool on = d < 0.5;  // the hot spot itself
      for (double r : radii) on = on || std::fabs(d - r) < 0.55;
      if (on) img.setPixel(x, y, 0xFF000000u);
    }
  AddHalo(img);
  return img;
}

// Along the pencil a = (x - 11) - (y - 20) runs from the tip up and to the right; across it
// b = (x - 11) + (y - 20) is constant, so the pencil's sides are clean 45-degree pixel lines.
bool InPencil(int x, int y) {
  const int a = (x - 11) - (y - 20);
  const int b = (x - 11) + (y - 20);
  if (a < 0 || a > 34) return false;
  const int halfWidth = a < 8 ? (a + 1) / 2 : 4;
  return std::abs(b) <= halfWidth;
}

QImage PencilCursor() {
  QImage img = EmptyCursor();
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      if (!InPencil(x, y)) continue;
      const int a = (x - 11) - (y - 20);
      const int b = (x - 11) + (y - 20);
      const bool outline =
          !InPencil(x - 1, y) || !InPencil(x + 1, y) || !InPencil(x, y - 1) || !InPencil(x, y + 1);
      const bool lead = a <= 3;                      // graphite point, the hot spot at its tip
      const bool collar = a == 8 || a == 9;          // where the sharpened wood meets the paint
      const bool facet = b == 0 && a > 9 && a < 28;  // the middle edge of the painted body
      const bool ferrule = a >= 28 && a <= 29;       // the band holding the eraser
      const bool black = outline || lead || collar || facet || ferrule;
      img.setPixel(x, y, black ? 0xFF000000u : 0xFFFFFFFFu);
    }
  AddHalo(img);
  return img;
}

bool Save(const QImage& img, const QString& dir, const char* name) {
  const QString path = dir + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png");
  if (img.save(path, "PNG", 9)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  bool ok = true;
  ok = Save(RingerPicture(177, 151, 0), dir, "UpRinger") && ok;
  ok = Save(RingerPicture(151, 177, 1), dir, "RightRinger") && ok;
  ok = Save(RingerPicture(177, 146, 2), dir, "DownRinger") && ok;
  ok = Save(RingerPicture(151, 177, 3), dir, "LeftRinger") && ok;
  ok = Save(BellCursor(), dir, "CurBell") && ok;
  ok = Save(PencilCursor(), dir, "CurBeem") && ok;
  return ok ? 0 : 1;
}
