#include "controls/number_text_rules.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

int BaseOf(TacNumberEditKind kind) {
  switch (kind) {
    case neHex:
      return 16;
    case neBin:
      return 2;
    case neDec:
      break;
  }
  return 10;
}

// Value of one digit in `base`, or -1. Only ASCII digits count: other scripts' digits would
// read as numbers the field cannot show back.
int DigitValue(char16_t c, int base) {
  int d = -1;
  if (c >= u'0' && c <= u'9') {
    d = c - u'0';
  } else if (c >= u'a' && c <= u'f') {
    d = c - u'a' + 10;
  } else if (c >= u'A' && c <= u'F') {
    d = c - u'A' + 10;
  }
  return d < base ? d : -1;
}

}  // namespace

QString ValidCharsFor(TacNumberEditKind kind) {
  switch (kind) {
    case neHex:
      return QStringLiteral("0123456789abcdefABCDEF");
    case neBin:
      return QStringLiteral("01");
    case neDec:
      break;
  }
  return QStringLiteral("0123456789");
}

bool IsValidChar(char16_t c, TacNumberEditKind kind) {
  return c != 0 && ValidCharsFor(kind).contains(QChar(c));
}

QString ValueToText(std::int32_t value, TacNumberEditKind kind) {
  return QString::number(std::max<std::int32_t>(value, 0), BaseOf(kind)).toUpper();
}

std::optional<std::int32_t> TextToNumber(const QString& text, TacNumberEditKind kind) {
  const int base = BaseOf(kind);
  qsizetype i = 0;
  bool negative = false;
  if (kind == neDec && !text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    i = 1;
  }
  if (i >= text.size()) return std::nullopt;
  // One past the largest magnitude; the negative side of decimal reaches it.
  const std::int64_t limit = negative ? kMaxInt32 + 1 : kMaxInt32;
  std::int64_t n = 0;
  for (; i < text.size(); ++i) {
    const int d = DigitValue(text[i].unicode(), base);
    if (d < 0) return std::nullopt;
    n = n * base + d;
    if (n > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -n : n);
}

QString StripLeadingZeros(const QString& text) {
  qsizetype zeros = 0;
  while (text.size() - zeros >= 2 && text[zeros] == u'0') ++zeros;
  return text.mid(zeros);
}

bool PassesMaxValue(const QString& text, std::int32_t number, std::int32_t maxValue,
                    TacNumberEditKind kind) {
  if (number < 0) return false;
  if (maxValue <= 0) return true;
  if (number > maxValue) return false;
  const QString limit = ValueToText(maxValue, kind);
  if (text.size() != limit.size()) return text.size() < limit.size();
  return text.toUpper().compare(limit) <= 0;
}

TNumberTextOutcome ProcessNumberText(const QString& text, int caret,
                                     const TNumberTextMemory& memory, TacNumberEditKind kind,
                                     std::int32_t maxValue) {
  TNumberTextOutcome out;
  if (text.isEmpty()) return out;  // an emptied field reads as 0 and stays empty

  const auto restore = [&] {
    out.Text = memory.PrevText;
    out.Rewrite = text != memory.PrevText;
    out.Caret = std::clamp<int>(memory.PrevSelStart, 0, static_cast<int>(memory.PrevText.size()));
    out.Value = std::max<std::int32_t>(TextToNumber(memory.PrevText, kind).value_or(0), 0);
    out.Restored = true;
    return out;
  };

  const std::optional<std::int32_t> number = TextToNumber(text, kind);
  // A pasted "-5" reads as a number, but the field holds no negative numbers.
  if (!number || *number < 0 || text[0] == u'-') return restore();

  QString shown = text;
  if (IsValidChar(memory.LastChar, kind) && shown.size() >= 2 && shown[0] == u'0') {
    shown = StripLeadingZeros(text);
    out.Rewrite = true;
    const int removed = static_cast<int>(text.size() - shown.size());
    const int length = static_cast<int>(shown.size());
    // A "0" typed in front of a number vanishes; the caret stays where the user put it.
    out.Caret =
        memory.LastChar == u'0' && *number != 0 ? std::clamp(caret - removed, 0, length) : length;
  }
  if (!PassesMaxValue(shown, *number, maxValue, kind)) return restore();

  out.Text = shown;
  out.Value = *number;
  return out;
}
