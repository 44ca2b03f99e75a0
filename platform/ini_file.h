#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

// Integer text as the settings and documents store it: an optional sign, then decimal digits,
// or hexadecimal digits after "$" (and after "0x"/"0X" when allowZeroX). Hexadecimal spells the
// 32-bit pattern, so $FFFFFFFF is -1. Anything else, blanks included, has no value.
std::optional<std::int32_t> ParseIniInteger(QStringView text, bool allowZeroX = true);

// An INI file kept in memory with the rules of the Windows private-profile functions: section
// and key names match without regard to case, the first section or key of a name wins, values
// are read trimmed and cut to kMaxValueChars, text is code page 1251 with CR LF line ends.
// Writing keeps every line it does not change, in its place, so hand-made comments and the order
// of sections and keys survive a rewrite; new keys go to the end of their section, new sections
// to the end of the file.
class TIniFile {
 public:
  static constexpr qsizetype kMaxValueChars = 2047;

  TIniFile() = default;
  explicit TIniFile(QByteArrayView bytes);

  // A missing or unreadable file fails with a message; the content is then empty.
  bool LoadFromFile(const QString& path, QString* error = nullptr);
  // Replaces the file as a whole or leaves the old one untouched (see atomic_file.h).
  bool SaveToFile(const QString& path, QString* error = nullptr) const;
  QByteArray ToBytes() const;

  // A section exists when it holds at least one key.
  bool SectionExists(QStringView section) const;
  bool KeyExists(QStringView section, QStringView key) const;
  // Header names in file order, duplicates included.
  QStringList SectionNames() const;

  QString ReadString(QStringView section, QStringView key, const QString& def = {}) const;
  // A missing key, and a value that is not an integer (ParseIniInteger), give def.
  std::int32_t ReadInteger(QStringView section, QStringView key, std::int32_t def) const;
  // Any integer other than 0 is true.
  bool ReadBool(QStringView section, QStringView key, bool def) const;

  // Every key of the first section named `section`, each once with its first value as
  // ReadString reads it (trimmed, cut to kMaxValueChars): f(key folded to lower case, value).
  // The views live as long as the file. In no particular order.
  template <class F>
  void ForEachValue(QStringView section, F&& f) const {
    const TSection* s = FindSection(section);
    if (!s) return;
    for (auto it = s->FirstKey.cbegin(); it != s->FirstKey.cend(); ++it) f(QStringView(it.key()), ValueOf(s->Lines[*it]));
  }

  // Line breaks in a value would end the line and start a forged key, so they become blanks.
  void WriteString(QStringView section, QStringView key, QStringView value);
  void WriteInteger(QStringView section, QStringView key, std::int32_t value);
  void WriteBool(QStringView section, QStringView key, bool value);

 private:
  struct TLine {
    QString Text;       // as it stands in the file
    bool IsKey = false;  // a key line: a name before its '=' (KeyOf), not a blank or comment
    qsizetype Eq = -1;  // position of the '=' in Text; -1 for a key line without a value
  };
  struct TSection {
    QString Name;        // trimmed, empty for the lines before the first header
    QString HeaderText;  // the header line as written, empty for those leading lines
    std::vector<TLine> Lines;
    QHash<QString, std::size_t> FirstKey;  // case-folded key -> first line holding it
  };

  const TSection* FindSection(QStringView name) const;
  static QStringView ValueOf(const TLine& line);
  static QStringView KeyOf(const TLine& line);  // the trimmed name of a key line
  const TLine* FindLine(QStringView section, QStringView key) const;
  void Parse(QByteArrayView bytes);
  static void AddLine(TSection& s, TLine line);

  QString FText;  // the file as read: the unchanged lines are views of it
  std::vector<TSection> FSections;
  QHash<QString, std::size_t> FFirstSection;  // case-folded name -> first section of that name
};
