#include "controls/ac_edit_button.h"

#include <algorithm>

TacEditButton::TacEditButton(QObject* parent) : QObject(parent) {}

void TacEditButton::SetCursor(const QCursor& cursor) {
  FCursor = cursor;
  Q_EMIT Changed();
}

void TacEditButton::SetFlat(bool flat) {
  if (FFlat == flat) return;
  FFlat = flat;
  Q_EMIT Changed();
}

void TacEditButton::SetGlyph(const QPixmap& glyph) {
  FGlyph = glyph;
  Q_EMIT Changed();
}

void TacEditButton::SetNumGlyphs(int count) {
  count = std::clamp(count, 1, 4);
  if (FNumGlyphs == count) return;
  FNumGlyphs = count;
  Q_EMIT Changed();
}

void TacEditButton::SetHint(const QString& hint) {
  if (FHint == hint) return;
  FHint = hint;
  Q_EMIT Changed();
}

void TacEditButton::SetWidth(int width) {
  width = std::max(width, 0);
  if (FWidth == width) return;
  FWidth = width;
  Q_EMIT Changed();
}

void TacEditButton::SetVisible(bool visible) {
  if (FVisible == visible) return;
  FVisible = visible;
  Q_EMIT Changed();
}

QPixmap TacEditButton::ShownGlyph() const {
  if (FGlyph.isNull() || FNumGlyphs <= 1) return FGlyph;
  const int w = FGlyph.width() / FNumGlyphs;
  return w > 0 ? FGlyph.copy(0, 0, w, FGlyph.height()) : FGlyph;
}
