#include "controls/ac_number_edit.h"

#include <algorithm>

TacNumberEdit::TacNumberEdit(QWidget* parent) : TacCustomEdit(parent) {
  SetValidChars(ValidCharsFor(FKind));
  connect(this, &QLineEdit::textChanged, this, &TacNumberEdit::ProcessChange);
  connect(this, &QLineEdit::cursorPositionChanged, this, &TacNumberEdit::TrackSelStart);
  connect(this, &QLineEdit::selectionChanged, this, &TacNumberEdit::TrackSelStart);
  setText(QStringLiteral("0"));
}

void TacNumberEdit::SetValue(std::int32_t value) {
  if (value < 0) {
    value = 0;
  } else if (FMaxValue != 0 && value > FMaxValue) {
    value = FMaxValue;
  }
  FValue = value;
  const QString shown = ValueToText(value, FKind);
  if (shown != text()) {
    setText(shown);  // the change processing accepts it
  } else {
    FMemory.PrevText = shown;
    FMemory.PrevValue = value;
  }
}

void TacNumberEdit::SetMaxValue(std::int32_t maxValue) {
  FMaxValue = std::max<std::int32_t>(maxValue, 0);
  if (FMaxValue != 0 && FMaxValue < FValue) SetValue(FMaxValue);
}

void TacNumberEdit::SetKind(TacNumberEditKind kind) {
  FKind = kind;
  SetValidChars(ValidCharsFor(kind));
  SetValue(FValue);
}

void TacNumberEdit::ProcessChange(const QString& text) {
  if (FUpdating) return;
  TNumberTextMemory memory = FMemory;
  memory.PrevSelStart = FSelStart;
  memory.LastChar = LastChar();
  const TNumberTextOutcome outcome =
      ProcessNumberText(text, cursorPosition(), memory, FKind, FMaxValue);
  if (outcome.Rewrite) {
    FUpdating = true;
    setText(outcome.Text);
    FUpdating = false;
  }
  if (outcome.Caret >= 0) setCursorPosition(outcome.Caret);
  FValue = outcome.Value;
  FMemory.PrevText = outcome.Text;
  FMemory.PrevValue = outcome.Value;
  Q_EMIT OnChange();
}

void TacNumberEdit::TrackSelStart() {
  FSelStart = hasSelectedText() ? selectionStart() : cursorPosition();
}
