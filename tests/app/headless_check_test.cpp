// `tarvosk --check` as a build server runs it: the built program, its exit statuses, its findings
// read back as a script reads them.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "app/command_line.h"
#include "support/program_run.h"
#include "support/sample_plans.h"
#include "support/test_files.h"

#ifndef TARVOSK_PROGRAM
#error "TARVOSK_PROGRAM must name the built program"
#endif

namespace {

const QByteArray kWallsAndPedestal =
    "[Object0]\r\nObjType=0\r\nObjName=W\r\n[Object1]\r\nObjType=3\r\nObjName=P\r\n"
    "PostPosition_R=2800,4200\r\n";
// Two catalogue bells on one spot, one rim over the other.
const QByteArray kOverlappingBells =
    kWallsAndPedestal +
    "[Object2]\r\nObjType=1\r\nObjName=A\r\nBellDiameter_R=1960\r\nBellPosition_R=2800,2000\r\n"
    "[Object3]\r\nObjType=1\r\nObjName=B\r\nBellDiameter_R=1950\r\nBellPosition_R=2900,2000\r\n";

class HeadlessCheckTest : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return FDir.filePath(name); }
  QString Document(const QString& name, const QByteArray& bytes) const {
    const QString path = Path(name);
    EXPECT_TRUE(WriteAll(path, bytes));
    return path;
  }
  TRun Run(const QStringList& arguments) const { return RunProgram(arguments, FDir.path()); }
  QTemporaryDir FDir;
};

TEST_F(HeadlessCheckTest, TheExitStatusSaysWhatWasFound) {
  const QString empty = Document(QStringLiteral("empty.tarvosk"), PlanDocumentBytes(0, 0, 0));
  const QString crowded = Document(QStringLiteral("crowded.tarvosk"), kOverlappingBells);
  const QString broken = Document(QStringLiteral("broken.tarvosk"),
                                  kWallsAndPedestal + "[Object2]\r\nObjType=2\r\nBeemBeginPoint_R=12\r\n");
  const QString noPlan = Document(QStringLiteral("text.tarvosk"), "hello\r\n");
  struct Row {
    const char* name;
    QStringList arguments;
    int status;
    const char* err;  // a part of standard error; empty: nothing there
  };
  const Row rows[] = {
      {"no findings", {"--check", empty}, 0, ""},
      {"no findings, JSON", {"--check", empty, "--json"}, 0, ""},
      {"findings", {"--check", crowded}, kFindingsExitCode, ""},
      {"findings, JSON", {"--json", "--check", crowded}, kFindingsExitCode, ""},
      {"a broken point", {"--check", broken}, 1, "'' is not a valid integer value"},
      {"no plan", {"--check", noPlan}, 1, "это не документ плана"},
      {"no such file", {"--check", Path(QStringLiteral("none.tarvosk"))}, 1, "такого документа нет"},
      {"an unknown option", {"--check", empty, "--verbose"}, kMisuseExitCode, "«--verbose»"},
      {"no document", {"--check"}, kMisuseExitCode, "ровно один ДОКУМЕНТ"},
      {"two documents", {"--check", empty, crowded}, kMisuseExitCode, "ровно один ДОКУМЕНТ"},
      {"with an export", {"--check", empty, "--export", Path(QStringLiteral("a.png"))},
       kMisuseExitCode, "нельзя давать вместе"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TRun run = Run(r.arguments);
    EXPECT_EQ(run.ExitCode, r.status) << run.Err.toStdString();
    if (*r.err) {
      EXPECT_TRUE(run.Err.contains(QString::fromUtf8(r.err))) << run.Err.toStdString();
      EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
    } else {
      EXPECT_TRUE(run.Err.isEmpty()) << run.Err.toStdString();
    }
  }
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("a.png"))));
}

TEST_F(HeadlessCheckTest, FindingsAreOneALineOrAJsonArray) {
  const QString crowded = Document(QStringLiteral("crowded.tarvosk"), kOverlappingBells);
  const TRun lines = Run({QStringLiteral("--check"), crowded});
  ASSERT_EQ(lines.ExitCode, kFindingsExitCode) << lines.Err.toStdString();
  const QStringList found = lines.Out.split(u'\n', Qt::SkipEmptyParts);
  ASSERT_FALSE(found.isEmpty());
  EXPECT_TRUE(lines.Out.endsWith(u'\n'));
  EXPECT_TRUE(found.first().startsWith(QLatin1String("bells-too-close: "))) << found.first().toStdString();
  EXPECT_TRUE(found.first().contains(QStringLiteral("«A»"))) << found.first().toStdString();

  const TRun json = Run({QStringLiteral("--check"), crowded, QStringLiteral("--json")});
  ASSERT_EQ(json.ExitCode, kFindingsExitCode);
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(json.Out.toUtf8(), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json.Out.toStdString();
  ASSERT_TRUE(doc.isArray());
  const QJsonArray all = doc.array();
  // the same findings, in the same order, as the lines
  ASSERT_EQ(all.size(), found.size());
  for (qsizetype i = 0; i < all.size(); ++i) {
    const QJsonObject f = all[i].toObject();
    EXPECT_EQ(f[QLatin1String("rule")].toString() + QStringLiteral(": ") +
                  f[QLatin1String("message")].toString(),
              found[i]);
    EXPECT_TRUE(f[QLatin1String("objects")].isArray());
    EXPECT_TRUE(f[QLatin1String("at")].toObject()[QLatin1String("x")].isDouble());
    EXPECT_TRUE(f[QLatin1String("at")].toObject()[QLatin1String("y")].isDouble());
    EXPECT_TRUE(f.contains(QLatin1String("distance_mm")));
  }
  const QJsonObject first = all[0].toObject();
  EXPECT_EQ(first[QLatin1String("rule")].toString(), QLatin1String("bells-too-close"));
  EXPECT_EQ(first[QLatin1String("objects")].toArray(), QJsonArray({QStringLiteral("A"), QStringLiteral("B")}));
  // rims 1955 mm apart at centres 100 mm apart: an overlap, so a negative distance
  EXPECT_LT(first[QLatin1String("distance_mm")].toDouble(), 0);

  const QString empty = Document(QStringLiteral("empty.tarvosk"), PlanDocumentBytes(0, 0, 0));
  const TRun none = Run({QStringLiteral("--check"), empty, QStringLiteral("--json")});
  EXPECT_EQ(none.ExitCode, 0);
  EXPECT_EQ(QJsonDocument::fromJson(none.Out.toUtf8()).array(), QJsonArray());
  EXPECT_TRUE(Run({QStringLiteral("--check"), empty}).Out.isEmpty());
}

}  // namespace
