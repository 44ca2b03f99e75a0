#include "controls/number_text_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <random>

#include "number_field_model.h"

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

struct ReadCase {
  const char16_t* text;
  TacNumberEditKind kind;
  std::optional<std::int32_t> number;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << QString::fromUtf16(c.text).toStdString() << " kind " << int(c.kind);
}

class TextToNumberTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextToNumberTest, Reads) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(TextToNumber(QString::fromUtf16(c.text), c.kind), c.number)
      << QString::fromUtf16(c.text).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToNumberTest,
    ::testing::Values(ReadCase{u"0", neDec, 0}, ReadCase{u"42", neDec, 42},
                      ReadCase{u"007", neDec, 7}, ReadCase{u"2147483647", neDec, kMax},
                      ReadCase{u"2147483648", neDec, std::nullopt},
                      ReadCase{u"99999999999999999999999", neDec, std::nullopt},
                      ReadCase{u"-2147483648", neDec, kMin},
                      ReadCase{u"-2147483649", neDec, std::nullopt}, ReadCase{u"+5", neDec, 5},
                      ReadCase{u"", neDec, std::nullopt}, ReadCase{u"-", neDec, std::nullopt},
                      ReadCase{u"12a", neDec, std::nullopt}, ReadCase{u" 5", neDec, std::nullopt},
                      ReadCase{u"5 ", neDec, std::nullopt}, ReadCase{u"1,5", neDec, std::nullopt},
                      ReadCase{u"\u0663", neDec, std::nullopt},  // Arabic-Indic three
                      ReadCase{u"\uff15", neDec, std::nullopt},  // full-width five
                      ReadCase{u"ff", neHex, 255}, ReadCase{u"7FFFFFFF", neHex, kMax},
                      ReadCase{u"80000000", neHex, std::nullopt},
                      ReadCase{u"00000000Ff", neHex, 255}, ReadCase{u"g", neHex, std::nullopt},
                      ReadCase{u"+1", neHex, std::nullopt}, ReadCase{u"101", neBin, 5},
                      ReadCase{u"2", neBin, std::nullopt},
                      ReadCase{u"1111111111111111111111111111111", neBin, kMax},
                      ReadCase{u"10000000000000000000000000000000", neBin, std::nullopt}));

TEST(ValueToTextTest, WritesInTheBaseOfTheKind) {
  EXPECT_EQ(ValueToText(0, neDec), "0");
  EXPECT_EQ(ValueToText(kMax, neDec), "2147483647");
  EXPECT_EQ(ValueToText(-5, neDec), "0");
  EXPECT_EQ(ValueToText(255, neHex), "FF");
  EXPECT_EQ(ValueToText(5, neBin), "101");
  EXPECT_EQ(ValueToText(0, neBin), "0");
}

TEST(ValueToTextTest, ReadsBackForEveryKind) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::int32_t> any(0, kMax);
  for (TacNumberEditKind kind : {neDec, neHex, neBin}) {
    for (std::int32_t v : {0, 1, kMax}) EXPECT_EQ(TextToNumber(ValueToText(v, kind), kind), v);
    for (int i = 0; i < 1000; ++i) {
      const std::int32_t v = any(rng);
      ASSERT_EQ(TextToNumber(ValueToText(v, kind), kind), v) << v << " kind " << int(kind);
    }
  }
}

TEST(StripLeadingZerosTest, KeepsOneCharacter) {
  EXPECT_EQ(StripLeadingZeros("007"), "7");
  EXPECT_EQ(StripLeadingZeros("00"), "0");
  EXPECT_EQ(StripLeadingZeros("000"), "0");
  EXPECT_EQ(StripLeadingZeros("0"), "0");
  EXPECT_EQ(StripLeadingZeros("100"), "100");
  EXPECT_EQ(StripLeadingZeros(""), "");
}

TEST(PassesMaxValueTest, LimitsByNumberAndLength) {
  EXPECT_TRUE(PassesMaxValue("9", 9, 9, neDec));
  EXPECT_FALSE(PassesMaxValue("10", 10, 9, neDec));
  EXPECT_FALSE(PassesMaxValue("05", 5, 9, neDec));  // longer than the limit's text
  EXPECT_TRUE(PassesMaxValue("099", 99, 100, neDec));
  EXPECT_TRUE(PassesMaxValue("2147483647", kMax, 0, neDec));
  EXPECT_FALSE(PassesMaxValue("-1", -1, 0, neDec));
  EXPECT_TRUE(PassesMaxValue("ff", 255, 255, neHex));
  EXPECT_FALSE(PassesMaxValue("100", 256, 255, neHex));
}

struct ChangeCase {
  const char* name;
  const char16_t* text;
  int caret;
  const char16_t* prevText;
  int prevSelStart;
  char16_t lastChar;
  std::int32_t maxValue;
  TacNumberEditKind kind;
  // expected
  const char16_t* shown;
  int shownCaret;
  std::int32_t value;
  bool restored;
};

void PrintTo(const ChangeCase& c, std::ostream* os) { *os << c.name; }

class ProcessNumberTextTest : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(ProcessNumberTextTest, Outcome) {
  const ChangeCase& c = GetParam();
  const QString text = QString::fromUtf16(c.text);
  const TNumberTextMemory memory{QString::fromUtf16(c.prevText), 0, c.prevSelStart, c.lastChar};
  const TNumberTextOutcome o = ProcessNumberText(text, c.caret, memory, c.kind, c.maxValue);
  EXPECT_EQ(o.Text, QString::fromUtf16(c.shown));
  EXPECT_EQ(o.Rewrite, o.Text != text);
  EXPECT_EQ(o.Caret, c.shownCaret);
  EXPECT_EQ(o.Value, c.value);
  EXPECT_EQ(o.Restored, c.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProcessNumberTextTest,
    ::testing::Values(
        ChangeCase{"FiveAfterZero", u"05", 2, u"0", 1, u'5', 0, neDec, u"5", 1, 5, false},
        ChangeCase{"Emptied", u"", 0, u"123", 0, 0, 0, neDec, u"", -1, 0, false},
        ChangeCase{"PlainDigit", u"123", 3, u"12", 2, u'3', 0, neDec, u"123", -1, 123, false},
        ChangeCase{"PastedLetter", u"12a", 3, u"7", 1, 0, 0, neDec, u"7", 1, 7, true},
        ChangeCase{"PastedIntoEmpty", u"12a", 3, u"", 0, 0, 0, neDec, u"", 0, 0, true},
        ChangeCase{"StaleCaretClamped", u"x", 1, u"7", 5, 0, 0, neDec, u"7", 1, 7, true},
        ChangeCase{"TenthDigitTooLarge", u"2147483648", 10, u"214748364", 9, u'8', 0, neDec,
                   u"214748364", 9, 214748364, true},
        ChangeCase{"LargestNumber", u"2147483647", 10, u"214748364", 9, u'7', 0, neDec,
                   u"2147483647", -1, kMax, false},
        ChangeCase{"DeleteKeepsZero", u"05", 0, u"105", 0, 0, 0, neDec, u"05", -1, 5, false},
        ChangeCase{"BackspaceKeepsZero", u"05", 0, u"105", 1, 8, 0, neDec, u"05", -1, 5, false},
        ChangeCase{"ZeroTypedInFront", u"05", 1, u"5", 0, u'0', 0, neDec, u"5", 0, 5, false},
        ChangeCase{"ZeroAfterZero", u"00", 2, u"0", 1, u'0', 0, neDec, u"0", 1, 0, false},
        ChangeCase{"DigitAfterZeros", u"0051", 4, u"005", 3, u'1', 0, neDec, u"51", 2, 51, false},
        ChangeCase{"PastedNegative", u"-5", 2, u"34", 0, 0, 0, neDec, u"34", 0, 34, true},
        ChangeCase{"PastedNegativeZero", u"-0", 2, u"34", 0, 0, 0, neDec, u"34", 0, 34, true},
        ChangeCase{"PastedPlus", u"+5", 2, u"34", 0, 0, 0, neDec, u"+5", -1, 5, false},
        ChangeCase{"AboveLimit", u"101", 3, u"10", 2, u'1', 100, neDec, u"10", 2, 10, true},
        ChangeCase{"AtLimit", u"100", 3, u"10", 2, u'0', 100, neDec, u"100", -1, 100, false},
        ChangeCase{"ZeroStrippedBeforeLimit", u"0100", 1, u"100", 0, u'0', 100, neDec, u"100", 0,
                   100, false},
        ChangeCase{"LongerThanLimit", u"05", 1, u"5", 0, 0, 9, neDec, u"5", 0, 5, true},
        ChangeCase{"HexLetter", u"0f", 2, u"0", 1, u'f', 0, neHex, u"f", 1, 15, false},
        ChangeCase{"HexAboveLimit", u"100", 3, u"10", 2, u'0', 255, neHex, u"10", 2, 16, true},
        ChangeCase{"BinaryDigit", u"01", 2, u"0", 1, u'1', 0, neBin, u"1", 1, 1, false},
        ChangeCase{"BinaryPastedTwo", u"12", 2, u"1", 1, 0, 0, neBin, u"1", 1, 1, true}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

// Random edits of every kind: whatever the user does, the field shows a number it can read
// back, and the number stays within its limits.
TEST(NumberFieldModelTest, RandomEditsKeepTextAndValueInStep) {
  const QString alphabet = QStringLiteral("0123456789abfgAF-+ x\u0663");
  std::mt19937 rng(20240611);
  for (int run = 0; run < 300; ++run) {
    NumberFieldModel field;
    field.Kind = static_cast<TacNumberEditKind>(run % 3);
    field.MaxValue = run % 4 == 0 ? 0 : static_cast<std::int32_t>(rng() % 100000);
    for (int step = 0; step < 60; ++step) {
      const int n = static_cast<int>(field.Text.size());
      const auto pick = [&] { return alphabet[static_cast<int>(rng() % alphabet.size())]; };
      switch (rng() % 7) {
        case 0:
        case 1:
          field.Type(pick().unicode());
          break;
        case 2:
          field.Backspace();
          break;
        case 3:
          field.Delete();
          break;
        case 4: {
          QString s;
          for (unsigned k = rng() % 12; k > 0; --k) s += pick();
          field.Paste(s);
          break;
        }
        case 5:
          field.MoveCaret(static_cast<int>(rng() % (n + 1)));
          break;
        default:
          field.Select(static_cast<int>(rng() % (n + 1)), static_cast<int>(rng() % (n + 1)));
          break;
      }
      ASSERT_EQ(field.Broken(), "") << "run " << run << " step " << step;
    }
  }
}

}  // namespace
