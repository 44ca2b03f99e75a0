#include "beams/orientations.h"

namespace {

struct TOrientationRow {
  const char16_t* Name;
  const char16_t* Caption;
  TCompassPoint Begin;
  TCompassPoint End;
};

// clang-format off
const TOrientationRow kOrientations[kChordCount + 1] = {
    {u"Не определено", u"", cpNone, cpNone},
    {u"Запад-Восток", u"З-В", cpW, cpE},
    {u"Юг-Север", u"Ю-С", cpS, cpN},
    {u"Юго-Запад - Северо-Восток", u"ЮЗ-СВ", cpSW, cpNE},
    {u"Северо-Запад - Юго-Восток", u"СЗ-ЮВ", cpNW, cpSE},
    {u"Юго-Запад-Запад - Северо-Восток-Восток", u"ЮЗЗ - СВВ", cpWSW, cpENE},
    {u"Северо-Запад-Запад - Юго-Восток-Восток", u"СЗЗ - ЮВВ", cpWNW, cpESE},
    {u"Северо-Северо-Запад - Юго-Юго-Восток", u"ССЗ - ЮЮВ", cpNNW, cpSSE},
    {u"Юго-Юго-Запад - Северо-Северо-Восток", u"ЮЮЗ - ССВ", cpSSW, cpNNE},
    {u"Юго-Юго-Запад - Северо-Северо-Запад", u"ЮЮЗ - ССЗ", cpSSW, cpNNW},
    {u"Юго-Юго-Восток - Северо-Северо-Восток", u"ЮЮВ - ССВ", cpSSE, cpNNE},
    {u"Юго-Запад-Запад - Юго-Восток-Восток", u"ЮЗЗ - ЮВВ", cpWSW, cpESE},
    {u"Северо-Запад-Запад - Северо-Восток-Восток", u"СЗЗ - СВВ", cpWNW, cpENE},
    {u"Северо-Запад-Запад - Северо-Северо-Восток", u"СЗЗ - ССВ", cpWNW, cpNNE},
    {u"Северо-Северо-Восток - Юго-Восток-Восток", u"ССВ - ЮВВ", cpNNE, cpESE},
    {u"Юго-Восток-Восток - Юго-Юго-Запад", u"ЮВВ - ЮЮЗ", cpESE, cpSSW},
    {u"Юго-Юго-Запад - Северо-Запад-Запад", u"ЮЮЗ - СЗЗ", cpSSW, cpWNW},
    {u"Северо-Восток-Восток - Юго-Юго-Восток", u"СВВ - ЮЮВ", cpENE, cpSSE},
    {u"Юго-Юго-Восток - Юго-Запад-Запад", u"ЮЮВ - ЮЗЗ", cpSSE, cpWSW},
    {u"Юго-Запад-Запад - Северо-Северо-Запад", u"ЮЗЗ - ССЗ", cpWSW, cpNNW},
    {u"Северо-Северо-Запад - Северо-Восток-Восток", u"ССЗ-СВВ", cpNNW, cpENE},
    {u"Северо-Запад-Запад - Юго-Юго-Восток", u"СЗЗ - ЮЮВ", cpWNW, cpSSE},
    {u"Северо-Северо-Запад - Юго-Восток-Восток", u"ССЗ - ЮВВ", cpNNW, cpESE},
    {u"Северо-Северо-Восток - Юго-Запад-Запад", u"ССВ - ЮЗЗ", cpNNE, cpWSW},
    {u"Северо-Восток-Восток - Юго-Юго-Запад", u"СВВ - ЮЮЗ", cpENE, cpSSW},
};
// clang-format on

}  // namespace

TChordCompass ChordCompass(int k, int wallType) {
  if (!IsChordOrientation(k)) return {};
  const TOrientationRow& row = kOrientations[k];
  const bool fourSided = wallType != 1 && wallType != 2;
  if (k == 4 && fourSided) return {row.End, row.Begin};
  return {row.Begin, row.End};
}

QStringList BuildOrientationNames() {
  QStringList names;
  names.reserve(kChordCount + 1);
  for (const TOrientationRow& row : kOrientations) names << QString::fromUtf16(row.Name);
  return names;
}

QString ChordBoxName(int k) { return QStringLiteral("cb") + QString::number(k); }

std::vector<TChordBoxInfo> ChordBoxes() {
  std::vector<TChordBoxInfo> boxes;
  boxes.reserve(kChordCount);
  for (int k = 1; k <= kChordCount; ++k) {
    TChordBoxInfo box;
    box.Name = ChordBoxName(k);
    box.Tag = k;
    box.Caption = QString::fromUtf16(kOrientations[k].Caption);
    box.Hint = QString::fromUtf16(kOrientations[k].Name);
    // One column under the beam button; the boxes are a pixel taller than their 16-pixel step,
    // which keeps the captions' descenders clear of the next box's frame.
    box.Bounds = QRect(2, 40 + 16 * (k - 1), kChordBoxWidth, 17);
    boxes.push_back(box);
  }
  return boxes;
}

QString BeemsPanelTitle() { return QStringLiteral("Балки"); }

QString BeemButtonHint() { return QStringLiteral("Балка"); }
