#include "walls/wall_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/rounding.h"

namespace {

std::int32_t Clamp64(std::int64_t v, std::int32_t lo, std::int32_t hi) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, lo, hi));
}

}  // namespace

std::int32_t ClampWallDiameterOuter(std::int64_t v) {
  return Clamp64(v, kWallOuterMin, kWallOuterMax);
}
std::int32_t ClampWallDiameterInner(std::int64_t v) {
  return Clamp64(v, kWallInnerMin, kWallInnerMax);
}
std::int32_t ClampWallWidth(std::int64_t v) { return Clamp64(v, kWallWidthMin, kWallWidthMax); }

// The sums are taken in 64 bits: measures read from a document are not limited and twice a
// large thickness would not fit in 32.
unsigned DeriveDiameterInner(TWallSizes& s) {
  const std::int64_t want = std::int64_t{s.Outer} - 2 * std::int64_t{s.Thickness};
  s.Inner = ClampWallDiameterInner(want);
  return wfInner | (s.Inner != want ? DeriveWallWidth(s) : wfNone);
}

unsigned DeriveWallWidth(TWallSizes& s) {
  const std::int64_t want = (std::int64_t{s.Outer} - std::int64_t{s.Inner}) / 2;
  s.Thickness = ClampWallWidth(want);
  return wfThickness | (s.Thickness != want ? DeriveDiameterOuter(s) : wfNone);
}

unsigned DeriveDiameterOuter(TWallSizes& s) {
  const std::int64_t want = std::int64_t{s.Inner} + 2 * std::int64_t{s.Thickness};
  s.Outer = ClampWallDiameterOuter(want);
  return wfOuter | (s.Outer != want ? DeriveDiameterInner(s) : wfNone);
}

// Stored is the edited field as it ends up. Within the limits the chain never comes back to the
// edited field; only measures read from a document, which are not limited, can make it do so,
// and then the edit must show what was really stored rather than the number typed.
TWallEdit ApplyOuterDiameter(TWallSizes s, std::int32_t v) {
  s.Outer = ClampWallDiameterOuter(v);
  const unsigned written = wfOuter | DeriveDiameterInner(s);
  return {s, s.Outer, written};
}

TWallEdit ApplyInnerDiameter(TWallSizes s, std::int32_t v) {
  s.Inner = ClampWallDiameterInner(v);
  const unsigned written = wfInner | DeriveWallWidth(s);
  return {s, s.Inner, written};
}

TWallEdit ApplyWallWidth(TWallSizes s, std::int32_t v) {
  s.Thickness = ClampWallWidth(v);
  const unsigned written = wfThickness | DeriveDiameterOuter(s);
  return {s, s.Thickness, written};
}

std::int32_t WallArcWidthMax(std::uint8_t type, std::int32_t outer, std::int32_t inner) {
  switch (WallTypeFromIndex(type)) {
    case 1:
      return Round(std::sin(std::numbers::pi / 3) * outer / 3.0);
    case 2:
      return Round(std::sin(std::numbers::pi / 4) * outer / 3.0);
    default:
      return inner;
  }
}

std::int32_t ClampWallArcWidth(const TWallSizes& s, std::int32_t v) {
  v = std::max(v, s.Thickness);
  return std::min(v, WallArcWidthMax(s.Type, s.Outer, s.Inner));
}

TWallEdit ApplyArcWidth(TWallSizes s, std::int32_t v) {
  s.Arch = ClampWallArcWidth(s, v);
  return {s, s.Arch, wfArch};
}

std::uint8_t WallTypeFromIndex(std::int64_t index) {
  return index == 1 || index == 2 ? static_cast<std::uint8_t>(index) : 0;
}

QString WallTypeName(std::int64_t index) {
  switch (WallTypeFromIndex(index)) {
    case 1:
      return QStringLiteral("Шестерик");
    case 2:
      return QStringLiteral("Восьмерик");
    default:
      return QStringLiteral("Четверик");
  }
}

std::optional<QString> MaterialName(std::int64_t index) {
  static const std::array<const char*, kMaterialCount> kNames = {
      "Красный кирпич", "Камень", "Ель", "Сосна", "Дуб", "Короб", "Двутавр", "Швеллер",
  };
  if (index < 0 || index >= kMaterialCount) return std::nullopt;
  return QString::fromUtf8(kNames[static_cast<std::size_t>(index)]);
}

QString MaterialResource(int index) { return QStringLiteral(":/Material%1").arg(index + 1); }
