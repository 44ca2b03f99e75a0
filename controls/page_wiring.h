#pragma once

#include <QLineEdit>
#include <cstdint>
#include <functional>

#include "controls/ac_number_edit.h"

// Enter applies a typed value in the inspector.
inline bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == 13; }

// A number is applied by Enter only, and only when it differs from the stored one; leaving the
// field applies nothing. The field then shows the value the operation stored.
inline void ApplyOnEnter(TacNumberEdit* edit, QObject* context, std::function<std::int32_t()> stored,
                         std::function<std::int32_t(std::int32_t)> apply) {
  QObject::connect(edit, &TacNumberEdit::OnKeyDown, context,
                   [edit, stored = std::move(stored), apply = std::move(apply)](int key) {
                     if (!IsEnterKey(key) || edit->Value() == stored()) return;
                     edit->SetValue(apply(edit->Value()));
                   });
}

// A name typed and confirmed with Enter renames the object when it differs from its name.
inline void RenameOnEnter(QLineEdit* edit, QObject* context, std::function<QString()> name,
                          std::function<void(const QString&)> rename) {
  QObject::connect(edit, &QLineEdit::returnPressed, context,
                   [edit, name = std::move(name), rename = std::move(rename)] {
                     if (edit->text() != name()) rename(edit->text());
                   });
}
