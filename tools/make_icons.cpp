// Paints the main window's button pictures, the program icon and the about picture into
// resources/icons/, and the installed program's and documents' icons at every theme size into
// packaging/icons/hicolor/. Run tools/make_icons.sh after changing a picture here; the generated files
// are committed so that a build needs neither this program nor its fonts.
//
// The 16 x 16 pictures are drawn on the pixel grid (straight edges without antialiasing) so
// that they stay sharp on flat buttons; only slanted and round shapes are smoothed.

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor kOutline(0x40, 0x40, 0x48);

QImage Blank(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  return img;
}

void Crisp(QPainter& p) { p.setRenderHint(QPainter::Antialiasing, false); }
void Smooth(QPainter& p) { p.setRenderHint(QPainter::Antialiasing, true); }

// A rectangle outlined in one pixel and filled, both inclusive of (r, b).
void Box(QPainter& p, int l, int t, int r, int b, const QColor& fill, const QColor& line) {
  p.fillRect(l, t, r - l + 1, b - t + 1, line);
  p.fillRect(l + 1, t + 1, r - l - 1, b - t - 1, fill);
}

QImage NewDocument() {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Crisp(p);
  // page with its top right corner folded down
  QPolygon page({{2, 1}, {9, 1}, {13, 5}, {13, 14}, {2, 14}});
  p.setPen(kOutline);
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.setBrush(QColor(0xd8, 0xd8, 0xe0));
  p.drawPolygon(QPolygon({{9, 1}, {9, 5}, {13, 5}}));
  // a few lines of text
  for (int y : {7, 9, 11}) p.fillRect(4, y, y == 11 ? 4 : 7, 1, QColor(0xa0, 0xa8, 0xc0));
  // a spark in the corner: something new
  const QColor spark(0xf0, 0xb0, 0x00);
  p.fillRect(13, 9, 1, 5, spark);
  p.fillRect(11, 11, 5, 1, spark);
  p.fillRect(12, 10, 3, 3, QColor(0xff, 0xe0, 0x40));
  return img;
}

QImage OpenFolder() {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Crisp(p);
  const QColor back(0xd8, 0xa0, 0x30), front(0xf8, 0xd0, 0x60), line(0x80, 0x58, 0x10);
  // back of the folder with its tab
  p.setPen(line);
  p.setBrush(back);
  p.drawPolygon(QPolygon({{1, 3}, {5, 3}, {6, 4}, {12, 4}, {12, 13}, {1, 13}}));
  // a sheet sticking out
  p.setBrush(Qt::white);
  p.setPen(kOutline);
  p.drawRect(3, 6, 8, 6);
  // the front flap, opened towards the viewer
  Smooth(p);
  p.setPen(QPen(line, 1));
  p.setBrush(front);
  p.drawPolygon(QPolygonF({{1.5, 13.5}, {4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}}));
  return img;
}

QImage Floppy() {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Crisp(p);
  const QColor body(0x30, 0x50, 0x98), line(0x18, 0x28, 0x58);
  p.setPen(line);
  p.setBrush(body);
  p.drawPolygon(QPolygon({{1, 1}, {13, 1}, {14, 2}, {14, 14}, {1, 14}}));
  // metal shutter with its window
  Box(p, 4, 1, 11, 6, QColor(0xc8, 0xcc, 0xd4), line);
  p.fillRect(8, 2, 2, 4, body);
  // label
  Box(p, 3, 9, 12, 14, Qt::white, line);
  p.fillRect(5, 11, 6, 1, QColor(0xa0, 0xa8, 0xc0));
  return img;
}

QImage DeleteObject() {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Smooth(p);
  QPen pen(QColor(0x90, 0x10, 0x10), 4.2, Qt::SolidLine, Qt::RoundCap);
  p.setPen(pen);
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
  pen.setColor(QColor(0xe8, 0x30, 0x30));
  pen.setWidthF(2.4);
  p.setPen(pen);
  p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
  p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
  return img;
}

// Two overlapping sheets; the blue one is the current object, in front of or behind the other.
QImage Stacking(bool currentInFront) {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Crisp(p);
  const QColor blue(0x40, 0x80, 0xe0), blueLine(0x18, 0x38, 0x80);
  const QColor paper(0xf4, 0xf4, 0xf4);
  const auto other = [&] { Box(p, 1, 1, 10, 10, paper, kOutline); };
  const auto current = [&] { Box(p, 5, 5, 14, 14, blue, blueLine); };
  if (currentInFront) {
    other();
    current();
  } else {
    current();
    other();
  }
  return img;
}

QImage Arrow(bool toRight) {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Smooth(p);
  QPolygonF arrow({{1.5, 6}, {8, 6}, {8, 2}, {14.5, 8}, {8, 14}, {8, 10}, {1.5, 10}});
  if (!toRight) {
    for (QPointF& pt : arrow) pt.setX(16 - pt.x());
  }
  p.setPen(QPen(QColor(0x10, 0x60, 0x20), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  QLinearGradient fill(0, 2, 0, 14);
  fill.setColorAt(0, QColor(0x70, 0xd0, 0x70));
  fill.setColorAt(1, QColor(0x20, 0x98, 0x30));
  p.setBrush(fill);
  p.drawPolygon(arrow);
  return img;
}

// A curved arrow turning back (undo) or forward (redo) over a short stem.
QImage TurnArrow(bool forward) {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Smooth(p);
  QPainterPath path;
  path.moveTo(3, 13);
  path.cubicTo(3, 6, 7, 4.5, 11.5, 6);
  QTransform mirror;
  if (!forward) mirror = QTransform(-1, 0, 0, 1, 16, 0);
  p.setTransform(mirror);
  p.setPen(QPen(QColor(0x20, 0x50, 0xa0), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(QPen(QColor(0x20, 0x50, 0xa0), 1.0));
  p.setBrush(QColor(0x40, 0x80, 0xd0));
  p.drawPolygon(QPolygonF({{9.5, 2.5}, {15, 7}, {9, 10}}));
  return img;
}

QImage CloseCross() {
  QImage img = Blank(16, 16);
  QPainter p(&img);
  Crisp(p);
  // the classic 8 x 7 cross: each row two pixels of each stroke, symmetric about the middle
  for (int r = 0; r < 7; ++r) {
    const int y = 5 + r;
    p.fillRect(4 + r, y, 2, 1, Qt::black);
    p.fillRect(10 - r, y, 2, 1, Qt::black);
  }
  return img;
}

// The beam button is wide and low: a timber with its end grain.
QImage BeamButton() {
  QImage img = Blank(60, 10);
  QPainter p(&img);
  Crisp(p);
  const QColor wood(0xc8, 0x8c, 0x48), grain(0xa0, 0x68, 0x30), line(0x60, 0x38, 0x10);
  Box(p, 0, 1, 59, 8, wood, line);
  p.fillRect(1, 2, 58, 1, QColor(0xe0, 0xac, 0x70));  // light on the upper edge
  // grain that runs along the beam, broken so it reads as wood
  p.fillRect(4, 4, 20, 1, grain);
  p.fillRect(28, 4, 26, 1, grain);
  p.fillRect(10, 6, 30, 1, grain);
  p.fillRect(44, 6, 12, 1, grain);
  // end grain at both ends
  p.fillRect(1, 2, 2, 6, QColor(0xa8, 0x70, 0x38));
  p.fillRect(57, 2, 2, 6, QColor(0xa8, 0x70, 0x38));
  return img;
}

void DrawBell(QPainter& p, QPointF top, double width, const QColor& light, const QColor& dark) {
  const double w = width, h = width * 1.05;
  const double x = top.x(), y = top.y();
  QPainterPath bell;
  bell.moveTo(x - w * 0.16, y);
  bell.cubicTo(x - w * 0.36, y + h * 0.05, x - w * 0.34, y + h * 0.55, x - w * 0.40, y + h * 0.75);
  bell.cubicTo(x - w * 0.44, y + h * 0.86, x - w * 0.52, y + h * 0.88, x - w * 0.5, y + h * 0.93);
  bell.lineTo(x + w * 0.5, y + h * 0.93);
  bell.cubicTo(x + w * 0.52, y + h * 0.88, x + w * 0.44, y + h * 0.86, x + w * 0.40, y + h * 0.75);
  bell.cubicTo(x + w * 0.34, y + h * 0.55, x + w * 0.36, y + h * 0.05, x + w * 0.16, y);
  bell.closeSubpath();
  QLinearGradient g(x - w / 2, 0, x + w / 2, 0);
  g.setColorAt(0, dark);
  g.setColorAt(0.35, light);
  g.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(160), std::max(0.8, w / 40)));
  p.setBrush(g);
  p.drawPath(bell);
  // crown loop and clapper
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(x - w * 0.08, y - w * 0.12, w * 0.16, w * 0.16), 0, 180 * 16);
  p.setBrush(dark.darker(130));
  p.drawEllipse(QPointF(x, y + h * 0.97), w * 0.07, w * 0.07);
}

// The program's icon, drawn in a 64 x 64 space: any size is the same drawing scaled.
void PaintAppIcon(QPainter& p) {
  QLinearGradient sky(0, 0, 0, 64);
  sky.setColorAt(0, QColor(0x2a, 0x4a, 0x90));
  sky.setColorAt(1, QColor(0x12, 0x24, 0x50));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(1, 1, 62, 62), 10, 10);
  // the arch of the ringing tier
  QPainterPath arch;
  arch.addRect(8, 17, 48, 41);
  QPainterPath opening;
  opening.moveTo(16, 56);
  opening.lineTo(16, 36);
  opening.arcTo(QRectF(16, 22, 32, 28), 180, -180);
  opening.lineTo(48, 56);
  opening.closeSubpath();
  p.setBrush(QColor(0xf0, 0xea, 0xdc));
  p.drawPath(arch.subtracted(opening));
  // roof
  p.setBrush(QColor(0x30, 0x80, 0x60));
  p.drawPolygon(QPolygonF({{4, 18}, {32, 3}, {60, 18}}));
  // beam and bell
  p.setBrush(QColor(0x70, 0x48, 0x20));
  p.drawRect(QRectF(16, 31, 32, 3));
  DrawBell(p, QPointF(32, 34), 23, QColor(0xff, 0xe0, 0x80), QColor(0xb0, 0x78, 0x10));
}

// A document: a page with its corner folded and the plan of an eight-sided tier with its bells.
void PaintDocumentIcon(QPainter& p) {
  p.setPen(QPen(kOutline, 1.5));
  p.setBrush(Qt::white);
  p.drawPolygon(QPolygonF({{10, 2}, {42, 2}, {56, 16}, {56, 62}, {10, 62}}));
  p.setBrush(QColor(0xd8, 0xd8, 0xe0));
  p.drawPolygon(QPolygonF({{42, 2}, {42, 16}, {56, 16}}));
  const QPointF centre(33, 40);
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = (22.5 + 45 * i) * M_PI / 180;
    octagon << centre + QPointF(std::cos(a), std::sin(a)) * 18;
  }
  p.setPen(QPen(QColor(0x60, 0x50, 0x40), 3));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(octagon);
  p.setPen(QPen(QColor(0x70, 0x48, 0x20), 2));
  p.drawLine(QPointF(19, 33), QPointF(47, 33));
  p.setPen(QPen(QColor(0xb0, 0x78, 0x10), 1.2));
  p.setBrush(QColor(0xff, 0xd0, 0x50));
  for (const auto& [dx, dy, r] : {std::tuple{-6.0, 4.0, 6.0}, {7.0, 3.0, 4.5}, {1.0, -11.0, 3.5}}) {
    p.drawEllipse(centre + QPointF(dx, dy), r, r);
  }
}

QImage Scaled(void (*paint)(QPainter&), int size) {
  QImage img = Blank(size, size);
  QPainter p(&img);
  Smooth(p);
  p.scale(size / 64.0, size / 64.0);
  paint(p);
  return img;
}

QImage AppIcon() { return Scaled(PaintAppIcon, 64); }

// The icon theme's sizes for the installed program and its documents.
bool WriteThemeIcons(const QString& theme) {
  bool ok = true;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString dir = theme + QStringLiteral("/%1x%1/").arg(size);
    ok = QDir().mkpath(dir + "apps") && QDir().mkpath(dir + "mimetypes") && ok;
    ok = Scaled(PaintAppIcon, size).save(dir + "apps/tarvosk.png", "PNG") && ok;
    ok = Scaled(PaintDocumentIcon, size).save(dir + "mimetypes/application-x-tarvosk.png", "PNG") &&
         ok;
  }
  return ok;
}

QImage AboutPicture(const QString& serif, const QString& sans) {
  QImage img(450, 302, QImage::Format_RGB32);
  QPainter p(&img);
  Smooth(p);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  QLinearGradient sky(0, 0, 0, 302);
  sky.setColorAt(0, QColor(0x1c, 0x30, 0x66));
  sky.setColorAt(0.7, QColor(0x5a, 0x7c, 0xb8));
  sky.setColorAt(1, QColor(0xe8, 0xc8, 0x98));
  p.fillRect(img.rect(), sky);

  // a faint plan of an eight-sided tier with its bells, the editor's own subject
  p.setPen(QPen(QColor(255, 255, 255, 45), 1.5));
  p.setBrush(Qt::NoBrush);
  const QPointF centre(345, 215);
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = (22.5 + 45 * i) * M_PI / 180;
    octagon << centre + QPointF(std::cos(a), std::sin(a)) * 78;
  }
  p.drawPolygon(octagon);
  for (const auto& [dx, dy, r] : {std::tuple{-28.0, -22.0, 16.0},
                                  {18.0, -30.0, 11.0},
                                  {30.0, 8.0, 8.0},
                                  {-10.0, 22.0, 6.0},
                                  {12.0, 30.0, 5.0}}) {
    p.drawEllipse(centre + QPointF(dx, dy), r, r);
  }
  p.drawRect(QRectF(centre.x() - 8, centre.y() - 4, 22, 10));

  // ground
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x3a, 0x4a, 0x30));
  p.drawRect(0, 282, 450, 20);

  // the belfry: a wall with three arches, bells in them, and a domed roof with its drum
  const QColor stone(0xf2, 0xec, 0xe0), shade(0xc8, 0xbe, 0xa8);
  const double left = 24, right = 206, tierTop = 120, tierBottom = 228;
  p.setBrush(stone);
  p.drawRect(QRectF(left - 6, tierBottom, right - left + 12, 282 - tierBottom));  // base
  p.setBrush(QColor(0x5a, 0x3c, 0x22));
  p.drawRoundedRect(QRectF((left + right) / 2 - 13, 246, 26, 40), 12, 12);  // door
  QPainterPath wall;
  wall.addRect(left, tierTop, right - left, tierBottom - tierTop);
  const double archW = 46, gap = (right - left - 3 * archW) / 4;
  QPainterPath openings;
  for (int i = 0; i < 3; ++i) {
    const double x = left + gap + i * (archW + gap);
    QPainterPath o;
    o.moveTo(x, tierBottom - 8);
    o.lineTo(x, tierTop + 40);
    o.arcTo(QRectF(x, tierTop + 17, archW, archW), 180, -180);
    o.lineTo(x + archW, tierBottom - 8);
    o.closeSubpath();
    openings.addPath(o);
  }
  p.setBrush(QColor(0x24, 0x2c, 0x44));
  p.drawPath(openings);
  p.setBrush(stone);
  p.drawPath(wall.subtracted(openings));
  p.setBrush(shade);
  p.drawRect(QRectF(left - 8, tierTop - 8, right - left + 16, 8));  // cornice
  p.drawRect(QRectF(left - 8, tierBottom, right - left + 16, 6));   // floor of the tier
  for (int i = 0; i < 3; ++i) {
    const double x = left + gap + i * (archW + gap) + archW / 2;
    p.setBrush(QColor(0x6a, 0x44, 0x20));
    p.drawRect(QRectF(x - archW / 2, tierTop + 36, archW, 4));  // beam
    const double size = i == 1 ? 40 : 28;
    DrawBell(p, QPointF(x, tierTop + 40), size, QColor(0xff, 0xe6, 0x90), QColor(0xa8, 0x70, 0x10));
  }
  // roof: a low tent, a drum, a dome and a spire
  const double mid = (left + right) / 2;
  p.setBrush(QColor(0x2e, 0x7a, 0x5a));
  p.drawPolygon(
      QPolygonF({{left - 10, tierTop - 8}, {mid, tierTop - 46}, {right + 10, tierTop - 8}}));
  p.setBrush(stone);
  p.drawRect(QRectF(mid - 16, tierTop - 66, 32, 30));
  p.setBrush(QColor(0x24, 0x2c, 0x44));
  p.drawRoundedRect(QRectF(mid - 5, tierTop - 60, 10, 18), 5, 5);
  QRadialGradient gold(QPointF(mid - 6, tierTop - 96), 30);
  gold.setColorAt(0, QColor(0xff, 0xf0, 0xb0));
  gold.setColorAt(1, QColor(0xc0, 0x88, 0x18));
  p.setBrush(gold);
  QPainterPath dome;
  dome.moveTo(mid - 19, tierTop - 66);
  dome.cubicTo(mid - 24, tierTop - 84, mid - 6, tierTop - 92, mid, tierTop - 108);
  dome.cubicTo(mid + 6, tierTop - 92, mid + 24, tierTop - 84, mid + 19, tierTop - 66);
  dome.closeSubpath();
  p.drawPath(dome);
  p.setPen(QPen(QColor(0xe0, 0xb0, 0x40), 2.2, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(QPointF(mid, tierTop - 108), QPointF(mid, tierTop - 118));

  // names
  p.setPen(Qt::white);
  QFont title(serif);
  title.setPixelSize(46);
  title.setBold(true);
  p.setFont(title);
  p.drawText(QRectF(222, 56, 220, 56), Qt::AlignHCenter | Qt::AlignBottom,
             QStringLiteral("Тарвоск"));
  QFont sub(sans);
  sub.setPixelSize(15);
  p.setFont(sub);
  p.setPen(QColor(0xf0, 0xe4, 0xc0));
  p.drawText(QRectF(222, 116, 220, 44), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
             QStringLiteral("план яруса звона\nколокольни"));
  QFont version(sans);
  version.setPixelSize(13);
  p.setFont(version);
  p.setPen(QColor(0xff, 0xff, 0xff, 220));
  p.drawText(QRectF(222, 160, 220, 20), Qt::AlignHCenter, QStringLiteral("версия 1.0.3a"));
  return img;
}

QString AddFont(const QString& file, const QString& fallback) {
  const int id = QFontDatabase::addApplicationFont(file);
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  if (families.isEmpty()) {
    std::fprintf(stderr, "make_icons: %s not found, using %s\n", qPrintable(file),
                 qPrintable(fallback));
    return fallback;
  }
  return families.first();
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString out =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("resources/icons");
  QDir().mkpath(out);
  const QString fonts = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
  const QString serif = AddFont(fonts + "DejaVuSerif-Bold.ttf", QStringLiteral("DejaVu Serif"));
  const QString sans = AddFont(fonts + "DejaVuSans.ttf", QStringLiteral("DejaVu Sans"));

  const std::pair<const char*, std::function<QImage()>> pictures[] = {
      {"new.png", NewDocument},
      {"open.png", OpenFolder},
      {"save.png", Floppy},
      {"delete.png", DeleteObject},
      {"front.png", [] { return Stacking(true); }},
      {"back.png", [] { return Stacking(false); }},
      {"prev.png", [] { return Arrow(false); }},
      {"next.png", [] { return Arrow(true); }},
      {"undo.png", [] { return TurnArrow(false); }},
      {"redo.png", [] { return TurnArrow(true); }},
      {"close.png", CloseCross},
      {"beem.png", BeamButton},
      {"app_icon.png", AppIcon},
  };
  bool ok = true;
  for (const auto& [name, paint] : pictures) ok = paint().save(out + "/" + name, "PNG") && ok;
  ok = AboutPicture(serif, sans).save(out + "/about.jpg", "JPEG", 90) && ok;
  if (argc > 2) ok = WriteThemeIcons(QString::fromLocal8Bit(argv[2])) && ok;
  if (!ok) std::fprintf(stderr, "make_icons: could not write into %s\n", qPrintable(out));
  return ok ? 0 : 1;
}
