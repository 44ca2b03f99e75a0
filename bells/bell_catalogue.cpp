#include "bells/bell_catalogue.h"

#include "bells/bell_pictures.h"

TBellTable LoadBellDiameters() { return FBellDiameters; }

TBellTable LoadBellWeights() { return FBellWeights; }

int CatalogueSlotOf(std::int32_t diameter) {
  for (int slot = 0; slot < kBellCount; ++slot) {
    if (FBellDiameters[slot] == diameter) return slot;
  }
  return -1;
}

int BellSeries(int slot) {
  static_cast<void>(FBellDiameters.at(slot));
  return slot < kSeries1Count ? 1 : 2;
}

QString BellButtonName(int slot) {
  BellSeries(slot);
  return QStringLiteral("btnBell") + QString::number(slot + 1);
}

QPoint BellButtonPos(int slot) {
  // One row per series, a button every 24 pixels from Left 4; the rows lie below their labels.
  const bool first = BellSeries(slot) == 1;
  const int column = first ? slot : slot - kSeries1Count;
  return QPoint(4 + 24 * column, first ? 38 : 74);
}

QString BellHint(int slot) {
  const QString crlf = QStringLiteral("\r\n");
  return QStringLiteral("Колокол ") + QString::number(FBellWeights.at(slot)) +
         QStringLiteral("кг") + crlf + QStringLiteral("Нижний диаметр") + QStringLiteral(": ") +
         QString::number(FBellDiameters[slot]) + QStringLiteral("мм") + crlf +
         QStringLiteral("Модельный ряд №") + QString::number(BellSeries(slot));
}

QRect WeightLabelRect(int slot) {
  const int top = BellSeries(slot) == 1 ? 27 : 62;
  // Centred over the button at an estimated 6 pixels per character.
  const int chars = static_cast<int>(QString::number(FBellWeights[slot]).size());
  const int left = BellButtonPos(slot).x() + 12 - 3 * chars;
  return QRect(left, top, kWeightLabelWidth, kWeightLabelHeight);
}

TBellButtonInfo BellButtonInfo(int slot) {
  TBellButtonInfo info;
  info.Slot = slot;
  info.Series = BellSeries(slot);
  info.Number = slot + 1;
  info.Name = BellButtonName(slot);
  info.ButtonRect = QRect(BellButtonPos(slot), QSize(kBellButtonWidth, kBellButtonHeight));
  info.Tag = FBellDiameters[slot];
  info.Hint = BellHint(slot);
  info.DiameterText = QString::number(FBellDiameters[slot]);
  info.WeightText = QString::number(FBellWeights[slot]);
  info.WeightLabelRect = WeightLabelRect(slot);
  info.GlyphResource = BellGlyphResource(info.Series);
  return info;
}
