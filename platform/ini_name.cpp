#include "platform/ini_name.h"

#include <array>

namespace {

// ASCII with its capitals lowered, by table: the names are matched a unit at a time, and a
// table needs no comparison per unit.
constexpr std::array<char16_t, 128> kLowered = [] {
  std::array<char16_t, 128> t{};
  for (char16_t c = 0; c < 128; ++c) t[c] = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  return t;
}();

}  // namespace

QStringView TIniName::Trim(QStringView s) {
  qsizetype b = 0;
  qsizetype e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.sliced(b, e - b);
}

TIniName::TIniName(QStringView text) : FText(Trim(text)) {
  char16_t all = 0;
  for (const char16_t* p = FText.utf16(), *e = p + FText.size(); p != e; ++p) all |= *p;
  if (all >= 0x80) FFolded = FText.toString().toCaseFolded();
}

char16_t TIniName::At(qsizetype i) const {
  return FFolded.isNull() ? kLowered[FText.utf16()[i]] : QStringView(FFolded).utf16()[i];
}

std::uint32_t TIniName::Hash() const {
  // FNV-1a over the units.
  std::uint32_t h = 2166136261u;
  const char16_t* p = FFolded.isNull() ? FText.utf16() : QStringView(FFolded).utf16();
  for (const char16_t* e = p + Size(); p != e; ++p) {
    h ^= static_cast<std::uint32_t>(*p | 0x20);
    h *= 16777619u;
  }
  return h;
}

bool TIniName::operator==(const TIniName& other) const {
  const qsizetype n = Size();
  if (n != other.Size()) return false;
  if (FFolded.isNull() && other.FFolded.isNull()) {
    char16_t differ = 0;
    const char16_t* b = other.FText.utf16();
    for (const char16_t* a = FText.utf16(), *e = a + n; a != e; ++a, ++b) differ |= kLowered[*a] ^ kLowered[*b];
    return differ == 0;
  }
  for (qsizetype i = 0; i < n; ++i)
    if (At(i) != other.At(i)) return false;
  return true;
}
