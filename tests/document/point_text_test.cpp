#include "document/point_text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(PointText, Writes) {
  EXPECT_EQ(PointToText({2800, 4200}), QStringLiteral("2800,4200"));
  EXPECT_EQ(PointToText({-15, 300}), QStringLiteral("-15,300"));
  EXPECT_EQ(PointToText({INT_MIN, INT_MAX}), QStringLiteral("-2147483648,2147483647"));
}

TEST(PointText, ReadsGoodText) {
  struct Case {
    const char16_t* text;
    QPoint expected;
  };
  const Case cases[] = {
      {u"", {0, 0}},
      {u"2800,4200", {2800, 4200}},
      {u"-15,300", {-15, 300}},
      {u"1,2,3", {1, 23}},  // later commas are dropped from y
      {u"1,,2", {1, 2}},
      {u"$10,$20", {16, 32}},
      {u"+5,-6", {5, -6}},
      {u"-2147483648,2147483647", {INT_MIN, INT_MAX}},
  };
  for (const Case& c : cases) {
    QString error;
    const std::optional<QPoint> p = TextToPoint(c.text, &error);
    ASSERT_TRUE(p.has_value()) << QString::fromUtf16(c.text).toStdString() << ": "
                               << error.toStdString();
    EXPECT_EQ(*p, c.expected) << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(PointText, NamesThePartThatIsNoInteger) {
  struct Case {
    const char16_t* text;
    const char16_t* part;
  };
  const Case cases[] = {
      {u"12", u""},  // no comma: an empty y part
      {u"1,", u""},
      {u",5", u""},
      {u"a,5", u"a"},
      {u"5,b", u"b"},
      {u"x,y", u"y"},        // y is converted first
      {u"0x10,1", u"0x10"},  // points know only "$" for hexadecimal
      {u"1,0x10", u"0x10"},  // in either part
      {u"1, 2", u" 2"},
      {u"99999999999,1", u"99999999999"},
      {u"2147483648,0", u"2147483648"},
      {u"1,2,x", u"2x"},
  };
  for (const Case& c : cases) {
    QString error;
    EXPECT_FALSE(TextToPoint(c.text, &error).has_value())
        << QString::fromUtf16(c.text).toStdString();
    EXPECT_EQ(error,
              QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf16(c.part)));
  }
  EXPECT_FALSE(TextToPoint(u"a,b").has_value());  // no error text wanted
}

TEST(PointText, Kinds) {
  const std::pair<std::int32_t, TObjectKind> cases[] = {
      {0, okWalls}, {1, okBell},  {2, okBeam},   {3, okPost},        {4, okPost},
      {5, okWalls}, {7, okWalls}, {-1, okWalls}, {INT_MAX, okWalls},
  };
  for (const auto& [value, kind] : cases) EXPECT_EQ(FileTypeToKind(value), kind) << value;
  for (TObjectKind k : {okWalls, okBell, okBeam, okPost})
    EXPECT_EQ(FileTypeToKind(KindToFileType(k)), k);
  EXPECT_EQ(KindToFileType(okPost), 3);
}

}  // namespace
