#include "platform/ini_name.h"

#include <gtest/gtest.h>

namespace {

// Names are the same exactly when their case-folded forms are; equal names hash alike.
TEST(IniName, SameExactlyWhenTheFoldedFormsAre) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    bool same;
  };
  const Case cases[] = {
      {u"ObjName", u"objname", true},
      {u"ObjName", u"OBJNAME", true},
      {u" \tObjName\f\v", u"objname", true},  // trimmed of every blank the INI functions trim
      {u"ObjName", u"ObjNam", false},
      {u"ObjName", u"ObjNamf", false},
      {u"", u" \t", true},
      // ASCII characters 0x20 apart that are not letters stay apart.
      {u"@", u"`", false},
      {u"[", u"{", false},
      {u"^", u"~", false},
      {u"_", u"\x7f", false},
      {u"a1", u"a\x11", false},
      // Letters of the code page beyond ASCII.
      {u"Стены", u"СТЕНЫ", true},
      {u"Ёж", u"ёЖ", true},
      {u"Ўў", u"ўЎ", true},
      {u"Ґє", u"ґЄ", true},
      {u"Іі", u"ії", false},
      {u"kЯ", u"Kя", true},
      // Characters that fold to ASCII letters match those letters.
      {u"\u212A", u"k", true},  // Kelvin sign
      {u"\u212A", u"K", true},
      {u"Ma\u017F", u"MAS", true},  // long s
      {u"\u00A0k", u"k", false},  // the no-break space is part of a name
      {u"\u00C4", u"\u00E4", true},
  };
  for (const Case& c : cases) {
    const TIniName a(c.a), b(c.b);
    EXPECT_EQ(a == b, c.same) << QString::fromUtf16(c.a).toStdString() << " / "
                              << QString::fromUtf16(c.b).toStdString();
    EXPECT_EQ(b == a, c.same) << QString::fromUtf16(c.b).toStdString();
    if (c.same) {
      EXPECT_EQ(a.Hash(), b.Hash()) << QString::fromUtf16(c.a).toStdString();
    }
  }
}

TEST(IniName, TextIsTrimmedAsWritten) {
  EXPECT_EQ(TIniName(u"  Obj Name\t").Text(), u"Obj Name");
  EXPECT_TRUE(TIniName(u"ObjName").IsAscii());
  EXPECT_FALSE(TIniName(u"Стены").IsAscii());
}

// Names of every length up to a few steps of four, differing in one place, stay apart.
TEST(IniName, EveryPlaceOfALongNameCounts) {
  for (int n = 1; n <= 13; ++n) {
    const QString base(n, u'a');
    for (int at = 0; at < n; ++at) {
      QString other = base;
      other[at] = u'B';
      EXPECT_FALSE(TIniName(base) == TIniName(other)) << n << " " << at;
      QString upper = base;
      upper[at] = u'A';
      EXPECT_TRUE(TIniName(base) == TIniName(upper)) << n << " " << at;
      EXPECT_EQ(TIniName(base).Hash(), TIniName(upper).Hash()) << n << " " << at;
    }
  }
}

}  // namespace
