#pragma once

#include <QCursor>
#include <QObject>
#include <QPixmap>
#include <QString>

// Settings of the side button of TacCustomEdit. The edit owns one and lays the button out
// again whenever a setting changes.
class TacEditButton : public QObject {
  Q_OBJECT

 public:
  explicit TacEditButton(QObject* parent = nullptr);

  QCursor Cursor() const { return FCursor; }
  void SetCursor(const QCursor& cursor);
  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  // A strip of NumGlyphs equal images side by side; the first one is shown.
  QPixmap Glyph() const { return FGlyph; }
  void SetGlyph(const QPixmap& glyph);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int count);
  QString Hint() const { return FHint; }
  void SetHint(const QString& hint);
  int Width() const { return FWidth; }
  void SetWidth(int width);
  bool Visible() const { return FVisible; }
  void SetVisible(bool visible);

  // The image shown on the button: the first glyph of the strip.
  QPixmap ShownGlyph() const;

 Q_SIGNALS:
  void Changed();

 private:
  QCursor FCursor;
  bool FFlat = false;
  QPixmap FGlyph;
  int FNumGlyphs = 1;
  QString FHint;
  int FWidth = 17;
  bool FVisible = false;
};
