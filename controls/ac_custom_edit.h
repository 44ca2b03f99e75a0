#pragma once

#include <QColor>
#include <QCursor>
#include <QLineEdit>
#include <QString>

#include "controls/ac_edit_button.h"

class QToolButton;

// A single-line edit with the extras every field of the inspector shares: alignment,
// select-all on focus, its own background colours for the enabled and disabled states, a
// pointer shape over its border, a key-down signal raised before the key is processed and a
// side button that starts hidden.
class TacCustomEdit : public QLineEdit {
  Q_OBJECT

 public:
  static constexpr int kDefaultHeight = 21;

  explicit TacCustomEdit(QWidget* parent = nullptr);

  // Horizontal part only; the text is always centred vertically.
  Qt::Alignment Alignment() const { return FAlignment; }
  void SetAlignment(Qt::Alignment alignment);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool autoSelect) { FAutoSelect = autoSelect; }
  QColor Color() const { return FColor; }
  void SetColor(const QColor& color);
  QColor ColorDisabled() const { return FColorDisabled; }
  void SetColorDisabled(const QColor& color);
  QCursor CursorBorder() const { return FCursorBorder; }
  void SetCursorBorder(const QCursor& cursor) { FCursorBorder = cursor; }
  TacEditButton& Button() { return *FButton; }
  const TacEditButton& Button() const { return *FButton; }
  // Characters typing may insert; empty lets everything through.
  QString ValidChars() const { return FValidChars; }

  // Both Return and the keypad's Enter confirm a field.
  static bool IsEnterKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 Q_SIGNALS:
  // Raised for every key press, Enter included, before the field acts on the key. `key` is
  // the Qt key code.
  void OnKeyDown(int key, Qt::KeyboardModifiers shift);
  void OnEnter();
  void OnExit();
  void OnButtonClick();
  void OnMouseEnter();
  void OnMouseLeave();

 protected:
  void SetValidChars(const QString& chars) { FValidChars = chars; }
  // The last character typed (8 for Backspace), even one the field refused; 0 before any and
  // after the Delete key. Changes by a paste, a drop or code see what was typed before them.
  char16_t LastChar() const { return FLastChar; }

  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void ApplyColors();
  void LayoutButton();
  void UpdateMinimumHeight();
  bool OverBorder(const QPoint& pos) const;

  Qt::Alignment FAlignment = Qt::AlignLeft;
  bool FAutoSelect = true;
  QColor FColor;
  QColor FColorDisabled;
  QCursor FCursorBorder{Qt::ArrowCursor};
  TacEditButton* FButton;
  QToolButton* FButtonWidget;
  QString FValidChars;
  char16_t FLastChar = 0;
};
