#include "platform/canvas.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <cstdlib>

Canvas::Canvas(QImage& image) : FImage(image) {}

QBrush Canvas::CurrentBrush() const {
  if (FBrushClear) return Qt::NoBrush;
  if (!FBrushPattern.isNull()) {
    QBrush brush(FBrushPattern);
    brush.setTransform(QTransform::fromTranslate(FBrushOrigin.x(), FBrushOrigin.y()));
    return brush;
  }
  return QBrush(FBrushColor);
}

void Canvas::FillAll(QColor color) { FImage.fill(color); }

void Canvas::FillRect(int l, int t, int r, int b) {
  if (r <= l || b <= t) return;
  QPainter p(&FImage);
  p.fillRect(QRect(l, t, r - l, b - t), CurrentBrush());
}

// A one-pixel pen is Qt's cosmetic pen, which lights exactly the pixels the outline runs on.
static QPen MakePen(QColor color, int width) {
  if (width <= 0) return Qt::NoPen;
  return QPen(color, width == 1 ? 0 : width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

void Canvas::Rectangle(int l, int t, int r, int b) {
  if (r - l < 1 || b - t < 1) return;
  QPainter p(&FImage);
  p.setPen(Qt::NoPen);
  p.setBrush(CurrentBrush());
  p.drawRect(QRect(l, t, r - l, b - t));
  if (FPenWidth > 0) {
    // The outline runs on the rectangle's own edge pixels; wider pens spread about that edge.
    p.setPen(MakePen(FPenColor, FPenWidth));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(l, t, r - l - 1, b - t - 1));
  }
}

void Canvas::Ellipse(int l, int t, int r, int b) {
  if (r - l < 1 || b - t < 1) return;
  QPainter p(&FImage);
  p.setPen(FPenWidth > 0 ? MakePen(FPenColor, FPenWidth) : QPen(Qt::NoPen));
  p.setBrush(CurrentBrush());
  p.drawEllipse(QRect(l, t, r - l - 1, b - t - 1));
}

void Canvas::Polygon(const std::vector<QPoint>& points) {
  if (points.size() < 2) return;
  QPainter p(&FImage);
  p.setPen(FPenWidth > 0 ? MakePen(FPenColor, FPenWidth) : QPen(Qt::NoPen));
  p.setBrush(CurrentBrush());
  p.drawPolygon(points.data(), static_cast<int>(points.size()), Qt::OddEvenFill);
}

void Canvas::LineTo(int x, int y) {
  const QPoint from = FPos;
  FPos = QPoint(x, y);
  if (FPenWidth <= 0 || from == FPos) return;
  if (FPenWidth > 1) {
    QPainter p(&FImage);
    p.setPen(MakePen(FPenColor, FPenWidth));
    p.drawLine(from, FPos);
    return;
  }
  // Bresenham without the end point, so that joined segments never draw a pixel twice.
  int x0 = from.x(), y0 = from.y();
  const int dx = std::abs(x - x0), sx = x0 < x ? 1 : -1;
  const int dy = -std::abs(y - y0), sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  const QRgb c = FPenColor.rgb();
  const int w = FImage.width(), h = FImage.height();
  while (!(x0 == x && y0 == y)) {
    if (x0 >= 0 && y0 >= 0 && x0 < w && y0 < h) FImage.setPixel(x0, y0, c);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void Canvas::FloodFillSurface(int x, int y, QColor surface) {
  const int w = FImage.width(), h = FImage.height();
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  if (FImage.format() != QImage::Format_RGB32 && FImage.format() != QImage::Format_ARGB32)
    FImage.convertTo(QImage::Format_RGB32);
  const QRgb want = surface.rgb() & 0xFFFFFFu;
  auto at = [&](int px, int py) -> QRgb {
    return reinterpret_cast<const QRgb*>(FImage.constScanLine(py))[px] & 0xFFFFFFu;
  };
  if (at(x, y) != want) return;
  // Mark the region first, then paint it, so that a pattern containing the surface colour
  // cannot make the fill run forever.
  std::vector<std::uint8_t> mask(static_cast<size_t>(w) * h, 0);
  std::vector<QPoint> stack{QPoint(x, y)};
  while (!stack.empty()) {
    QPoint pt = stack.back();
    stack.pop_back();
    int px = pt.x();
    const int py = pt.y();
    auto idx = [&](int ix) { return static_cast<size_t>(py) * w + ix; };
    if (mask[idx(px)] || at(px, py) != want) continue;
    int lx = px;
    while (lx > 0 && !mask[idx(lx - 1)] && at(lx - 1, py) == want) --lx;
    int rx = px;
    while (rx + 1 < w && !mask[idx(rx + 1)] && at(rx + 1, py) == want) ++rx;
    for (int i = lx; i <= rx; ++i) {
      mask[idx(i)] = 1;
      if (py > 0 && !mask[static_cast<size_t>(py - 1) * w + i] && at(i, py - 1) == want)
        stack.emplace_back(i, py - 1);
      if (py + 1 < h && !mask[static_cast<size_t>(py + 1) * w + i] && at(i, py + 1) == want)
        stack.emplace_back(i, py + 1);
    }
  }
  const QImage pattern = FBrushPattern.isNull() ? QImage() : FBrushPattern.convertToFormat(QImage::Format_RGB32);
  const QRgb solid = FBrushColor.rgb();
  for (int py = 0; py < h; ++py) {
    QRgb* line = reinterpret_cast<QRgb*>(FImage.scanLine(py));
    for (int px = 0; px < w; ++px) {
      if (!mask[static_cast<size_t>(py) * w + px]) continue;
      if (pattern.isNull()) {
        line[px] = solid;
      } else {
        int tx = (px - FBrushOrigin.x()) % pattern.width();
        int ty = (py - FBrushOrigin.y()) % pattern.height();
        if (tx < 0) tx += pattern.width();
        if (ty < 0) ty += pattern.height();
        line[px] = reinterpret_cast<const QRgb*>(pattern.constScanLine(ty))[tx];
      }
    }
  }
}

void Canvas::TextOut(int x, int y, const QString& text, int escapementTenths) {
  TextOuts({{QPoint(x, y), text}}, escapementTenths);
}

void Canvas::TextOuts(const std::vector<TText>& texts, int escapementTenths) {
  if (texts.empty()) return;
  QPainter p(&FImage);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  QFont font = FFont;
  font.setStyleStrategy(QFont::NoAntialias);
  p.setFont(font);
  p.setPen(FTextColor);
  const QFontMetrics fm(font);
  for (const TText& t : texts) {
    QTransform turn = QTransform::fromTranslate(t.At.x(), t.At.y());
    if (escapementTenths != 0) turn.rotate(-escapementTenths / 10.0);
    p.setTransform(turn);
    const QRect box(0, 0, fm.horizontalAdvance(t.Text), fm.height());
    p.fillRect(box, Qt::white);  // opaque text background, as the plan's texts always had
    p.drawText(QPoint(0, fm.ascent()), t.Text);
  }
}

void Canvas::Draw(int x, int y, const QImage& picture) {
  QPainter p(&FImage);
  p.drawImage(x, y, picture);
}

namespace {

QHash<QString, QFont>& PixelFonts() {
  static QHash<QString, QFont> made;
  return made;
}

}  // namespace

QFont MakePixelFont(const QString& face, int pixelHeight, int pixelWidth, bool bold) {
  // Made once for each request: asking the font database for a face took the rulers longer
  // than drawing them, at every change of the plan's scale.
  QHash<QString, QFont>& made = PixelFonts();
  const QString key = QStringLiteral("%1/%2/%3/%4").arg(face).arg(pixelHeight).arg(pixelWidth).arg(bold);
  const auto found = made.constFind(key);
  if (found != made.constEnd()) return *found;
  QFont font(QFontDatabase::hasFamily(face) ? face : QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  font.setStyleStrategy(QFont::NoAntialias);
  // The cell width is only narrowed for a much wider fallback face: squeezing an unsmoothed
  // 11-pixel face by a pixel per glyph makes its digits unreadable.
  if (pixelWidth > 0) {
    const QFontMetrics fm(font);
    const int natural = fm.horizontalAdvance(QLatin1Char('0'));
    if (natural > pixelWidth + 2) font.setStretch(qBound(50, 100 * (pixelWidth + 1) / natural, 100));
  }
  made.insert(key, font);
  return font;
}

void RegisterPlanFonts() {
#if !defined(Q_OS_WIN)  // Windows has Tahoma and "MS Sans Serif" of its own
  static bool done = false;
  if (done) return;
  done = true;
  const QDir dir(QStringLiteral("/usr/share/wine/fonts"));
  for (const QString& name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf"),
                              QStringLiteral("ms_sans_serif.ttf")}) {
    if (dir.exists(name)) QFontDatabase::addApplicationFont(dir.filePath(name));
  }
  PixelFonts().clear();  // a face made before may now be had
#endif
}
