#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <cstdint>

// The fixed catalogue of 42 bells. A catalogue slot is the bell number minus one; slots 0 to 27
// are model series 1, slots 28 to 41 model series 2.

inline constexpr int kBellCount = 42;
inline constexpr int kSeries1Count = 28;

using TBellTable = std::array<std::int32_t, kBellCount>;

// Lower (mouth) diameters in millimetres. The order is the maker's numbering, not size: bell 24
// (1960) comes before bell 25 (1950), and the combo list and the grouping walk both keep it.
inline constexpr TBellTable FBellDiameters = {
    195, 225, 246, 292,  307,  348,  384,  414,  480,  552,  597,  620,  696,  746,
    800, 933, 980, 1112, 1344, 1380, 1480, 1678, 1780, 1960, 1950, 2226, 2400, 2580,  //
    210, 220, 260, 270,  300,  360,  410,  530,  750,  820,  981,  1110, 1340, 1500};

// Weights in kilograms, same slots.
inline constexpr TBellTable FBellWeights = {
    6,   7,   8,   14,  16,   24,   32,   40,   62,   96,   110,  136,  192,  220,
    330, 430, 530, 820, 1320, 1640, 2000, 2800, 3200, 4500, 5200, 8000, 9500, 12200,  //
    6,   8,   12,  16,  18,   32,   42,   84,   212,  330,  524,  830,  1200, 1750};

TBellTable LoadBellDiameters();
TBellTable LoadBellWeights();

// Slot whose diameter equals `diameter`, scanning upwards; -1 when none does. Documents are plain
// text, so a foreign diameter must be expected here.
int CatalogueSlotOf(std::int32_t diameter);

// 1 or 2. Throws std::out_of_range for a slot outside 0..41, as do the functions below.
int BellSeries(int slot);

// Palette geometry: flat speed buttons of 23 x 22 on pnlBells, weight labels of 23 x 11 above them.
inline constexpr int kBellButtonWidth = 23;
inline constexpr int kBellButtonHeight = 22;
inline constexpr int kWeightLabelWidth = 23;
inline constexpr int kWeightLabelHeight = 11;
inline constexpr char kWeightLabelFont[] = "Arial";
inline constexpr int kWeightLabelPointSize = 7;

struct TBellButtonInfo {
  int Slot = 0;
  int Number = 0;         // bell number, slot + 1
  int Series = 1;         // model series, 1 or 2
  QString Name;           // "btnBell" + number
  QRect ButtonRect;       // on pnlBells
  std::int32_t Tag = 0;   // the catalogue diameter
  QString Hint;           // three lines joined by CR LF
  QString DiameterText;   // the cbBellDiameter item
  QString WeightText;     // the label caption
  QRect WeightLabelRect;  // on pnlBells
  QString GlyphResource;  // the series picture
};

TBellButtonInfo BellButtonInfo(int slot);

QString BellButtonName(int slot);
QPoint BellButtonPos(int slot);
QString BellHint(int slot);
QRect WeightLabelRect(int slot);
