#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

// A section or key name as the INI functions match it: trimmed of blanks, without regard to
// case. An ASCII name (nearly every one) is matched letter by letter with its capitals lowered
// on the fly, so matching makes no string; a name with any other character is case-folded once
// (QString::toCaseFolded) and matched by its folded form. Two names are the same exactly when
// their folded forms are, and then their hashes are equal.
class TIniName {
 public:
  TIniName() = default;
  // `text` must outlive the name; it is trimmed here.
  explicit TIniName(QStringView text);

  QStringView Text() const { return FText; }  // trimmed, as written
  bool IsAscii() const { return FFolded.isNull(); }
  // Equal names hash alike: the hash takes each folded unit with bit 0x20 set, so capitals and
  // small letters of ASCII need no comparison to agree.
  std::uint32_t Hash() const;
  bool operator==(const TIniName& other) const;

  // Blanks as the INI functions trim them: not the no-break space, which is part of a value.
  static bool IsBlank(char16_t u) {
    constexpr std::uint64_t kBlanks = 1ull << ' ' | 1ull << '\t' | 1ull << '\r' | 1ull << '\v' | 1ull << '\f';
    return u <= ' ' && (kBlanks >> u & 1) != 0;
  }
  static QStringView Trim(QStringView s);

 private:
  qsizetype Size() const { return FFolded.isNull() ? FText.size() : FFolded.size(); }
  char16_t At(qsizetype i) const;

  QStringView FText;
  QString FFolded;  // null for an ASCII name
};
