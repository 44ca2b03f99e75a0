#include "platform/ini_name.h"

#include <array>
#include <cstring>

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
  const char16_t* p = s.utf16();
  qsizetype b = 0;
  qsizetype e = s.size();
  while (b < e && IsBlank(p[b])) ++b;
  while (e > b && IsBlank(p[e - 1])) --e;
  return QStringView(p + b, e - b);
}

TIniName::TIniName(QStringView text) : FText(Trim(text)) {
  if (!QtPrivate::isAscii(FText)) FFolded = FText.toString().toCaseFolded();
}

char16_t TIniName::At(qsizetype i) const {
  return FFolded.isNull() ? kLowered[FText.utf16()[i]] : QStringView(FFolded).utf16()[i];
}

std::uint32_t TIniName::Hash() const {
  // FNV-1a over the units, four a step (the names are walked often: a step costs more than its
  // arithmetic in the checked builds).
  std::uint64_t h = 14695981039346656037ull;
  const char16_t* p = FFolded.isNull() ? FText.utf16() : QStringView(FFolded).utf16();
  qsizetype n = Size();
  for (; n >= 4; n -= 4, p += 4) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    h = (h ^ (w | 0x0020002000200020ull)) * 1099511628211ull;
  }
  for (; n > 0; --n, ++p) h = (h ^ static_cast<std::uint64_t>(*p | 0x20)) * 1099511628211ull;
  return static_cast<std::uint32_t>(h ^ h >> 32);
}

bool TIniName::operator==(const TIniName& other) const {
  const qsizetype n = Size();
  if (n != other.Size()) return false;
  if (FFolded.isNull() && other.FFolded.isNull()) {
    // Nearly always spelled alike: compared as memory first, letter by letter only otherwise.
    if (FText == other.FText) return true;
    char16_t differ = 0;
    const char16_t* b = other.FText.utf16();
    for (const char16_t *a = FText.utf16(), *e = a + n; a != e; ++a, ++b) differ |= kLowered[*a] ^ kLowered[*b];
    return differ == 0;
  }
  for (qsizetype i = 0; i < n; ++i)
    if (At(i) != other.At(i)) return false;
  return true;
}
