#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The walls' millimetre measures as the edit rules see them.
struct TWallSizes {
  std::uint8_t Type = 0;         // 0 four-sided, 1 six-sided, 2 eight-sided
  std::int32_t Outer = 5600;     // WallDiameterOuter
  std::int32_t Inner = 4000;     // WallDiameterInner
  std::int32_t Thickness = 800;  // WallWallWidth
  std::int32_t Arch = 1500;      // WallArcWidth

  friend bool operator==(const TWallSizes&, const TWallSizes&) = default;
};

// The measures of any record with the walls' stored fields (a live object, a stored one).
template <class TWallsRecord>
TWallSizes WallSizesOf(const TWallsRecord& w) {
  TWallSizes s;
  s.Type = w.WallType;
  s.Outer = w.WallDiameterOuter;
  s.Inner = w.WallDiameterInner;
  s.Thickness = w.WallWallWidth;
  s.Arch = w.WallArcWidth;
  return s;
}

// Fields written by an edit. Every written field's number edit is refreshed, even when the
// value stayed the same, while an untouched edit keeps whatever the user typed into it.
enum TWallField : unsigned {
  wfNone = 0,
  wfOuter = 1u << 0,
  wfInner = 1u << 1,
  wfThickness = 1u << 2,
  wfArch = 1u << 3,
};

struct TWallEdit {
  TWallSizes Sizes;           // the walls after the edit
  std::int32_t Stored = 0;    // the value stored for the edited field (goes back into its edit)
  unsigned Written = wfNone;  // TWallField bits
};

inline constexpr std::int32_t kWallOuterMin = 1200, kWallOuterMax = 16000;
inline constexpr std::int32_t kWallInnerMin = 1000, kWallInnerMax = 8000;
inline constexpr std::int32_t kWallWidthMin = 100, kWallWidthMax = 4000;

std::int32_t ClampWallDiameterOuter(std::int64_t v);
std::int32_t ClampWallDiameterInner(std::int64_t v);
std::int32_t ClampWallWidth(std::int64_t v);

// The three derivations, chained as in the edits: a derivation whose result had to be clamped
// hands over to the next one. They return the fields they wrote.
unsigned DeriveDiameterInner(TWallSizes& s);
unsigned DeriveWallWidth(TWallSizes& s);
unsigned DeriveDiameterOuter(TWallSizes& s);

// The size edits up to and including their derivations. The caller remembers the previous
// diameters, recomputes the scale, then re-applies the arch width (ApplyArcWidth) and redraws.
TWallEdit ApplyOuterDiameter(TWallSizes s, std::int32_t v);
TWallEdit ApplyInnerDiameter(TWallSizes s, std::int32_t v);
TWallEdit ApplyWallWidth(TWallSizes s, std::int32_t v);

// Widest arch opening the wall type allows.
std::int32_t WallArcWidthMax(std::uint8_t type, std::int32_t outer, std::int32_t inner);
// At least the wall thickness, at most the type's maximum; the maximum wins when both bind.
std::int32_t ClampWallArcWidth(const TWallSizes& s, std::int32_t v);
TWallEdit ApplyArcWidth(TWallSizes s, std::int32_t v);

// List index (or stored byte) to wall type: 1 and 2 stay, anything else is four-sided.
std::uint8_t WallTypeFromIndex(std::int64_t index);
QString WallTypeName(std::int64_t index);

inline constexpr int kMaterialCount = 8;
inline constexpr int kWallMaterialCount = 5;  // the walls use materials 0 to 4
inline constexpr int kBeemMaterialFirst = 2;  // the beams use materials 2 to 7

// Empty for an index outside the material table, so the caller keeps its text.
std::optional<QString> MaterialName(std::int64_t index);
// Resource path of material i's picture, ":/Material1" to ":/Material8".
QString MaterialResource(int index);
