#include "platform/cp1251.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

// Bytes 0x80..0xFF. 0xC0..0xFF are the contiguous А..я block and are computed, not tabled.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

constexpr char16_t ByteToUnicode(std::uint8_t b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return static_cast<char16_t>(0x0410 + (b - 0xC0));
  return kHigh[b - 0x80];
}

// Every byte's character, so that decoding a file is a lookup a byte.
constexpr std::array<char16_t, 256> kCharOfByte = [] {
  std::array<char16_t, 256> t{};
  for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = ByteToUnicode(static_cast<std::uint8_t>(b));
  return t;
}();

// Returns -1 when the page has no code for u.
int UnicodeToByte(char32_t u) {
  if (u < 0x80) return static_cast<int>(u);
  if (u >= 0x0410 && u <= 0x044F) return static_cast<int>(0xC0 + (u - 0x0410));
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == u) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

// Text in ASCII alone (nearly every document) reads and writes the same in the code page and in
// Latin-1, and goes through Qt's conversions, which take many characters a step. Other text is
// walked eight bytes (four characters) a step, and only a step holding something above ASCII is
// taken apart.

QString Cp1251ToString(QByteArrayView bytes) {
  QString out = QString::fromLatin1(bytes);  // right for every byte below 0x80
  if (QtPrivate::isAscii(QLatin1StringView(bytes))) return out;
  char16_t* d = reinterpret_cast<char16_t*>(out.data());
  const auto* src = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const qsizetype n = bytes.size();
  qsizetype i = 0;
  for (; i + 8 <= n; i += 8) {
    std::uint64_t w;
    std::memcpy(&w, src + i, sizeof w);
    if ((w & 0x8080808080808080ull) == 0) continue;
    for (qsizetype j = i; j < i + 8; ++j) d[j] = kCharOfByte[src[j]];
  }
  for (; i < n; ++i) d[i] = kCharOfByte[src[i]];
  return out;
}

void AppendCp1251(QByteArray& out, QStringView text) {
  // At most one byte a character: written in place, cut to what was written.
  const qsizetype start = out.size();
  out.resize(start + text.size());
  char* d = out.data() + start;
  const char16_t* chars = text.utf16();
  const char16_t* const end = chars + text.size();
  while (chars != end) {
    if (end - chars >= 4) {
      std::uint64_t w;
      std::memcpy(&w, chars, sizeof w);
      if ((w & 0xFF80FF80FF80FF80ull) == 0) {
        for (int j = 0; j < 4; ++j) d[j] = static_cast<char>(chars[j]);
        d += 4;
        chars += 4;
        continue;
      }
    }
    const QChar c(*chars++);
    char32_t u = c.unicode();
    if (u < 0x80) {
      *d++ = static_cast<char>(u);
      continue;
    }
    if (c.isHighSurrogate() && chars != end && QChar::isLowSurrogate(*chars)) {
      u = QChar::surrogateToUcs4(c.unicode(), *chars++);
    } else if (c.isSurrogate()) {
      u = 0xFFFD;  // unpaired half: no character at all
    }
    const int b = UnicodeToByte(u);
    *d++ = b < 0 ? '?' : static_cast<char>(b);
  }
  out.truncate(d - out.constData());
}

QByteArray StringToCp1251(QStringView text) {
  if (QtPrivate::isAscii(text)) return text.toLatin1();
  QByteArray out;
  AppendCp1251(out, text);
  return out;
}
