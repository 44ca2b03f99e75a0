#include "controls/ac_number_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "number_field_model.h"

namespace {

using Step = std::function<void(TacNumberEdit&)>;

Step Type(const char* keys) {
  return [keys](TacNumberEdit& e) { QTest::keyClicks(&e, keys); };
}
// Characters outside Latin-1, sent as the text of a key the keyboard map does not know.
Step TypeText(const QString& text) {
  return [text](TacNumberEdit& e) {
    for (QChar c : text) QTest::sendKeyEvent(QTest::Click, &e, Qt::Key_unknown, QString(c), {});
  };
}
Step Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  return [=](TacNumberEdit& e) { QTest::keyClick(&e, key, modifiers); };
}
Step Paste(const QString& text) {
  return [text](TacNumberEdit& e) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(&e, Qt::Key_V, Qt::ControlModifier);
  };
}
Step SelectAll() { return Key(Qt::Key_A, Qt::ControlModifier); }
Step Caret(int pos) {
  return [pos](TacNumberEdit& e) { e.setCursorPosition(pos); };
}
Step Set(std::int32_t v) {
  return [v](TacNumberEdit& e) { e.SetValue(v); };
}
Step Max(std::int32_t m) {
  return [m](TacNumberEdit& e) { e.SetMaxValue(m); };
}
Step Kind(TacNumberEditKind k) {
  return [k](TacNumberEdit& e) { e.SetKind(k); };
}

class NumberEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    window_->resize(200, 80);
    edit_ = new TacNumberEdit(window_.get());
    edit_->move(10, 10);
    window_->show();
    edit_->setFocus();
  }

  std::unique_ptr<QWidget> window_;
  TacNumberEdit* edit_ = nullptr;
};

TEST_F(NumberEditTest, StartsWithZero) {
  EXPECT_EQ(edit_->text(), "0");
  EXPECT_EQ(edit_->Value(), 0);
  EXPECT_EQ(edit_->MaxValue(), 0);
  EXPECT_EQ(edit_->Kind(), neDec);
  EXPECT_EQ(edit_->height(), 21);
}

struct EditCase {
  const char* name;
  std::vector<Step> steps;
  QString text;
  std::int32_t value;
  int caret;  // -1: not checked
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class NumberEditCaseTest : public NumberEditTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(NumberEditCaseTest, EndsAsExpected) {
  const EditCase& c = GetParam();
  for (const Step& step : c.steps) step(*edit_);
  EXPECT_EQ(edit_->text(), c.text);
  EXPECT_EQ(edit_->Value(), c.value);
  if (c.caret >= 0) {
    EXPECT_EQ(edit_->cursorPosition(), c.caret);
    EXPECT_FALSE(edit_->hasSelectedText());
  }
}

const EditCase kEditCases[] = {
    {"FiveAfterZero", {Type("5")}, "5", 5, 1},
    {"NonDigitsIgnored", {Type("a-+ ,.Z")}, "0", 0, 1},
    {"CyrillicAndOtherDigitsIgnored", {TypeText(QStringLiteral("б\u0663\uff15"))}, "0", 0, 1},
    {"OverSelection", {SelectAll(), Type("2800")}, "2800", 2800, 4},
    {"SelectAllDelete", {Set(123), SelectAll(), Key(Qt::Key_Delete)}, "", 0, 0},
    {"SelectAllBackspace", {Set(123), SelectAll(), Key(Qt::Key_Backspace)}, "", 0, 0},
    {"DigitIntoEmptied", {SelectAll(), Key(Qt::Key_Delete), Type("7")}, "7", 7, 1},
    {"TenthDigitTooLarge",
     {Set(214748364), Key(Qt::Key_End), Type("8")},
     "214748364",
     214748364,
     9},
    {"TenthDigitLargest",
     {Set(214748364), Key(Qt::Key_End), Type("7")},
     "2147483647",
     2147483647,
     10},
    {"ElevenNines", {SelectAll(), Type("99999999999")}, "999999999", 999999999, 9},
    {"PasteWithLetter", {Set(34), Key(Qt::Key_End), Paste("12a")}, "34", 34, 2},
    {"PasteWithLetterMidText", {Set(34), Caret(1), Paste("x")}, "34", 34, 1},
    {"PasteOverSelection", {Set(34), SelectAll(), Paste("77")}, "77", 77, 2},
    {"PasteNegative", {Set(34), SelectAll(), Paste("-5")}, "34", 34, 0},
    {"PasteTooLarge", {Set(34), SelectAll(), Paste("2147483648")}, "34", 34, 0},
    {"PasteIntoEmptied", {Set(34), SelectAll(), Key(Qt::Key_Delete), Paste("12a")}, "", 0, 0},
    {"PasteKeepsItsZeros", {SelectAll(), Paste("007")}, "007", 7, 3},
    // the last typed character stays in force until Delete: a digit typed before a paste
    // drops the pasted zeros, a letter or a Delete in between keeps them
    {"PasteAfterADigitDropsZeros", {Type("5"), SelectAll(), Paste("007")}, "7", 7, 1},
    {"PasteAfterALetterKeepsZeros", {Type("5x"), SelectAll(), Paste("007")}, "007", 7, 3},
    {"PasteAfterDeleteKeepsZeros",
     {Type("5"), Key(Qt::Key_Delete), SelectAll(), Paste("007")},
     "007",
     7,
     3},
    {"ZeroInFront", {Set(5), Key(Qt::Key_Home), Type("0")}, "5", 5, 0},
    {"ZeroAfterZero", {Key(Qt::Key_End), Type("0")}, "0", 0, 1},
    {"DeleteLeavesZero", {Set(105), Key(Qt::Key_Home), Key(Qt::Key_Delete)}, "05", 5, 0},
    {"TypingDropsLeftZero",
     {Set(105), Key(Qt::Key_Home), Key(Qt::Key_Delete), Key(Qt::Key_End), Type("1")},
     "51",
     51,
     2},
    {"Backspace", {Set(123), Key(Qt::Key_End), Key(Qt::Key_Backspace)}, "12", 12, 2},
    {"CutFollowsValue", {Set(123), SelectAll(), Key(Qt::Key_X, Qt::ControlModifier)}, "", 0, 0},
    {"AboveLimit", {Max(100), SelectAll(), Type("101")}, "10", 10, 2},
    {"AtLimit", {Max(100), SelectAll(), Type("100")}, "100", 100, 3},
    {"LimitLowersValue", {Set(80), Max(50)}, "50", 50, -1},
    {"LimitClampsSetValue", {Max(50), Set(70)}, "50", 50, -1},
    {"LimitAboveValueKeepsIt", {Set(30), Max(50)}, "30", 30, -1},
    {"NegativeShowsZero", {Set(42), Set(-5)}, "0", 0, -1},
    {"SetFortyTwo", {Set(42)}, "42", 42, -1},
    {"NegativeLimitMeansNone", {Max(-3), Set(100)}, "100", 100, -1},
    {"HexRewrites", {Set(255), Kind(neHex)}, "FF", 255, -1},
    {"HexTyping", {Kind(neHex), SelectAll(), Type("1g")}, "1", 1, 1},
    {"HexLetters", {Kind(neHex), SelectAll(), Type("ff")}, "ff", 255, 2},
    {"BinaryRewrites", {Set(5), Kind(neBin)}, "101", 5, -1},
    {"BinaryIgnoresTwo", {Set(5), Kind(neBin), Key(Qt::Key_End), Type("2")}, "101", 5, 3},
    {"BackToDecimal", {Set(5), Kind(neBin), Kind(neDec)}, "5", 5, -1},
};

INSTANTIATE_TEST_SUITE_P(Cases, NumberEditCaseTest, ::testing::ValuesIn(kEditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(NumberEditTest, KeyDownComesBeforeTheCharacter) {
  std::vector<std::pair<int, QString>> seen;
  QObject::connect(edit_, &TacCustomEdit::OnKeyDown, edit_,
                   [&](int key, Qt::KeyboardModifiers) { seen.emplace_back(key, edit_->text()); });
  QTest::keyClicks(edit_, "7a");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], std::make_pair(int(Qt::Key_7), QString("0")));
  EXPECT_EQ(seen[1], std::make_pair(int(Qt::Key_A), QString("7")));  // raised though dropped
}

// The inspector pages apply a field on Enter and write back the clamped value.
TEST_F(NumberEditTest, EnterHandlerSeesTheTypedValueAndMayRewriteIt) {
  int applied = -1;
  QObject::connect(edit_, &TacCustomEdit::OnKeyDown, edit_, [&](int key, Qt::KeyboardModifiers) {
    if (!TacCustomEdit::IsEnterKey(key)) return;
    applied = edit_->Value();
    edit_->SetValue(std::max(applied, 100));
  });
  QTest::keyClick(edit_, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit_, Qt::Key_Delete);
  QTest::keyClick(edit_, Qt::Key_Return);
  EXPECT_EQ(applied, 0);
  EXPECT_EQ(edit_->text(), "100");
  QTest::keyClicks(edit_, "5");
  QTest::keyClick(edit_, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(applied, 1005);
  EXPECT_EQ(edit_->Value(), 1005);
}

TEST_F(NumberEditTest, OnChangeAfterEveryProcessedChange) {
  int changes = 0;
  QObject::connect(edit_, &TacNumberEdit::OnChange, edit_, [&] { ++changes; });
  QTest::keyClicks(edit_, "5");  // "05" is rewritten as "5" within the same change
  EXPECT_EQ(changes, 1);
  QTest::keyClicks(edit_, "x");
  EXPECT_EQ(changes, 1);
  Paste("12a")(*edit_);  // a restoration still counts
  EXPECT_EQ(changes, 2);
  edit_->SetValue(3);
  EXPECT_EQ(changes, 3);
  edit_->SetValue(3);
  EXPECT_EQ(changes, 3);
}

// Undo and redo bypass typing entirely; the value must still follow the text.
TEST_F(NumberEditTest, UndoKeepsValueInStep) {
  QTest::keyClicks(edit_, "12");
  QTest::keyClick(edit_, Qt::Key_Backspace);
  QTest::keyClick(edit_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(TextToNumber(edit_->text(), neDec).value_or(0), edit_->Value())
      << edit_->text().toStdString();
  QTest::keyClick(edit_, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TextToNumber(edit_->text(), neDec).value_or(0), edit_->Value())
      << edit_->text().toStdString();
}

// The real field against the model, edit for edit: text, value and caret agree.
TEST_F(NumberEditTest, RandomEditsMatchTheModel) {
  const QString alphabet = QStringLiteral("0123456789a-+ ");
  std::mt19937 rng(11);
  for (int run = 0; run < 40; ++run) {
    NumberFieldModel model;
    model.MaxValue = run % 2 == 0 ? 0 : static_cast<std::int32_t>(rng() % 5000 + 1);
    edit_->SetMaxValue(0);
    edit_->SetValue(0);
    edit_->SetMaxValue(model.MaxValue);
    edit_->setCursorPosition(1);
    QTest::keyClick(edit_, Qt::Key_Delete);  // forgets the last run's typed character
    for (int step = 0; step < 40; ++step) {
      const int n = static_cast<int>(model.Text.size());
      const auto pick = [&] { return alphabet[static_cast<int>(rng() % alphabet.size())]; };
      std::string what;
      switch (rng() % 6) {
        case 0:
        case 1: {
          const QChar c = pick();
          what = "type " + QString(c).toStdString();
          model.Type(c.unicode());
          QTest::keyClicks(edit_, QString(c));
          break;
        }
        case 2:
          what = "backspace";
          model.Backspace();
          QTest::keyClick(edit_, Qt::Key_Backspace);
          break;
        case 3:
          what = "delete";
          model.Delete();
          QTest::keyClick(edit_, Qt::Key_Delete);
          break;
        case 4: {
          QString s;
          for (unsigned k = rng() % 5 + 1; k > 0; --k) s += pick();
          what = "paste " + s.toStdString();
          model.Paste(s);
          Paste(s)(*edit_);
          break;
        }
        default: {
          const int from = static_cast<int>(rng() % (n + 1));
          const int to = static_cast<int>(rng() % (n + 1));
          what = "select " + std::to_string(from) + ".." + std::to_string(to);
          model.Select(from, to);
          edit_->setSelection(from, to - from);
          break;
        }
      }
      SCOPED_TRACE("run " + std::to_string(run) + " step " + std::to_string(step) + " " + what);
      ASSERT_EQ(edit_->text(), model.Text);
      ASSERT_EQ(edit_->Value(), model.Value);
      ASSERT_EQ(edit_->cursorPosition(), model.Caret);
      ASSERT_EQ(model.Broken(), "");
    }
  }
}

}  // namespace
