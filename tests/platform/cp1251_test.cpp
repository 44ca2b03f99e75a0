#include "platform/cp1251.h"

#include <gtest/gtest.h>
#if defined(_WIN32)
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <QByteArray>
#include <QString>

namespace {

// The system's own converter is an independent statement of the code page: glibc's iconv, or
// Windows' code page 1251 itself.
#if defined(_WIN32)
QString IconvDecode(const QByteArray& in) {
  wchar_t out[16];
  const int n = MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, in.constData(),
                                    static_cast<int>(in.size()), out, 16);
  if (n <= 0) return QStringLiteral("<invalid>");
  return QString::fromWCharArray(out, n);
}
#else
QString IconvDecode(const QByteArray& in) {
  iconv_t cd = iconv_open("UTF-16LE", "CP1251");
  if (cd == reinterpret_cast<iconv_t>(-1)) return QStringLiteral("<no iconv>");
  QByteArray src = in;
  QByteArray dst(in.size() * 4 + 4, '\0');
  char* ip = src.data();
  char* op = dst.data();
  size_t il = static_cast<size_t>(src.size());
  size_t ol = static_cast<size_t>(dst.size());
  const size_t r = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return QStringLiteral("<invalid>");
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(dst.constData()),
                            (dst.size() - static_cast<qsizetype>(ol)) / 2);
}
#endif

TEST(Cp1251, EveryByteAgreesWithIconvAndRoundTrips) {
  for (int b = 0; b < 256; ++b) {
    const QByteArray one(1, static_cast<char>(b));
    const QString decoded = Cp1251ToString(one);
    ASSERT_EQ(decoded.size(), 1) << b;
    if (b != 0x98) {
      EXPECT_EQ(decoded, IconvDecode(one)) << "byte " << b;
    }
    EXPECT_EQ(StringToCp1251(decoded), one) << "byte " << b;
  }
}

TEST(Cp1251, RussianTextEncodesToItsBytes) {
  EXPECT_EQ(StringToCp1251(u"Стены"), QByteArray("\xD1\xF2\xE5\xED\xFB"));
  EXPECT_EQ(StringToCp1251(u"Ёё№€"), QByteArray("\xA8\xB8\xB9\x88"));
  EXPECT_EQ(Cp1251ToString(QByteArray("\xCF\xEE\xF1\xF2\xE0\xEC\xE5\xED\xF2")),
            QStringLiteral("Постамент"));
}

TEST(Cp1251, CharactersWithoutCodeBecomeOneQuestionMarkEach) {
  struct Case {
    QString text;
    QByteArray bytes;
  };
  const Case cases[] = {
      {QStringLiteral("日本"), "??"},
      {QString::fromUcs4(U"a\U0001F514b"), "a?b"},  // a pair of surrogates is one character
      {QString(QChar(0xD800)) + u'x', "?x"},        // a lone half
      {QString(QChar(0xDC00)), "?"},
      {QStringLiteral("ä"), "?"},
      {QString(QChar(0)) + u'z', QByteArray("\0z", 2)},  // NUL passes as a byte
  };
  for (const Case& c : cases) EXPECT_EQ(StringToCp1251(c.text), c.bytes) << c.text.toStdString();
}

// Text is converted several characters a step: a character beyond ASCII at any place of a text
// of any length, a pair of surrogates across the border of a step, and every byte beside ASCII
// come out as one at a time would give them.
TEST(Cp1251, EveryPlaceOfAnyLengthConverts) {
  const struct {
    QChar letter;
    char byte;
  } kOdd[] = {{QChar(0x0416), '\xC6'}, {QChar(0x0098), '\x98'}, {QChar(0x00A0), '\xA0'}, {QChar(0x2116), '\xB9'}};
  for (int n = 1; n <= 19; ++n) {
    for (int at = 0; at < n; ++at) {
      for (const auto& odd : kOdd) {
        QString text(n, u'a');
        QByteArray bytes(n, 'a');
        text[at] = odd.letter;
        bytes[at] = odd.byte;
        ASSERT_EQ(StringToCp1251(text), bytes) << n << " " << at;
        ASSERT_EQ(Cp1251ToString(bytes), text) << n << " " << at;
        QByteArray appended("k=");
        AppendCp1251(appended, text);
        ASSERT_EQ(appended, "k=" + bytes) << n << " " << at;
      }
    }
  }
  for (int at = 0; at < 9; ++at) {
    QString text = QString(10, u'b');
    text.insert(at, QString::fromUcs4(U"\U0001F514"));
    QByteArray bytes(10, 'b');
    bytes.insert(at, '?');
    EXPECT_EQ(StringToCp1251(text), bytes) << at;
  }
  EXPECT_EQ(Cp1251ToString({}), QString());
  EXPECT_EQ(StringToCp1251(QString()), QByteArray());
}

}  // namespace
