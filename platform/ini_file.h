#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ini_name.h"

// Integer text as the settings and documents store it: an optional sign, then decimal digits,
// or hexadecimal digits after "$" (and after "0x"/"0X" when allowZeroX). Hexadecimal spells the
// 32-bit pattern, so $FFFFFFFF is -1. Anything else, blanks included, has no value.
std::optional<std::int32_t> ParseIniInteger(QStringView text, bool allowZeroX = true);

// An INI file kept in memory with the rules of the Windows private-profile functions: section
// and key names match without regard to case, the first section or key of a name wins, values
// are read trimmed and cut to kMaxValueChars, text is code page 1251 with CR LF line ends.
// Writing keeps every line it does not change, in its place, so hand-made comments and the order
// of sections and keys survive a rewrite; new keys go to the end of their section, new sections
// to the end of the file. Reading makes no string per line or key: the lines are views of the
// decoded text and names are matched without folding (TIniName). A table of the first section of
// each name finds a section at once; a key is found by a walk of its section, which in a
// settings file holds a few keys and in a document is read whole, once (ForEachValue), so a
// document of 10,000 objects reads no key twice.
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
  std::size_t SectionCount() const { return FSections.size(); }

  QString ReadString(QStringView section, QStringView key, const QString& def = {}) const;
  // A missing key, and a value that is not an integer (ParseIniInteger), give def.
  std::int32_t ReadInteger(QStringView section, QStringView key, std::int32_t def) const;
  // Any integer other than 0 is true.
  bool ReadBool(QStringView section, QStringView key, bool def) const;

  // Every key line of the first section named `section`, in file order: f(key, value), the key
  // as the file matches names (compare it with a TIniName), the value as ReadString reads it
  // (trimmed, cut to kMaxValueChars). A name may come again: the first of a name is the one the
  // file reads. The views live until the next write.
  template <class F>
  void ForEachValue(QStringView section, F&& f) const {
    const TSection* s = FindSection(section);
    if (!s) return;
    for (std::size_t i = s->Begin; i < s->End; ++i) {
      const TLine& l = FLines[i];
      if (l.IsKey) f(l.Name, ValueOf(l));
    }
  }

  // Line breaks in a value would end the line and start a forged key, so they become blanks.
  void WriteString(QStringView section, QStringView key, QStringView value);
  void WriteInteger(QStringView section, QStringView key, std::int32_t value);
  void WriteBool(QStringView section, QStringView key, bool value);

 private:
  struct TLine {
    QString Text;         // as it stands in the file: a view of FText until written anew
    TIniName Name;        // a key line's name (before its '='), a header's name; a view of Text
    qsizetype Eq = -1;    // position of the '=' in Text; -1 for a key line without a value
    bool IsKey = false;   // a key line: a name before its '=', not a blank, comment or header
    bool IsHeader = false;
  };
  struct TSection {
    std::size_t Header = 0;  // line of the header
    std::size_t Begin = 0;   // its lines after the header: [Begin, End)
    std::size_t End = 0;
    bool HasKey = false;
  };
  // Open addressing over the first section of each name: Item is the section's index plus one,
  // 0 an empty slot.
  struct TSlot {
    std::uint32_t Hash = 0;
    std::uint32_t Item = 0;
  };

  const TSection* FindSection(QStringView name) const;
  static QStringView ValueOf(const TLine& line);
  const TLine* FindLine(QStringView section, QStringView key) const;
  void Parse(QByteArrayView bytes);
  void Clear();
  // Finds the sections among FLines and files the first of each name in the slots.
  void Reindex();

  QString FText;  // the file as read: the unchanged lines are views of it
  std::vector<TLine> FLines;  // every line in file order, headers included
  std::vector<TSection> FSections;  // every header in file order, duplicates included
  std::vector<TSlot> FSectionSlots;
};
