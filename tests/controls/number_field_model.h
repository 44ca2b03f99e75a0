#pragma once

// A widget-free copy of the numeric field: a text, a caret and a selection edited the way a
// line edit edits them, with every change passed through ProcessNumberText. The fuzzer and the
// randomized tests drive it, and the widget tests check the real field against it.

#include <QString>
#include <algorithm>
#include <string>

#include "controls/number_text_rules.h"

struct NumberFieldModel {
  TacNumberEditKind Kind = neDec;
  std::int32_t MaxValue = 0;
  QString Text = QStringLiteral("0");
  int Caret = 1;
  int SelStart = 1;  // == Caret when nothing is selected
  std::int32_t Value = 0;
  TNumberTextMemory Memory{QStringLiteral("0"), 0, 0, 0};
  char16_t LastChar = 0;  // the last character typed, refused ones too; 0 after Delete

  int SelLow() const { return std::min(SelStart, Caret); }
  int SelHigh() const { return std::max(SelStart, Caret); }

  void Select(int from, int to) {
    const int n = static_cast<int>(Text.size());
    SelStart = std::clamp(from, 0, n);
    Caret = std::clamp(to, 0, n);
  }
  void MoveCaret(int pos) { Select(pos, pos); }

  void Type(char16_t c) {
    LastChar = c;
    if (!IsValidChar(c, Kind)) return;
    Replace(QString(QChar(c)));
  }
  void Paste(const QString& s) { Replace(s); }
  void Backspace() {
    LastChar = 8;
    Remove(true);
  }
  void Delete() {
    LastChar = 0;
    Remove(false);
  }

  // The check a field must pass after every edit; empty when it does.
  std::string Broken() const {
    if (Value < 0) return "negative value";
    if (MaxValue > 0 && Value > MaxValue) return "value above the limit";
    if (Caret < 0 || Caret > Text.size()) return "caret outside the text";
    if (Text.isEmpty()) return Value == 0 ? "" : "empty text with a value";
    const auto n = TextToNumber(Text, Kind);
    if (!n) return "unreadable text " + Text.toStdString();
    if (*n != Value) return "text " + Text.toStdString() + " does not show the value";
    return "";
  }

 private:
  void Replace(const QString& s) {
    QString t = Text;
    t.replace(SelLow(), SelHigh() - SelLow(), s);
    Apply(t, SelLow() + static_cast<int>(s.size()));
  }

  void Remove(bool backward) {
    int from = SelLow(), to = SelHigh();
    if (from == to) {
      if (backward ? from == 0 : to == Text.size()) return;
      backward ? --from : ++to;
    }
    QString t = Text;
    t.remove(from, to - from);
    Apply(t, from);
  }

  void Apply(const QString& text, int caret) {
    if (text == Text) {  // a line edit signals no change
      MoveCaret(caret);
      return;
    }
    TNumberTextMemory m = Memory;
    m.PrevSelStart = SelLow();
    m.LastChar = LastChar;
    const TNumberTextOutcome o = ProcessNumberText(text, caret, m, Kind, MaxValue);
    Text = o.Text;
    MoveCaret(o.Caret >= 0 ? o.Caret : caret);
    Value = o.Value;
    Memory.PrevText = o.Text;
    Memory.PrevValue = o.Value;
  }
};
