#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

// A drawing surface with the semantics the plan's routines were written for: no antialiasing,
// rectangles and ellipses with exclusive right/bottom edges, line-to without its last pixel,
// opaque text on a white background, and flood fills with a pattern tiled from pixel (0, 0).
// White (#FFFFFF) is the transparent colour of every layer, so it is also the "empty" colour.
class Canvas {
 public:
  explicit Canvas(QImage& image);

  QImage& Image() { return FImage; }

  void SetPen(QColor color, int width = 1) {
    FPenColor = color;
    FPenWidth = width;
  }
  void SetPenNone() { FPenWidth = 0; }
  void SetBrush(QColor color) {
    FBrushColor = color;
    FBrushPattern = QImage();
    FBrushClear = false;
  }
  void SetBrushPattern(const QImage& pattern) {
    FBrushPattern = pattern;
    FBrushClear = false;
  }
  void SetBrushClear() { FBrushClear = true; }
  // Where the brush pattern's pixel (0, 0) lies on the surface.
  void SetBrushOrigin(QPoint origin) { FBrushOrigin = origin; }
  void SetFont(const QFont& font) { FFont = font; }
  void SetTextColor(QColor color) { FTextColor = color; }

  void FillAll(QColor color);
  void FillRect(int l, int t, int r, int b);
  void Rectangle(int l, int t, int r, int b);
  void Ellipse(int l, int t, int r, int b);
  void Polygon(const std::vector<QPoint>& points);
  void MoveTo(int x, int y) { FPos = QPoint(x, y); }
  void LineTo(int x, int y);
  void Line(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }
  // Fills the 4-connected region of pixels of colour `surface` around `seed` with the brush.
  void FloodFillSurface(int x, int y, QColor surface);
  // Text with its top-left corner at (x, y); `escapementTenths` turns it counter-clockwise about
  // that corner (900 reads upward).
  void TextOut(int x, int y, const QString& text, int escapementTenths = 0);
  // Several texts as TextOut writes each, through one painter: the rulers write dozens.
  struct TText {
    QPoint At;
    QString Text;
  };
  void TextOuts(const std::vector<TText>& texts, int escapementTenths = 0);
  void Draw(int x, int y, const QImage& picture);

 private:
  QBrush CurrentBrush() const;

  QImage& FImage;
  QColor FPenColor = Qt::black;
  int FPenWidth = 1;
  QColor FBrushColor = Qt::white;
  QImage FBrushPattern;
  bool FBrushClear = false;
  QPoint FBrushOrigin;
  QFont FFont;
  QColor FTextColor = Qt::black;
  QPoint FPos;
};

// A font of the given face with cells of `pixelHeight` x `pixelWidth` pixels; falls back to
// DejaVu Sans at the same pixel size when the face is not installed.
QFont MakePixelFont(const QString& face, int pixelHeight, int pixelWidth = 0, bool bold = false);

// Registers the free Windows-metric faces shipped by fonts-wine, when present; on Windows the
// system's own are used and nothing is registered.
void RegisterPlanFonts();
