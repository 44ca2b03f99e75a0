#include "document/document_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

#include "document/point_text.h"
#include "platform/cp1251.h"
#include "platform/ini_file.h"
#include "support/test_files.h"

namespace {

TPlanObject Walls() {
  TPlanObject o;
  o.ObjName = QStringLiteral("Стены");
  o.ObjType = okWalls;
  o.WallType = 2;
  o.WallMaterial = 3;
  o.WallDiameterOuter = 7000;
  o.WallDiameterInner = 5000;
  o.WallWallWidth = 1000;
  o.WallArcWidth = 1200;
  return o;
}

TPlanObject Post() {
  TPlanObject o;
  o.ObjName = QStringLiteral("Постамент");
  o.ObjType = okPost;
  o.PostAngle = 90;
  o.PostWidth = 1700;
  o.PostHeight = 900;
  o.PostBoardDiameter = 300;
  o.PostPosition = {3500, 5200};
  return o;
}

TPlanObject Bell(const QString& name, std::int32_t diameter, QPoint at, bool visible = true) {
  TPlanObject o;
  o.ObjName = name;
  o.ObjType = okBell;
  o.ObjVisible = visible;
  o.BellDiameter = diameter;
  o.BellPosition = at;
  return o;
}

TPlanObject Beam(const QString& name, std::int32_t orientation, QPoint from, QPoint to) {
  TPlanObject o;
  o.ObjName = name;
  o.ObjType = okBeam;
  o.BeemMaterial = 5;
  o.BeemWidth = 150;
  o.BeemOrientation = orientation;
  o.BeemBeginPoint = from;
  o.BeemEndPoint = to;
  return o;
}

std::vector<TPlanObject> SamplePlan() {
  std::vector<TPlanObject> plan = {Walls(),
                                   Post(),
                                   Bell(QStringLiteral("Колокол"), 500, {1000, -20}),
                                   Beam(QStringLiteral("Балка"), 5, {1800, 750}, {3800, 4850}),
                                   Bell(QStringLiteral("Колокол1"), 1960, {2000, 2100}, false),
                                   Beam(QStringLiteral("Балка"), 0, {-300, 10}, {7200, 6900})};
  for (std::size_t i = 0; i < plan.size(); ++i) plan[i].CreateIndex = static_cast<std::int32_t>(i);
  return plan;
}

// The stored fields of a record, in document order, for whole-record comparison.
QString Stored(const TPlanObject& o) {
  QStringList f = {o.ObjName, QString::number(o.ObjType), QString::number(o.ObjVisible),
                   QString::number(o.CreateIndex)};
  for (std::int32_t v : {std::int32_t{o.WallType},
                         o.WallMaterial,
                         o.WallDiameterOuter,
                         o.WallDiameterInner,
                         o.WallWallWidth,
                         o.WallArcWidth,
                         o.BellDiameter,
                         o.BellPosition.x(),
                         o.BellPosition.y(),
                         o.PostAngle,
                         o.PostWidth,
                         o.PostHeight,
                         o.PostBoardDiameter,
                         o.PostPosition.x(),
                         o.PostPosition.y(),
                         o.BeemMaterial,
                         o.BeemWidth,
                         o.BeemOrientation,
                         o.BeemBeginPoint.x(),
                         o.BeemBeginPoint.y(),
                         o.BeemEndPoint.x(),
                         o.BeemEndPoint.y()}) {
    f << QString::number(v);
  }
  return f.join(u'|');
}

QByteArray Cp(const char* utf8) { return StringToCp1251(QString::fromUtf8(utf8)); }

const QByteArray kMinimal = "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\n";

TEST(DocumentFile, RoundTripKeepsEveryStoredField) {
  const std::vector<TPlanObject> plan = SamplePlan();
  const TDocumentContent back = ParseDocument(DocumentToBytes(plan));
  ASSERT_TRUE(back.Ok()) << back.Error.toStdString();
  ASSERT_EQ(back.Objects.size(), plan.size());
  for (std::size_t i = 0; i < plan.size(); ++i)
    EXPECT_EQ(Stored(back.Objects[i]), Stored(plan[i])) << i;
  EXPECT_EQ(back.Objects[0].Layer, nullptr);
}

TEST(DocumentFile, NewDocumentIsWrittenKeyByKey) {
  TPlanObject walls;
  walls.ObjName = QStringLiteral("Стены");
  walls.WallDiameterOuter = 5600;
  walls.WallDiameterInner = 4000;
  walls.WallWallWidth = 800;
  walls.WallArcWidth = 1500;
  TPlanObject post;
  post.ObjName = QStringLiteral("Постамент");
  post.ObjType = okPost;
  post.PostWidth = 1800;
  post.PostHeight = 800;
  post.PostBoardDiameter = 250;
  post.PostPosition = {2800, 4200};
  const QByteArray bytes = DocumentToBytes(std::vector<TPlanObject>{walls, post});
  const QByteArray expected = Cp(
      "[Application]\r\nVersion=Тарвоск 1.0.3a - Орвелин\r\n"
      "[Object0]\r\nObjName=Стены\r\nObjType=0\r\nObjVisible=1\r\nWallType=0\r\nWallMaterial=0\r\n"
      "WallDiameterOuter_R=5600\r\nWallDiameterInner_R=4000\r\nWallWallWidth_R=800\r\nWallArcWidth_"
      "R=1500\r\n"
      "BellDiameter_R=0\r\nBellPosition_R=0,0\r\nPostAngle=0\r\nPostWidth_R=0\r\nPostHeight_R=0\r\n"
      "PostBoardDiameter_R=0\r\nPostPosition_R=0,0\r\nBeemMaterial=0\r\nBeemWidth_R="
      "0\r\nBeemOrientation=0\r\n"
      "BeemBeginPoint_R=0,0\r\nBeemEndPoint_R=0,0\r\n"
      "[Object1]\r\nObjName=Постамент\r\nObjType=3\r\nObjVisible=1\r\nWallType=0\r\nWallMaterial="
      "0\r\n"
      "WallDiameterOuter_R=0\r\nWallDiameterInner_R=0\r\nWallWallWidth_R=0\r\nWallArcWidth_R=0\r\n"
      "BellDiameter_R=0\r\nBellPosition_R=0,0\r\nPostAngle=0\r\nPostWidth_R=1800\r\nPostHeight_R="
      "800\r\n"
      "PostBoardDiameter_R=250\r\nPostPosition_R=2800,4200\r\nBeemMaterial=0\r\nBeemWidth_R=0\r\n"
      "BeemOrientation=0\r\nBeemBeginPoint_R=0,0\r\nBeemEndPoint_R=0,0\r\n");
  EXPECT_EQ(bytes, expected);
}

TEST(DocumentFile, MissingKeysTakeTheirDefaults) {
  const TDocumentContent d = ParseDocument(kMinimal + "[Object2]\r\nObjName=b\r\n");
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  ASSERT_EQ(d.Objects.size(), 3u);
  const TPlanObject& w = d.Objects[0];
  EXPECT_EQ(w.ObjName, QString());
  EXPECT_TRUE(w.ObjVisible);
  EXPECT_EQ(QList<int>({w.WallDiameterOuter, w.WallDiameterInner, w.WallWallWidth, w.WallArcWidth}),
            QList<int>({5600, 4000, 800, 1500}));
  const TPlanObject& p = d.Objects[1];
  EXPECT_EQ(QList<int>({p.PostWidth, p.PostHeight, p.PostBoardDiameter, p.PostAngle}),
            QList<int>({1800, 800, 250, 0}));
  EXPECT_EQ(p.PostPosition, QPoint(0, 0));
  const TPlanObject& b = d.Objects[2];
  EXPECT_EQ(b.ObjType, okBeam);  // no ObjType: a beam
  EXPECT_EQ(QList<int>({b.BeemMaterial, b.BeemWidth, b.BeemOrientation}), QList<int>({2, 100, 0}));
}

TEST(DocumentFile, ValueEncodings) {
  struct Case {
    const char* name;
    QByteArray object2;  // keys of a beam in section Object2
    std::int32_t TPlanObject::*field;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"not an integer: default", "BeemWidth_R=abc", &TPlanObject::BeemWidth, 100},
      {"0x hexadecimal", "BeemWidth_R=0x64", &TPlanObject::BeemWidth, 100},
      {"$ hexadecimal", "BeemWidth_R=$64", &TPlanObject::BeemWidth, 100},
      {"negative", "BeemWidth_R=-5", &TPlanObject::BeemWidth, -5},
      {"blanks around the value", "BeemWidth_R=  77  ", &TPlanObject::BeemWidth, 77},
      {"key in other case", "beemwidth_r=66", &TPlanObject::BeemWidth, 66},
      {"overflow: default", "BeemWidth_R=4294967296", &TPlanObject::BeemWidth, 100},
      {"not a bell: no diameter", "BellDiameter_R=500", &TPlanObject::BellDiameter, 0},
      {"orientation outside the chords stays as stored", "BeemOrientation=25",
       &TPlanObject::BeemOrientation, 25},
      {"orientation kept", "BeemOrientation=24", &TPlanObject::BeemOrientation, 24},
      {"material without a picture", "BeemMaterial=8", &TPlanObject::BeemMaterial, 2},
      {"negative material", "BeemMaterial=-1", &TPlanObject::BeemMaterial, 2},
      {"a walls material draws on a beam too", "BeemMaterial=1", &TPlanObject::BeemMaterial, 1},
      {"material kept", "BeemMaterial=7", &TPlanObject::BeemMaterial, 7},
      {"other kinds' values stay as read", "WallMaterial=99", &TPlanObject::WallMaterial, 99},
  };
  for (const Case& c : cases) {
    const TDocumentContent d =
        ParseDocument(kMinimal + "[Object2]\r\nObjType=2\r\n" + c.object2 + "\r\n");
    ASSERT_TRUE(d.Ok()) << c.name << ": " << d.Error.toStdString();
    EXPECT_EQ(d.Objects[2].*c.field, c.expected) << c.name;
  }
}

// An object's keys are found as the INI functions find them, in any order and spelling, the
// first of a name read; a name that only looks like a key is another key.
TEST(DocumentFile, KeysAreFoundAsTheIniFunctionsFindThem) {
  struct Case {
    const char* name;
    QByteArray object2;  // lines of a beam in section Object2
    std::int32_t expected;  // its width; 100 when left to the default
  };
  const Case cases[] = {
      {"the first of two keys of a name", "BeemWidth_R=55\r\nBEEMWIDTH_R=66", 55},
      {"the first even when it is no number", "BeemWidth_R=x\r\nBeemWidth_R=66", 100},
      {"the first even without a value", "BeemWidth_R\r\nBeemWidth_R=66", 100},
      {"after the keys that follow it in a saved file", "BeemEndPoint_R=1,1\r\nObjName=b\r\nBeemWidth_R=44", 44},
      {"every blank around the key", "\t\v BeemWidth_R \f=33", 33},
      {"a no-break space makes another key", "BeemWidth_R\xA0=33", 100},
      {"a key one letter short", "BeemWidth_=33", 100},
      {"a key one letter long", "BeemWidth_RR=33", 100},
      {"a commented key", ";BeemWidth_R=33", 100},
      {"beside keys the document does not know", "Comment=\xD1\xF2\r\n\xC1=1\r\nbeemwidth_r=22", 22},
  };
  for (const Case& c : cases) {
    const TDocumentContent d =
        ParseDocument(kMinimal + "[Object2]\r\nObjType=2\r\n" + c.object2 + "\r\n");
    ASSERT_TRUE(d.Ok()) << c.name << ": " << d.Error.toStdString();
    EXPECT_EQ(d.Objects[2].BeemWidth, c.expected) << c.name;
  }
}

TEST(DocumentFile, KindsWallTypesAndVisibility) {
  const TDocumentContent d = ParseDocument(
      "[Object0]\r\nObjType=7\r\nWallType=5\r\nWallMaterial=6\r\nObjVisible=0\r\n"
      "[Object1]\r\nObjType=4\r\nObjVisible=yes\r\nWallType=2\r\n"
      "[Object2]\r\nObjType=1\r\nBellDiameter_R=500\r\nObjVisible=2\r\n");
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  EXPECT_EQ(d.Objects[0].ObjType, okWalls);
  EXPECT_EQ(d.Objects[0].WallType, 0);
  EXPECT_EQ(d.Objects[0].WallMaterial, 6);  // a beam's picture, drawn as stored
  EXPECT_FALSE(d.Objects[0].ObjVisible);
  EXPECT_EQ(d.Objects[1].ObjType, okPost);
  EXPECT_TRUE(d.Objects[1].ObjVisible);
  EXPECT_EQ(d.Objects[1].WallType, 2);
  EXPECT_EQ(d.Objects[2].ObjType, okBell);
  EXPECT_EQ(d.Objects[2].BellDiameter, 500);
  EXPECT_TRUE(d.Objects[2].ObjVisible);
}

TEST(DocumentFile, ReadingStopsAtTheFirstGap) {
  const TDocumentContent d = ParseDocument(
      kMinimal +
      "[Object3]\r\nObjType=1\r\n[Object2]\r\n; only a comment\r\n[Object4]\r\nObjType=2\r\n");
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  EXPECT_EQ(d.Objects.size(), 2u);
}

TEST(DocumentFile, StoredNamesAreKeptForTheNamingRule) {
  const TDocumentContent d =
      ParseDocument(kMinimal + Cp("[Object2]\r\nObjName=Балка\r\n[Object3]\r\nObjName=Балка\r\n"));
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  EXPECT_EQ(d.Objects[2].ObjName, QStringLiteral("Балка"));
  EXPECT_EQ(d.Objects[3].ObjName, QStringLiteral("Балка"));
  EXPECT_EQ(d.Objects[3].CreateIndex, 3);
}

TEST(DocumentFile, HandWrittenFileLoads) {
  const TDocumentContent d = ParseDocument(Cp(
      "; made by hand\n[application]\nversion=whatever\n\n[OBJECT0]\nobjname = Стены \nobjtype=0\n"
      "wallDiameterOuter_r=6000\n\n[object1]\nObjType=3\npostposition_r=3000,4700\n"));
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  EXPECT_EQ(d.Objects[0].ObjName, QStringLiteral("Стены"));
  EXPECT_EQ(d.Objects[0].WallDiameterOuter, 6000);
  EXPECT_EQ(d.Objects[1].PostPosition, QPoint(3000, 4700));
}

TEST(DocumentFile, BrokenPointsStopTheOpening) {
  struct Case {
    QByteArray line;
    QString message;
  };
  const Case cases[] = {
      {"BeemBeginPoint_R=12", "'' is not a valid integer value"},
      {"BellPosition_R=1,x", "'x' is not a valid integer value"},
      {"PostPosition_R=q,1", "'q' is not a valid integer value"},
      {"BeemEndPoint_R=1,99999999999", "'99999999999' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    const TDocumentContent d =
        ParseDocument(kMinimal + "[Object2]\r\nObjType=2\r\n" + c.line + "\r\n");
    // the integer's message stays the first line; the second names the section and the key
    const QStringList lines = d.Error.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << d.Error.toStdString();
    EXPECT_EQ(lines[0], c.message) << c.line.constData();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Раздел [Object2], ключ ") +
                                    QString::fromLatin1(c.line).replace(u'=', QStringLiteral(" = "))))
        << lines[1].toStdString();
    EXPECT_TRUE(d.Objects.empty());
  }
  // An empty point is (0, 0), not an error.
  const TDocumentContent ok =
      ParseDocument(kMinimal + "[Object2]\r\nBeemBeginPoint_R=\r\nBeemEndPoint_R=1,2,3\r\n");
  ASSERT_TRUE(ok.Ok()) << ok.Error.toStdString();
  EXPECT_EQ(ok.Objects[2].BeemBeginPoint, QPoint(0, 0));
  EXPECT_EQ(ok.Objects[2].BeemEndPoint, QPoint(1, 23));
}

// Sizes the plan cannot draw, and bells that cannot stand on the plan, do not
// cost the user the rest of the document.
TEST(DocumentFile, StrayValuesOpenTheRestOfThePlan) {
  struct Case {
    const char* name;
    QByteArray file;
    std::size_t objects;
    const char* warns;  // empty: no warning
  };
  const Case cases[] = {
      {"no outer diameter", "[Object0]\r\nObjType=0\r\nWallDiameterOuter_R=0\r\n[Object1]\r\nObjType=3\r\n", 2,
       "Внешний диаметр стен: 0 мм заменено на 1200 мм."},
      {"negative outer diameter",
       "[Object0]\r\nObjType=0\r\nWallDiameterOuter_R=-5600\r\n[Object1]\r\nObjType=3\r\n", 2,
       "Внешний диаметр стен: -5600 мм заменено на 1200 мм."},
      {"huge pedestal", "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostWidth_R=$7FFFFFFF\r\n", 2,
       "Длина постамента: 2147483647 мм заменено на 2500 мм."},
      {"sizes beyond the edit limits draw as stored",
       "[Object0]\r\nObjType=0\r\nWallDiameterOuter_R=20000\r\nWallWallWidth_R=50\r\nWallArcWidth_R=20\r\n"
       "[Object1]\r\nObjType=3\r\nPostWidth_R=300\r\nPostAngle=400\r\n",
       2, ""},
      {"two bells of one diameter",
       kMinimal + "[Object2]\r\nObjType=1\r\nBellDiameter_R=500\r\nObjName=A\r\n[Object3]\r\nObjType=2\r\n"
                  "[Object4]\r\nObjType=1\r\nBellDiameter_R=500\r\nObjName=B\r\n",
       4, "Раздел [Object4], ключ BellDiameter_R = 500. Колокол «B» не открыт: колокол того же диаметра уже стоит в разделе [Object2]."},
  };
  for (const Case& c : cases) {
    const TDocumentContent d = ParseDocument(c.file);
    ASSERT_TRUE(d.Ok()) << c.name << ": " << d.Error.toStdString();
    EXPECT_EQ(d.Objects.size(), c.objects) << c.name;
    if (*c.warns) {
      ASSERT_EQ(d.Warnings.size(), 1) << c.name;
      EXPECT_TRUE(d.Warnings[0].contains(QString::fromUtf8(c.warns))) << d.Warnings[0].toStdString();
    } else {
      EXPECT_TRUE(d.Warnings.isEmpty()) << c.name;
    }
  }
}

TEST(DocumentFile, FilesThatAreNoPlanAreRefused) {
  struct Case {
    const char* name;
    QByteArray file;
    const char* says;
  };
  const Case cases[] = {
      {"empty file", "", "[Object0] должны быть стены"},
      {"a random text file", "hello\r\nworld\r\n", "[Object0] должны быть стены"},
      {"no Object0", "[Object1]\r\nObjType=3\r\n", "[Object0] должны быть стены"},
      {"Object0 is a bell", "[Object0]\r\nObjType=1\r\n[Object1]\r\nObjType=3\r\n",
       "[Object0] должны быть стены"},
      {"Object0 without ObjType is a beam", "[Object0]\r\nObjName=x\r\n[Object1]\r\nObjType=3\r\n",
       "[Object0] должны быть стены"},
      {"no Object1", "[Object0]\r\nObjType=0\r\n", "[Object1] должен быть постамент"},
      {"Object1 is walls", "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=0\r\n",
       "[Object1] должен быть постамент"},
      {"second walls", kMinimal + "[Object2]\r\nObjType=0\r\n",
       "[Object2] стены или постамент"},
      {"second pedestal", kMinimal + "[Object2]\r\nObjType=2\r\n[Object3]\r\nObjType=4\r\n",
       "[Object3] стены или постамент"},
      {"bell far outside",
       kMinimal + "[Object2]\r\nObjType=1\r\nBellDiameter_R=500\r\nBellPosition_R=0,2000000000\r\n",
       "Раздел [Object2], ключ BellPosition_R = 0,2000000000. Число 2000000000 мм"},
  };
  for (const Case& c : cases) {
    const TDocumentContent d = ParseDocument(c.file);
    EXPECT_FALSE(d.Ok()) << c.name;
    EXPECT_TRUE(d.Objects.empty()) << c.name;
    EXPECT_TRUE(d.Error.contains(QString::fromUtf8(c.says))) << c.name << ": " << d.Error.toStdString();
  }
}

TEST(DocumentFile, BellsMustBeInTheCatalogueWhenOneIsGiven) {
  const std::int32_t catalogue[] = {500, 1950, 1960};
  const QByteArray file = kMinimal + "[Object2]\r\nObjType=1\r\nBellDiameter_R=%1\r\n";
  EXPECT_TRUE(ParseDocument(QString::fromLatin1(file).arg(1950).toLatin1(), catalogue).Ok());
  const TDocumentContent d =
      ParseDocument(QString::fromLatin1(file).arg(1955).toLatin1(), catalogue);
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  ASSERT_EQ(d.Warnings.size(), 1);
  EXPECT_TRUE(d.Warnings[0].contains(QStringLiteral("диаметром 1955 мм"))) << d.Warnings[0].toStdString();
  EXPECT_EQ(d.Objects.size(), 2u);  // the walls and the pedestal open, the stray bell is left out
  EXPECT_TRUE(ParseDocument(QString::fromLatin1(file).arg(1955).toLatin1())
                  .Ok());  // no catalogue: unchecked
}

// Each note of an opening names the file, the object's section and the key with its value, so
// that the line can be found in a text editor; the objects named are the ones the note is about.
TEST(DocumentFile, NotesNameTheFileTheSectionAndTheKey) {
  const std::int32_t catalogue[] = {500, 1950, 1960};
  struct Case {
    const char* name;
    QByteArray objects;  // after the walls and the pedestal
    const char* walls;   // keys of the walls
    const char* note;    // the whole line
  };
  const Case cases[] = {
      {"a bell outside the catalogue", "[Object2]\r\nObjType=1\r\nObjName=A\r\nBellDiameter_R=777\r\n", "",
       "Файл «hand.tarvosk», раздел [Object2], ключ BellDiameter_R = 777. Колокол «A» не открыт: в "
       "каталоге нет колокола диаметром 777 мм."},
      {"a second bell of one diameter, after a beam",
       "[Object2]\r\nObjType=1\r\nObjName=A\r\nBellDiameter_R=500\r\n[Object3]\r\nObjType=2\r\n"
       "[Object4]\r\nObjType=1\r\nObjName=B\r\nBellDiameter_R=500\r\n",
       "",
       "Файл «hand.tarvosk», раздел [Object4], ключ BellDiameter_R = 500. Колокол «B» не открыт: "
       "колокол того же диаметра уже стоит в разделе [Object2]."},
      {"a walls size the plan cannot draw", "", "WallWallWidth_R=-3\r\n",
       "Файл «hand.tarvosk», раздел [Object0], ключ WallWallWidth_R = -3. Толщина стен: -3 мм "
       "заменено на 100 мм."},
      {"a beam material without a picture, after a left-out bell",
       "[Object2]\r\nObjType=1\r\nBellDiameter_R=1\r\n[Object3]\r\nObjType=2\r\nObjName=Q\r\nBeemMaterial=42\r\n",
       "", nullptr},
      {"a chord taken twice",
       "[Object2]\r\nObjType=2\r\nObjName=L\r\nBeemOrientation=3\r\n[Object3]\r\nObjType=2\r\nObjName=M\r\n"
       "BeemOrientation=3\r\n",
       "",
       "Файл «hand.tarvosk», раздел [Object3], ключ BeemOrientation = 3. Балка «M» лежала на "
       "занятой хорде 3: она стала свободной."},
  };
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("hand.tarvosk"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteAll(path, "[Object0]\r\nObjType=0\r\n" + QByteArray(c.walls) +
                                   "[Object1]\r\nObjType=3\r\n" + c.objects));
    const TDocumentContent d = ReadDocumentFile(path, catalogue);
    ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
    ASSERT_FALSE(d.Warnings.isEmpty());
    const QString last = d.Warnings.last();
    if (c.note) {
      EXPECT_EQ(last, QString::fromUtf8(c.note));
    } else {
      // the section is the one in the file, not the object's place among those that opened
      EXPECT_TRUE(last.startsWith(QStringLiteral(
          "Файл «hand.tarvosk», раздел [Object3], ключ BeemMaterial = 42. Материал балки «Q» 42 неизвестен")))
          << last.toStdString();
    }
  }
  // bytes of no file name no file
  const TDocumentContent bytes =
      ParseDocument(kMinimal + "[Object2]\r\nObjType=1\r\nBellDiameter_R=777\r\n", catalogue);
  ASSERT_EQ(bytes.Warnings.size(), 1);
  EXPECT_TRUE(bytes.Warnings[0].startsWith(QStringLiteral("Раздел [Object2], ключ BellDiameter_R = 777. ")))
      << bytes.Warnings[0].toStdString();
  // a broken point: the integer's message, then the place with the file
  ASSERT_TRUE(WriteAll(path, kMinimal + "[Object2]\r\nObjType=2\r\nBeemEndPoint_R=5\r\n"));
  EXPECT_EQ(ReadDocumentFile(path).Error,
            QStringLiteral("'' is not a valid integer value\nФайл «hand.tarvosk», раздел [Object2], ключ "
                           "BeemEndPoint_R = 5. Точка пишется двумя целыми числами через запятую, "
                           "например 2800,4200; документ не открыт."));
}

TEST(DocumentFile, SaveAndReadAFile) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("план.tarvosk"));
  std::vector<std::unique_ptr<TPlanObject>> objects;
  for (const TPlanObject& o : SamplePlan()) objects.push_back(std::make_unique<TPlanObject>(o));
  ASSERT_EQ(SaveDocumentFile(path, objects), QString());
  const TDocumentContent d = ReadDocumentFile(path);
  ASSERT_TRUE(d.Ok()) << d.Error.toStdString();
  EXPECT_EQ(d.Objects.size(), objects.size());

  const QString missing = dir.filePath(QStringLiteral("none.tarvosk"));
  const TDocumentContent m = ReadDocumentFile(missing);
  EXPECT_TRUE(m.Error.startsWith(QStringLiteral("Не удалось открыть файл «") + missing))
      << m.Error.toStdString();
  EXPECT_TRUE(ReadDocumentFile(dir.path()).Objects.empty());  // a folder is not a document
  EXPECT_EQ(
      SaveDocumentFile(dir.filePath(QStringLiteral("no/such.tarvosk")), objects),
      QStringLiteral("Unable to write to ") +
          QDir::toNativeSeparators(dir.filePath(QStringLiteral("no/such.tarvosk"))));
}

// Damage anywhere in a good document gives either a whole plan that keeps the index invariants
// or a message with nothing at all.
TEST(DocumentFile, DamagedDocumentsAreAllOrNothing) {
  const QByteArray good = DocumentToBytes(SamplePlan());
  QRandomGenerator rng(7);
  const char junk[] = "[]=,$x-0\r\n";
  int refused = 0;
  for (int round = 0; round < 1500; ++round) {
    QByteArray bytes = good;
    const int edits = 1 + static_cast<int>(rng.bounded(6));
    for (int e = 0; e < edits; ++e) {
      const qsizetype at = rng.bounded(bytes.size());
      switch (rng.bounded(3)) {
        case 0:
          bytes[at] = junk[rng.bounded(static_cast<int>(sizeof junk - 1))];
          break;
        case 1:
          bytes.remove(at, 1 + rng.bounded(40));
          break;
        default:
          bytes.insert(at, static_cast<char>(rng.bounded(256)));
      }
    }
    const TDocumentContent d = ParseDocument(bytes);
    if (!d.Ok()) {
      ++refused;
      ASSERT_TRUE(d.Objects.empty());
      continue;
    }
    ASSERT_GE(d.Objects.size(), 2u);
    ASSERT_EQ(d.Objects[0].ObjType, okWalls);
    ASSERT_EQ(d.Objects[1].ObjType, okPost);
    // the walls' sizes are clamped by the window; what must hold here is one bell per diameter
    QSet<std::int32_t> diameters;
    for (std::size_t i = 2; i < d.Objects.size(); ++i) {
      if (d.Objects[i].ObjType == okBell) {
        ASSERT_FALSE(diameters.contains(d.Objects[i].BellDiameter));
        diameters.insert(d.Objects[i].BellDiameter);
      }
      ASSERT_TRUE(d.Objects[i].ObjType == okBell || d.Objects[i].ObjType == okBeam);
      if (d.Objects[i].ObjType == okBeam) {
        ASSERT_GE(d.Objects[i].BeemOrientation, 0);
        ASSERT_LE(d.Objects[i].BeemOrientation, 24);
      }
    }
  }
  EXPECT_GT(refused, 0);
}

}  // namespace

namespace {

// The document is written straight, not through the INI writer; what it writes must be exactly
// what the INI writer makes of the same keys in the same order, for every name a user or a
// hand-edited file can give an object.
TEST(DocumentFile, WrittenAsTheIniWriterWritesTheSameKeys) {
  const QString names[] = {QString(), QStringLiteral("Колокол"), QStringLiteral("two\r\nlines"), QStringLiteral("a=b[c]"),
                           QStringLiteral("  padded  "), QStringLiteral("tab\there"), QString(QChar(0xD83D)),
                           QStringLiteral("€ and 😀"), QString(300, u'я')};
  std::vector<TPlanObject> objects(2);
  objects[0].ObjType = okWalls;
  objects[1].ObjType = okPost;
  objects[1].PostPosition = QPoint(-7, 2800);
  for (const QString& name : names) {
    TPlanObject b;
    b.ObjType = okBeam;
    b.ObjName = name;
    b.ObjVisible = false;
    b.BeemBeginPoint = QPoint(-2147483647 - 1, 2147483647);
    b.BeemOrientation = 13;
    objects.push_back(b);
  }
  TIniFile ini;
  ini.WriteString(u"Application", u"Version", DocumentVersionText());
  for (std::size_t n = 0; n < objects.size(); ++n) {
    const QString s = QStringLiteral("Object%1").arg(n);
    const TPlanObject& o = objects[n];
    ini.WriteString(s, u"ObjName", o.ObjName);
    ini.WriteInteger(s, u"ObjType", KindToFileType(o.ObjType));
    ini.WriteBool(s, u"ObjVisible", o.ObjVisible);
    for (auto [key, v] : {std::pair{u"WallType", int(o.WallType)}, {u"WallMaterial", o.WallMaterial},
                          {u"WallDiameterOuter_R", o.WallDiameterOuter}, {u"WallDiameterInner_R", o.WallDiameterInner},
                          {u"WallWallWidth_R", o.WallWallWidth}, {u"WallArcWidth_R", o.WallArcWidth},
                          {u"BellDiameter_R", o.BellDiameter}})
      ini.WriteInteger(s, key, v);
    ini.WriteString(s, u"BellPosition_R", PointToText(o.BellPosition));
    for (auto [key, v] : {std::pair{u"PostAngle", o.PostAngle}, {u"PostWidth_R", o.PostWidth},
                          {u"PostHeight_R", o.PostHeight}, {u"PostBoardDiameter_R", o.PostBoardDiameter}})
      ini.WriteInteger(s, key, v);
    ini.WriteString(s, u"PostPosition_R", PointToText(o.PostPosition));
    ini.WriteInteger(s, u"BeemMaterial", o.BeemMaterial);
    ini.WriteInteger(s, u"BeemWidth_R", o.BeemWidth);
    ini.WriteInteger(s, u"BeemOrientation", o.BeemOrientation);
    ini.WriteString(s, u"BeemBeginPoint_R", PointToText(o.BeemBeginPoint));
    ini.WriteString(s, u"BeemEndPoint_R", PointToText(o.BeemEndPoint));
  }
  EXPECT_EQ(DocumentToBytes(objects), ini.ToBytes());
}

}  // namespace
