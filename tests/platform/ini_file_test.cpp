#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

struct ReadCase {
  const char* name;
  QByteArray file;
  const char16_t* section;
  const char16_t* key;
  QString expected;  // "<def>" when the default comes back
};

TEST(IniFileRead, WindowsRules) {
  const QString kDef = QStringLiteral("<def>");
  const ReadCase cases[] = {
      {"names ignore case", "[View]\r\nObjView=0\r\n", u"VIEW", u"objview", "0"},
      {"first key wins", "[A]\r\nk=1\r\nK=2\r\n", u"A", u"k", "1"},
      {"first section wins", "[A]\r\nk=1\r\n[a]\r\nk=2\r\nj=3\r\n", u"A", u"k", "1"},
      {"a later section of the same name is not read", "[A]\r\nk=1\r\n[a]\r\nj=3\r\n", u"A", u"j",
       "<def>"},
      {"value and key trimmed", "[A]\r\n  k \t=  v w \t \r\n", u"A", u"k", "v w"},
      {"no-break space is part of the value", "[A]\r\nk=\xA0x\xA0\r\n", u"A", u"k",
       QString(QChar(0xA0)) + u'x' + QChar(0xA0)},
      {"only the first = splits", "[A]\r\nk=a=b\r\n", u"A", u"k", "a=b"},
      {"bare LF line ends", "[A]\nk=1\nj=2\n", u"A", u"j", "2"},
      {"blanks inside the brackets", "[ A ]\r\nk=1\r\n", u"A", u"k", "1"},
      {"comment line is no key", "[A]\r\n;k=1\r\n", u"A", u";k", "<def>"},
      {"keys before any section belong to none", "k=1\r\n[A]\r\n", u"A", u"k", "<def>"},
      {"missing key", "[A]\r\nk=1\r\n", u"A", u"j", "<def>"},
      {"missing section", "[A]\r\nk=1\r\n", u"B", u"k", "<def>"},
      {"empty value is a value", "[A]\r\nk=\r\n", u"A", u"k", ""},
      {"a value of blanks alone is empty", "[A]\r\nk= \t \r\nj=\t\r\n", u"A", u"j", ""},
      {"a key of one blank after trimming is no key", "[A]\r\n \t=1\r\n", u"A", u" ", "<def>"},
      {"no closing bracket: no header", "[A]\r\n[B\r\nk=1\r\n", u"A", u"k", "1"},
      {"Cyrillic names ignore case", "[\xD1\xD2\xC5\xCD\xDB]\r\n\xEA\xEB=1\r\n", u"стены", u"КЛ",
       "1"},
      {"names mixing Latin and Cyrillic ignore case", "[Ab\xC1]\r\nkEY\xDF=2\r\n", u"aBб", u"KeYя", "2"},
      {"value in code page 1251", "[A]\r\nk=\xD1\xF2\xE5\xED\xFB\r\n", u"A", u"k",
       QStringLiteral("Стены")},
      {"last line without line end", "[A]\r\nk=7", u"A", u"k", "7"},
  };
  for (const ReadCase& c : cases) {
    const TIniFile ini(c.file);
    EXPECT_EQ(ini.ReadString(c.section, c.key, kDef), c.expected) << c.name;
  }
}

// Names as the Windows functions match them, beyond the common cases above: every blank they
// trim, letters of the code page beyond ASCII, characters a query may hold that fold to ASCII,
// and ASCII signs that differ from one another only in the bit that tells capitals.
TEST(IniFileRead, NamesMatchAsTheirFoldedForms) {
  const QString kDef = QStringLiteral("<def>");
  const ReadCase cases[] = {
      {"every blank trimmed from a key", "[A]\r\n\v\t k \f=1\r\n", u"A", u"k", "1"},
      {"every blank trimmed from a header", "\t[\f A \v]\t\r\nk=1\r\n", u"a", u"k", "1"},
      {"a query is trimmed too", "[A]\r\nk=1\r\n", u" A\t", u"\vk ", "1"},
      {"the no-break space is part of a key", "[A]\r\nk\xA0=1\r\n", u"A", u"k", "<def>"},
      {"the no-break space found as written", "[A]\r\nk\xA0=1\r\n", u"A", u"k\u00A0", "1"},
      {"a line without '=' is a key without value", "[A]\r\nword\r\n", u"A", u"WORD", ""},
      {"a line that starts with '=' has no key", "[A]\r\n=1\r\n", u"A", u"", "<def>"},
      {"Yo in both cases", "[\xA8\xB8]\r\n\xB8\xA8=1\r\n", u"ёЁ", u"Ёё", "1"},
      {"Belarusian and Ukrainian letters", "[\xA1\xA5\xAA\xB2]\r\nk=1\r\n", u"ўґєі", u"k", "1"},
      {"Ukrainian i and yi stay apart", "[A]\r\n\xB2=1\r\n", u"A", u"ї", "<def>"},
      {"a Kelvin sign finds k", "[A]\r\nk=1\r\n", u"A", u"\u212A", "1"},
      {"a long s finds S", "[Ma\x53]\r\nk=1\r\n", u"ma\u017F", u"K", "1"},
      {"@ is not `", "[A]\r\n@=1\r\n", u"A", u"`", "<def>"},
      {"[ is not {", "[A]\r\nx[=1\r\n", u"A", u"X{", "<def>"},
      {"^ is not ~", "[^]\r\nk=1\r\n", u"~", u"k", "<def>"},
      {"a key of a later section of the name stays unread", "[A]\r\n[a]\r\nk=1\r\n", u"A", u"k",
       "<def>"},
      {"a duplicate key in another case: the first", "[A]\r\nObjName=x\r\nOBJNAME=y\r\n", u"A",
       u"objname", "x"},
      {"a key given without value first: its empty value", "[A]\r\nk\r\nk=1\r\n", u"A", u"k", ""},
  };
  for (const ReadCase& c : cases) {
    const TIniFile ini(c.file);
    EXPECT_EQ(ini.ReadString(c.section, c.key, kDef), c.expected) << c.name;
    EXPECT_EQ(ini.KeyExists(c.section, c.key), c.expected != kDef) << c.name;
  }
}

// The walk of a section hands out every key line in order, duplicates included, the value as
// ReadString reads it; comments, blanks and lines of no key are left out.
TEST(IniFileRead, ForEachValueWalksTheFirstSectionOfTheName) {
  const TIniFile ini(
      "[A]\r\nb = 1 \r\nK=2\r\n;c=3\r\n\r\nword\r\n=5\r\nk=4\r\n[B]\r\nj=0\r\n[a]\r\nz=6\r\n");
  QStringList seen;
  ini.ForEachValue(u"a", [&](const TIniName& key, QStringView value) {
    seen << key.Text().toString() + u'|' + value.toString();
  });
  EXPECT_EQ(seen, QStringList({"b|1", "K|2", "word|", "k|4"}));
  int calls = 0;
  ini.ForEachValue(u"None", [&](const TIniName&, QStringView) { ++calls; });
  EXPECT_EQ(calls, 0);
}

// Thousands of sections, some named twice in another case: each is found, and the first of a
// name is the one read.
TEST(IniFileRead, EveryOneOfThousandsOfSectionsIsFound) {
  QByteArray bytes;
  for (int n = 0; n < 5000; ++n) bytes += "[Object" + QByteArray::number(n) + "]\r\nv=" + QByteArray::number(n) + "\r\n";
  for (int n = 0; n < 5000; n += 7) bytes += "[OBJECT" + QByteArray::number(n) + "]\r\nv=-1\r\nw=1\r\n";
  const TIniFile ini(bytes);
  for (int n = 0; n < 5000; ++n) {
    const QString name = QStringLiteral("object%1").arg(n);
    ASSERT_TRUE(ini.SectionExists(name)) << n;
    ASSERT_EQ(ini.ReadInteger(name, u"V", -7), n) << n;
    ASSERT_FALSE(ini.KeyExists(name, u"w")) << n;
  }
  EXPECT_FALSE(ini.SectionExists(u"Object5000"));
  EXPECT_EQ(ini.SectionNames().size(), 5000 + 715);
}

TEST(IniFileRead, ValuesAreCutAt2047Characters) {
  const QByteArray value(3000, 'x');
  const TIniFile ini("[A]\r\nk=  " + value + "  \r\nj=" + QByteArray(2047, 'y') + "\r\n");
  EXPECT_EQ(ini.ReadString(u"A", u"k").size(), 2047);
  EXPECT_EQ(ini.ReadString(u"A", u"j"), QString(2047, u'y'));
}

TEST(IniFileRead, Integers) {
  struct Case {
    const char* value;
    std::int32_t expected;  // -777 is the default
  };
  const Case cases[] = {
      {"0", 0},
      {"-15", -15},
      {"+7", 7},
      {"0042", 42},
      {"$FF", 255},
      {"$ff", 255},
      {"0x64", 100},
      {"0X64", 100},
      {"-$10", -16},
      {"-0x10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"2147483648", -777},
      {"-2147483649", -777},
      {"$FFFFFFFF", -1},
      {"$80000000", INT32_MIN},
      {"$100000000", -777},
      {"99999999999999999999999", -777},
      {"abc", -777},
      {"12abc", -777},
      {"1 2", -777},
      {"", -777},
      {"-", -777},
      {"$", -777},
      {"0x", -777},
      {"+-1", -777},
      {"1.0", -777},
      {"  12  ", 12},
      {"\xEF\xBC\x91", -777},  // not a digit in any code page reading
  };
  for (const Case& c : cases) {
    const TIniFile ini(QByteArray("[A]\r\nk=") + c.value + "\r\n");
    EXPECT_EQ(ini.ReadInteger(u"A", u"k", -777), c.expected) << c.value;
  }
  EXPECT_EQ(TIniFile().ReadInteger(u"A", u"k", 5), 5);
}

TEST(IniFileRead, ZeroXIsOptional) {
  EXPECT_EQ(ParseIniInteger(u"0x10", true), 16);
  EXPECT_EQ(ParseIniInteger(u"0x10", false), std::nullopt);
  EXPECT_EQ(ParseIniInteger(u"$10", false), 16);
  EXPECT_EQ(ParseIniInteger(u"0", false), 0);
}

TEST(IniFileRead, Booleans) {
  const TIniFile ini("[V]\r\na=1\r\nb=0\r\nc=2\r\nd=yes\r\ne=$0\r\n");
  EXPECT_TRUE(ini.ReadBool(u"V", u"a", false));
  EXPECT_FALSE(ini.ReadBool(u"V", u"b", true));
  EXPECT_TRUE(ini.ReadBool(u"V", u"c", false));
  EXPECT_TRUE(ini.ReadBool(u"V", u"d", true));  // not a number: the default
  EXPECT_FALSE(ini.ReadBool(u"V", u"d", false));
  EXPECT_FALSE(ini.ReadBool(u"V", u"e", true));
  EXPECT_TRUE(ini.ReadBool(u"V", u"missing", true));
}

TEST(IniFileRead, SectionExistsOnlyWithAKey) {
  const TIniFile ini("[Empty]\r\n[Comment]\r\n;x=1\r\n\r\n[Key]\r\nk=1\r\n[Bare]\r\nword\r\n");
  EXPECT_FALSE(ini.SectionExists(u"Empty"));
  EXPECT_FALSE(ini.SectionExists(u"Comment"));
  EXPECT_TRUE(ini.SectionExists(u"key"));
  EXPECT_TRUE(ini.SectionExists(u"Bare"));  // a line without '=' is a key without value
  EXPECT_FALSE(ini.SectionExists(u"Nowhere"));
  EXPECT_EQ(ini.SectionNames(), QStringList({"Empty", "Comment", "Key", "Bare"}));
}

TEST(IniFileWrite, NewFileIsCrLfInOrder) {
  TIniFile ini;
  ini.WriteBool(u"View", u"ObjView", true);
  ini.WriteInteger(u"View", u"ObjInsp", 0);
  ini.WriteString(u"Other", u"Name", u"Стены");
  ini.WriteInteger(u"view", u"Tools", -12);  // the existing section, whatever the case
  EXPECT_EQ(ini.ToBytes(), QByteArray("[View]\r\nObjView=1\r\nObjInsp=0\r\nTools=-12\r\n[Other]"
                                      "\r\nName=\xD1\xF2\xE5\xED\xFB\r\n"));
}

TEST(IniFileWrite, RewriteKeepsEverythingItDoesNotChange) {
  TIniFile ini(
      "; settings\r\n[View]\r\nobjview = 1\r\n; keep "
      "me\r\nTools=1\r\nobjview=9\r\n\r\n[Next]\r\nk=v\r\n");
  ini.WriteInteger(u"VIEW", u"ObjView", 0);  // the first of the two, keeping its spelling
  ini.WriteInteger(u"View", u"Bells", 1);    // after the last line, before the blank line
  ini.WriteString(u"Last", u"x", u"y");
  EXPECT_EQ(
      ini.ToBytes(),
      QByteArray(
          "; settings\r\n[View]\r\nobjview=0\r\n; keep me\r\nTools=1\r\nobjview=9\r\nBells=1\r\n"
          "\r\n[Next]\r\nk=v\r\n[Last]\r\nx=y\r\n"));
  EXPECT_EQ(ini.ReadInteger(u"View", u"objview", -1), 0);
  ini.WriteInteger(u"View", u"Bells", 0);  // a key added in memory is found again
  EXPECT_EQ(ini.ReadInteger(u"View", u"Bells", -1), 0);
}

// A key written into the first of two sections of a name moves every later line: the sections
// and keys after it are still found, and so is the key written.
TEST(IniFileWrite, LinesWrittenInTheMiddleKeepEveryLaterSectionFound) {
  TIniFile ini("[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n[a]\r\nk=3\r\n[C]\r\n");
  ini.WriteString(u"a", u"n", u"4");
  ini.WriteString(u"A", u"k", u"5");
  ini.WriteString(u"c", u"m", u"6");
  ini.WriteString(u"D", u"x", u"7");
  EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nk=5\r\nn=4\r\n\r\n[B]\r\nj=2\r\n[a]\r\nk=3\r\n[C]\r\nm=6\r\n"
                                      "[D]\r\nx=7\r\n"));
  EXPECT_EQ(ini.ReadString(u"B", u"j"), QStringLiteral("2"));
  EXPECT_EQ(ini.ReadString(u"A", u"N"), QStringLiteral("4"));
  EXPECT_EQ(ini.ReadString(u"A", u"K"), QStringLiteral("5"));
  EXPECT_EQ(ini.ReadString(u"C", u"m"), QStringLiteral("6"));
  EXPECT_EQ(ini.ReadString(u"d", u"X"), QStringLiteral("7"));
  EXPECT_TRUE(ini.SectionExists(u"C"));
  EXPECT_EQ(ini.SectionNames(), QStringList({"A", "B", "a", "C", "D"}));
  const TIniFile back(ini.ToBytes());
  EXPECT_EQ(back.ToBytes(), ini.ToBytes());
}

TEST(IniFileWrite, LineBreaksCannotForgeKeys) {
  TIniFile ini;
  ini.WriteString(u"A", u"ObjName", u"x\r\nObjType=1\ny");
  const TIniFile back(ini.ToBytes());
  EXPECT_EQ(back.ReadString(u"A", u"ObjName"), QStringLiteral("x  ObjType=1 y"));
  EXPECT_FALSE(back.KeyExists(u"A", u"ObjType"));
}

TEST(IniFileWrite, Cp1251RoundTripThroughAFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("view.ini"));
  TIniFile ini;
  ini.WriteString(u"Объект", u"Имя", u"Балка «№1» — 2€");
  ini.WriteString(u"Объект", u"Other", u"日本");
  QString error;
  ASSERT_TRUE(ini.SaveToFile(path, &error)) << error.toStdString();
  TIniFile back;
  ASSERT_TRUE(back.LoadFromFile(path, &error)) << error.toStdString();
  EXPECT_EQ(back.ReadString(u"объект", u"имя"), QStringLiteral("Балка «№1» — 2€"));
  EXPECT_EQ(back.ReadString(u"Объект", u"Other"), QStringLiteral("??"));
  EXPECT_EQ(back.ToBytes(), ini.ToBytes());
}

TEST(IniFileLoad, MissingFileFailsWithAMessage) {
  QTemporaryDir dir;
  TIniFile ini("[A]\r\nk=1\r\n");
  QString error;
  EXPECT_FALSE(ini.LoadFromFile(dir.filePath(QStringLiteral("none.ini")), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("none.ini")));
  EXPECT_FALSE(ini.SectionExists(u"A"));
}

// Whatever the bytes, parsing and writing back terminate, and the written form is a fixed point.
TEST(IniFileRead, ArbitraryBytesAreSafe) {
  QRandomGenerator rng(1251);
  const char alphabet[] = "[]=;\r\n \tab\x98\xFF\xC0$0x-";
  for (int round = 0; round < 3000; ++round) {
    QByteArray bytes(static_cast<qsizetype>(rng.bounded(200)), '\0');
    for (char& c : bytes) {
      c = rng.bounded(4) == 0 ? static_cast<char>(rng.bounded(256))
                              : alphabet[rng.bounded(static_cast<int>(sizeof alphabet - 1))];
    }
    const TIniFile ini(bytes);
    for (const QString& s : ini.SectionNames()) {
      (void)ini.ReadInteger(s, u"a", 0);
      (void)ini.SectionExists(s);
    }
    const QByteArray once = ini.ToBytes();
    ASSERT_EQ(TIniFile(once).ToBytes(), once) << bytes.toHex().toStdString();
  }
}

}  // namespace
