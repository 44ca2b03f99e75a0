#include "controls/ac_custom_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "controls/ac_number_edit.h"

namespace {

class CustomEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(300, 100);
    first_ = new TacCustomEdit(window_.get());
    first_->setGeometry(10, 10, 121, 21);
    second_ = new TacNumberEdit(window_.get());
    second_->setGeometry(10, 40, 121, 21);
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  QToolButton* SideButton() const { return first_->findChild<QToolButton*>(); }

  std::unique_ptr<QWidget> window_;
  TacCustomEdit* first_ = nullptr;
  TacNumberEdit* second_ = nullptr;
};

TEST_F(CustomEditTest, DefaultsAndHeight) {
  const TacCustomEdit edit;
  EXPECT_EQ(edit.height(), TacCustomEdit::kDefaultHeight);
  EXPECT_EQ(edit.sizeHint().height(), TacCustomEdit::kDefaultHeight);
  EXPECT_LE(edit.minimumHeight(), TacCustomEdit::kDefaultHeight);
  EXPECT_TRUE(edit.AutoSelect());
  EXPECT_EQ(edit.Alignment(), Qt::AlignLeft);
  EXPECT_FALSE(edit.Button().Visible());
  EXPECT_TRUE(edit.ValidChars().isEmpty());
}

TEST_F(CustomEditTest, WithoutValidCharsEverythingIsTyped) {
  QTest::keyClicks(first_, "ab 1");
  EXPECT_EQ(first_->text(), "ab 1");
}

TEST_F(CustomEditTest, AlignmentKeepsTextCentredVertically) {
  first_->SetAlignment(Qt::AlignRight | Qt::AlignTop);
  EXPECT_EQ(first_->Alignment(), Qt::AlignRight);
  EXPECT_EQ(first_->alignment(), Qt::AlignRight | Qt::AlignVCenter);
}

TEST_F(CustomEditTest, KeyboardFocusSelectsAllAndRaisesEnterAndExit) {
  second_->SetValue(1234);
  int enters = 0, exits = 0;
  QObject::connect(second_, &TacCustomEdit::OnEnter, second_, [&] { ++enters; });
  QObject::connect(first_, &TacCustomEdit::OnExit, first_, [&] { ++exits; });
  first_->setFocus(Qt::TabFocusReason);
  second_->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(exits, 1);
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(second_->selectedText(), "1234");
}

TEST_F(CustomEditTest, FocusFromCodeSelectsAllToo) {
  second_->SetValue(56);
  second_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(second_->selectedText(), "56");
}

TEST_F(CustomEditTest, NoAutoSelectLeavesTextUnselected) {
  second_->SetValue(1234);
  second_->SetAutoSelect(false);
  second_->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(second_->hasSelectedText());
}

TEST_F(CustomEditTest, ClickPlacesCaretInsteadOfSelecting) {
  second_->SetValue(1234);
  first_->setFocus();
  QTest::mouseClick(second_, Qt::LeftButton, {}, QPoint(3, 10));
  ASSERT_TRUE(second_->hasFocus());
  EXPECT_FALSE(second_->hasSelectedText());
  EXPECT_EQ(second_->cursorPosition(), 0);
}

TEST_F(CustomEditTest, BackgroundFollowsEnabledState) {
  first_->SetColor(QColor(0xff, 0xff, 0xc0));
  first_->SetColorDisabled(QColor(0x80, 0x90, 0xa0));
  const QPoint inside(first_->width() - 6, first_->height() / 2);
  EXPECT_EQ(first_->grab().toImage().pixelColor(inside), QColor(0xff, 0xff, 0xc0));
  first_->setEnabled(false);
  EXPECT_EQ(first_->grab().toImage().pixelColor(inside), QColor(0x80, 0x90, 0xa0));
  first_->setEnabled(true);
  EXPECT_EQ(first_->grab().toImage().pixelColor(inside), QColor(0xff, 0xff, 0xc0));
}

TEST_F(CustomEditTest, SideButtonHiddenUntilAskedFor) {
  QToolButton* button = SideButton();
  ASSERT_NE(button, nullptr);
  EXPECT_FALSE(button->isVisible());
  EXPECT_EQ(first_->textMargins().right(), 0);

  int clicks = 0;
  QObject::connect(first_, &TacCustomEdit::OnButtonClick, first_, [&] { ++clicks; });
  first_->Button().SetWidth(18);
  first_->Button().SetHint(QStringLiteral("Выбрать"));
  first_->Button().SetVisible(true);
  EXPECT_TRUE(button->isVisible());
  EXPECT_EQ(button->width(), 18);
  EXPECT_LE(button->geometry().right(), first_->width() - 1);
  EXPECT_GE(button->geometry().left(), first_->width() - 18 - 3);
  EXPECT_EQ(button->toolTip(), QStringLiteral("Выбрать"));
  EXPECT_EQ(first_->textMargins().right(), 18);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);

  first_->setEnabled(false);
  EXPECT_FALSE(button->isEnabled());
  first_->setEnabled(true);
  EXPECT_TRUE(button->isEnabled());

  first_->Button().SetVisible(false);
  EXPECT_FALSE(button->isVisible());
  EXPECT_EQ(first_->textMargins().right(), 0);
}

TEST_F(CustomEditTest, ButtonShowsFirstGlyphOfStrip) {
  QPixmap strip(32, 16);
  strip.fill(Qt::red);
  first_->Button().SetGlyph(strip);
  first_->Button().SetNumGlyphs(2);
  EXPECT_EQ(first_->Button().ShownGlyph().size(), QSize(16, 16));
}

TEST_F(CustomEditTest, BorderTakesItsOwnCursor) {
  SKIP_WITHOUT_HOVER();
  first_->SetCursorBorder(Qt::SizeAllCursor);
  QTest::mouseMove(first_, QPoint(0, 10));
  EXPECT_EQ(first_->cursor().shape(), Qt::SizeAllCursor);
  QTest::mouseMove(first_, QPoint(40, 10));
  EXPECT_EQ(first_->cursor().shape(), Qt::IBeamCursor);
}

TEST_F(CustomEditTest, MouseEnterAndLeave) {
  SKIP_WITHOUT_HOVER();
  int entered = 0, left = 0;
  QObject::connect(first_, &TacCustomEdit::OnMouseEnter, first_, [&] { ++entered; });
  QObject::connect(first_, &TacCustomEdit::OnMouseLeave, first_, [&] { ++left; });
  QTest::mouseMove(window_.get(), QPoint(200, 80));
  QTest::mouseMove(first_, QPoint(40, 10));
  QTest::mouseMove(window_.get(), QPoint(200, 80));
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(left, 1);
}

}  // namespace
