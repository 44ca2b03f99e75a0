#include "controls/ac_custom_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "platform/resource_picture.h"

namespace {

constexpr int kButtonHeight = 17;
constexpr char kEllipsisResource[] = ":/AC_ELLIPSIS";

// The character a key press types, as the edit would insert it; 8 for Backspace. Keys held
// with Ctrl, Alt or Meta are shortcuts, not typing.
char16_t TypedChar(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) return 8;
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  const QString text = event->text();
  return !text.isEmpty() && text[0].isPrint() ? text[0].unicode() : 0;
}

// Focus that comes and goes with a popup menu or another application is not the user moving
// between fields.
bool IsFieldChange(Qt::FocusReason reason) {
  return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace

TacCustomEdit::TacCustomEdit(QWidget* parent)
    : QLineEdit(parent),
      FColor(QApplication::palette().color(QPalette::Active, QPalette::Base)),
      FColorDisabled(QApplication::palette().color(QPalette::Active, QPalette::Button)),
      FButton(new TacEditButton(this)),
      FButtonWidget(new QToolButton(this)) {
  setMouseTracking(true);
  SetAlignment(Qt::AlignLeft);
  UpdateMinimumHeight();
  resize(121, kDefaultHeight);

  FButtonWidget->setFocusPolicy(Qt::NoFocus);
  // The program may carry no ellipsis picture; the button then says it in text. The picture is
  // read once: every field of the inspector is one of these.
  static const QImage ellipsis = ResourcePicture(QString::fromLatin1(kEllipsisResource));
  if (!ellipsis.isNull()) FButton->SetGlyph(QPixmap::fromImage(ellipsis));
  connect(FButton, &TacEditButton::Changed, this, &TacCustomEdit::LayoutButton);
  connect(FButtonWidget, &QToolButton::clicked, this, &TacCustomEdit::OnButtonClick);
  LayoutButton();
  ApplyColors();
}

void TacCustomEdit::SetAlignment(Qt::Alignment alignment) {
  FAlignment = alignment & Qt::AlignHorizontal_Mask;
  if (FAlignment == Qt::Alignment()) FAlignment = Qt::AlignLeft;
  setAlignment(FAlignment | Qt::AlignVCenter);
}

void TacCustomEdit::SetColor(const QColor& color) {
  if (FColor == color) return;
  FColor = color;
  ApplyColors();
}

void TacCustomEdit::SetColorDisabled(const QColor& color) {
  if (FColorDisabled == color) return;
  FColorDisabled = color;
  ApplyColors();
}

QSize TacCustomEdit::sizeHint() const {
  return {QLineEdit::sizeHint().width(), std::max(kDefaultHeight, minimumHeight())};
}

QSize TacCustomEdit::minimumSizeHint() const {
  return {QLineEdit::minimumSizeHint().width(), minimumHeight()};
}

void TacCustomEdit::keyPressEvent(QKeyEvent* event) {
  Q_EMIT OnKeyDown(event->key(), event->modifiers());

  // The last typed character is remembered until another is typed or Delete is pressed; a
  // paste, a drop or a change from code leave it as it was.
  const char16_t typed = TypedChar(event);
  if (typed != 0) FLastChar = typed;
  if (event->key() == Qt::Key_Delete) FLastChar = 0;
  if (typed >= 0x20 && !FValidChars.isEmpty()) {
    const QString text = event->text();
    const bool valid =
        std::all_of(text.begin(), text.end(), [this](QChar c) { return FValidChars.contains(c); });
    if (!valid) {
      event->accept();  // swallowed: the text stays as it was
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TacCustomEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!IsFieldChange(event->reason())) return;
  // A click that brings the focus places the caret itself; selecting would fight it.
  if (FAutoSelect && !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
    selectAll();
  } else {
    if (!FAutoSelect && hasSelectedText()) deselect();
    update();
  }
  Q_EMIT OnEnter();
}

void TacCustomEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  update();
  if (IsFieldChange(event->reason())) Q_EMIT OnExit();
}

void TacCustomEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      FButtonWidget->setEnabled(isEnabled());
      update();
      break;
    case QEvent::FontChange:
    case QEvent::StyleChange:
      UpdateMinimumHeight();
      LayoutButton();
      break;
    default:
      break;
  }
}

void TacCustomEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  LayoutButton();
}

void TacCustomEdit::mouseMoveEvent(QMouseEvent* event) {
  QLineEdit::mouseMoveEvent(event);
  if (event->buttons() == Qt::NoButton) {
    if (OverBorder(event->position().toPoint())) {
      setCursor(FCursorBorder);
    } else {
      setCursor(Qt::IBeamCursor);
    }
  }
}

void TacCustomEdit::enterEvent(QEnterEvent* event) {
  QLineEdit::enterEvent(event);
  Q_EMIT OnMouseEnter();
}

void TacCustomEdit::leaveEvent(QEvent* event) {
  QLineEdit::leaveEvent(event);
  Q_EMIT OnMouseLeave();
}

void TacCustomEdit::ApplyColors() {
  QPalette p = palette();
  p.setColor(QPalette::Active, QPalette::Base, FColor);
  p.setColor(QPalette::Inactive, QPalette::Base, FColor);
  p.setColor(QPalette::Disabled, QPalette::Base, FColorDisabled);
  setPalette(p);
}

void TacCustomEdit::LayoutButton() {
  const bool shown = FButton->Visible() && FButton->Width() > 0;
  const int width = shown ? FButton->Width() : 0;
  const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  FButtonWidget->setGeometry(this->width() - frame - width,
                             std::max(0, (height() - kButtonHeight) / 2), width, kButtonHeight);
  const QPixmap glyph = FButton->ShownGlyph();
  if (glyph.isNull()) {
    FButtonWidget->setIcon(QIcon());
    FButtonWidget->setText(QStringLiteral("..."));
  } else {
    FButtonWidget->setIcon(QIcon(glyph));
    FButtonWidget->setIconSize(glyph.size());
    FButtonWidget->setText(QString());
  }
  FButtonWidget->setAutoRaise(FButton->Flat());
  FButtonWidget->setToolTip(FButton->Hint());
  FButtonWidget->setCursor(FButton->Cursor());
  FButtonWidget->setVisible(shown);
  // Text must not run under the button.
  setTextMargins(0, 0, width, 0);
}

void TacCustomEdit::UpdateMinimumHeight() {
  const int systemText = QFontMetrics(QApplication::font()).height();
  const int ownText = fontMetrics().height();
  setMinimumHeight(4 + std::min(systemText, ownText) + 1);
}

bool TacCustomEdit::OverBorder(const QPoint& pos) const {
  const int frame = std::max(1, style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this));
  return !rect().adjusted(frame, frame, -frame, -frame).contains(pos);
}
