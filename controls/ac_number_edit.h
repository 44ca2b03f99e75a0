#pragma once

#include <cstdint>

#include "controls/ac_custom_edit.h"
#include "controls/number_text_rules.h"

// The field of every numeric property: holds a non-negative whole number, takes digits only,
// drops leading zeros while the user types and puts back the last good text when an edit
// would make it unreadable or too large. Nothing is ever reported to the user.
class TacNumberEdit : public TacCustomEdit {
  Q_OBJECT

 public:
  explicit TacNumberEdit(QWidget* parent = nullptr);

  // The number of the last accepted text; 0 while the field is empty.
  std::int32_t Value() const { return FValue; }
  // Clamps to 0..MaxValue and shows the number in the base of Kind.
  void SetValue(std::int32_t value);
  // 0 means no upper limit; a negative limit counts as none.
  std::int32_t MaxValue() const { return FMaxValue; }
  void SetMaxValue(std::int32_t maxValue);
  TacNumberEditKind Kind() const { return FKind; }
  void SetKind(TacNumberEditKind kind);

 Q_SIGNALS:
  // After every processed change of the text, restorations included.
  void OnChange();

 private:
  void ProcessChange(const QString& text);
  void TrackSelStart();

  TacNumberEditKind FKind = neDec;
  std::int32_t FValue = 0;
  std::int32_t FMaxValue = 0;
  TNumberTextMemory FMemory;
  // Where the caret stood before the edit now being processed: the text change is signalled
  // before the caret move that belongs to it.
  int FSelStart = 0;
  bool FUpdating = false;
};
