#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// Orientation 0 is a free beam; 1..24 are the compass chords, each with its own check box on
// the beams panel.
inline constexpr int kChordCount = 24;

inline constexpr bool IsChordOrientation(int k) { return k >= 1 && k <= kChordCount; }

// The sixteen compass points a chord may end on. On the plan West is at the top, East at the
// bottom, South at the left and North at the right.
// clang-format off
enum TCompassPoint : std::uint8_t {
  cpNone,
  cpW, cpE, cpS, cpN,
  cpSW, cpNW, cpSE, cpNE,
  cpWSW, cpWNW, cpESE, cpENE,
  cpSSW, cpSSE, cpNNW, cpNNE,
};
// clang-format on

struct TChordCompass {
  TCompassPoint Begin = cpNone;
  TCompassPoint End = cpNone;
};

// Begin and end compass points of chord k for the given wall type (1 six-sided, 2 eight-sided,
// anything else four-sided); {cpNone, cpNone} outside 1..24. Four-sided walls lay chord 4 from
// SE to NW, the other types from NW to SE.
TChordCompass ChordCompass(int k, int wallType);

// The 25 orientation names, index = orientation number: the items of the orientation list and
// the hints of the chord boxes.
QStringList BuildOrientationNames();

// "cb" followed by the decimal orientation number.
QString ChordBoxName(int k);

struct TChordBoxInfo {
  QString Name;     // cb1 .. cb24
  int Tag = 0;      // the orientation number
  QString Caption;  // the short caption; several have no blanks round the dash, as the form has
  QString Hint;     // the orientation's full name
  QRect Bounds;     // on the beams panel
};

// The 24 chord boxes in the order they stand on the panel (cb1 first).
std::vector<TChordBoxInfo> ChordBoxes();

// The chord boxes share one font and always show their hints.
inline constexpr char kChordBoxFontFace[] = "MS Serif";
inline constexpr int kChordBoxFontPixelHeight = 8;
inline constexpr int kChordBoxWidth = 66;

// The beams panel: docked at the right, the beam button above the column of chord boxes.
inline constexpr int kBeemsPanelWidth = 70;
QString BeemsPanelTitle();
QString BeemButtonHint();
inline constexpr QRect kBeemButtonBounds{2, 26, 66, 12};
