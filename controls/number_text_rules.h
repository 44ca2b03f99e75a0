#pragma once

// The text rules of the numeric edit field, kept apart from the widget so that every edit a
// user can make is checked and fuzzed as plain data.

#include <QString>
#include <cstdint>
#include <optional>

enum TacNumberEditKind : std::uint8_t { neDec = 0, neHex = 1, neBin = 2 };

// The characters typing may insert for a kind.
QString ValidCharsFor(TacNumberEditKind kind);
bool IsValidChar(char16_t c, TacNumberEditKind kind);

// The text a value is shown as: no leading zeros, no sign, hexadecimal in capitals.
// Negative values show as "0": the field never shows a negative number.
QString ValueToText(std::int32_t value, TacNumberEditKind kind);

// Reads a whole text in the base of the kind. Decimal takes an optional sign; hexadecimal and
// binary take digits only and stop at 7FFFFFFF, the largest positive 32-bit number.
// Nothing is returned for an empty text, a stray character or a number outside 32 bits.
std::optional<std::int32_t> TextToNumber(const QString& text, TacNumberEditKind kind);

// Removes leading "0"s while at least two characters remain ("007" -> "7", "00" -> "0").
QString StripLeadingZeros(const QString& text);

// Whether a text with number `number` stays within `maxValue` (0 = no limit): it must not be
// negative, not exceed the limit and not be longer than the limit's own text, so "05" does
// not pass a limit of 9.
bool PassesMaxValue(const QString& text, std::int32_t number, std::int32_t maxValue,
                    TacNumberEditKind kind);

// What the field remembers of the last good state while an edit is being checked.
struct TNumberTextMemory {
  QString PrevText;            // the last text the field accepted
  std::int32_t PrevValue = 0;  // its number
  int PrevSelStart = 0;        // caret (or selection start) before the edit
  char16_t LastChar = 0;       // the character the edit typed; 0 for any other edit
};

struct TNumberTextOutcome {
  QString Text;            // what the field must show now
  bool Rewrite = false;    // Text differs from the edited text and must be written back
  int Caret = -1;          // caret to set with nothing selected; -1 leaves it where it is
  std::int32_t Value = 0;  // the field's number from now on
  bool Restored = false;   // the edit was undone: Text is the previous good text
};

// Checks the text an edit has just produced (`caret` is where the edit left the caret) and
// says what the field shows and holds afterwards. The outcome's Text and Value are the new
// PrevText and PrevValue.
TNumberTextOutcome ProcessNumberText(const QString& text, int caret,
                                     const TNumberTextMemory& memory, TacNumberEditKind kind,
                                     std::int32_t maxValue);
