// `tarvosk --export` of the sheet's files (.pdf, .svg, .csv) as a script runs it: the built
// program, no display, exit codes, nothing half-written.
#include <QFile>
#include <QProcess>
#include <QToolButton>
#include <QXmlStreamReader>

#include "support/main_window_fixture.h"
#include "support/program_run.h"
#include "support/test_files.h"

#ifndef TARVOSK_PROGRAM
#error "TARVOSK_PROGRAM must name the built program"
#endif

namespace {

class HeadlessSheetTest : public MainWindowTest {
 protected:
  TRun Run(const QStringList& arguments) { return RunProgram(arguments, TempPath(QString())); }
};

TEST_F(HeadlessSheetTest, WritesTheDrawingAndTheBill) {
  const QString doc = SavePlan();
  const QString pdf = TempPath(QStringLiteral("plan.pdf")),
                svg = TempPath(QStringLiteral("plan.svg")),
                csv = TempPath(QStringLiteral("bill.csv"));
  TRun run =
      Run({QStringLiteral("--export"), pdf, doc, QStringLiteral("--scale"), QStringLiteral("1:50"),
           QStringLiteral("--paper"), QStringLiteral("A3"), QStringLiteral("--landscape")});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  EXPECT_TRUE(ReadAll(pdf).startsWith("%PDF-"));
  run = Run(
      {QStringLiteral("--export"), svg, doc, QStringLiteral("--scale"), QStringLiteral("1:100")});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  QXmlStreamReader xml(ReadAll(svg));
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.name(), QLatin1String("svg"));
  EXPECT_EQ(xml.attributes().value(QLatin1String("width")), QLatin1String("210mm"));  // A4 upright
  run = Run({QStringLiteral("--export"), csv, doc});
  EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  const QByteArray bill = ReadAll(csv);
  EXPECT_TRUE(bill.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(QString::fromUtf8(bill).contains(QStringLiteral("Итого;")));
  // Nothing of the user's is kept by a script's run.
  EXPECT_FALSE(QFile::exists(TempPath(QStringLiteral("config/tarvosk/sheet.ini"))));
}

TEST_F(HeadlessSheetTest, FailuresExitNonZeroAndLeaveNothing) {
  const QString doc = SavePlan();
  const QString blocker = TempPath(QStringLiteral("file"));
  ASSERT_TRUE(WriteAll(blocker, ""));
  const QString broken = TempPath(QStringLiteral("broken.tarvosk"));
  ASSERT_TRUE(WriteAll(
      broken, "[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostPosition_R=12\r\n"));
  struct Row {
    const char* name;
    QStringList arguments;
    const char* message;
  };
  const QString scale = QStringLiteral("--scale"), paper = QStringLiteral("--paper");
  const Row rows[] = {
      {"missing document",
       {TempPath(QStringLiteral("a.pdf")), TempPath(QStringLiteral("none.tarvosk"))},
       "none.tarvosk"},
      {"broken document",
       {TempPath(QStringLiteral("b.svg")), broken},
       "is not a valid integer value"},
      {"broken document, bill",
       {TempPath(QStringLiteral("b.csv")), broken},
       "is not a valid integer value"},
      {"unknown scale",
       {TempPath(QStringLiteral("c.pdf")), doc, scale, QStringLiteral("1:0")},
       "--scale"},
      {"scale of words",
       {TempPath(QStringLiteral("c2.pdf")), doc, scale, QStringLiteral("half")},
       "--scale"},
      {"scale without value", {TempPath(QStringLiteral("c3.pdf")), doc, scale}, "--scale"},
      {"unknown paper",
       {TempPath(QStringLiteral("d.pdf")), doc, paper, QStringLiteral("A5")},
       "--paper"},
      {"does not fit",
       {TempPath(QStringLiteral("e.pdf")), doc, scale, QStringLiteral("1:10")},
       "не помещается"},
      {"does not fit, svg",
       {TempPath(QStringLiteral("e.svg")), doc, scale, QStringLiteral("1:10")},
       "не помещается"},
      {"unwritable path", {blocker + QStringLiteral("/f.pdf"), doc}, "f.pdf"},
      {"unwritable bill", {blocker + QStringLiteral("/f.csv"), doc}, "f.csv"},
      {"scale for a picture",
       {TempPath(QStringLiteral("g.png")), doc, scale, QStringLiteral("1:50")},
       "--scale"},
      {"scale for the bill",
       {TempPath(QStringLiteral("h.csv")), doc, scale, QStringLiteral("1:50")},
       "--scale"},
      {"no document", {TempPath(QStringLiteral("j.pdf"))}, "--export"},
      {"unknown extension",
       {TempPath(QStringLiteral("k.odt")), doc, scale, QStringLiteral("1:50")},
       "--scale"},
      {"size for a drawing",
       {TempPath(QStringLiteral("i.pdf")), doc, QStringLiteral("--size"),
        QStringLiteral("900x600")},
       "--size"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TRun run = Run(QStringList{QStringLiteral("--export")} + r.arguments);
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.ExitCode, -1) << "did not finish";
    EXPECT_TRUE(run.Err.contains(QString::fromUtf8(r.message))) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(r.arguments.first()));
  }
  // A file already there stays as it was when the plan does not fit.
  const QString old = TempPath(QStringLiteral("old.pdf"));
  ASSERT_TRUE(WriteAll(old, "old"));
  EXPECT_NE(Run({QStringLiteral("--export"), old, doc, scale, QStringLiteral("1:10")}).ExitCode, 0);
  EXPECT_EQ(ReadAll(old), QByteArray("old"));
}

TEST_F(HeadlessSheetTest, TheUsageNamesTheSheetOptions) {
  QProcess p;
  p.start(QStringLiteral(TARVOSK_PROGRAM), {QStringLiteral("--help")});
  ASSERT_TRUE(p.waitForFinished(30000));
  const QString out = QString::fromUtf8(p.readAllStandardOutput());  // UTF-8 to a pipe, everywhere
  for (const char* option : {"--scale 1:N", "--paper A4|A3", "--landscape", "ВЕДОМОСТЬ.csv"})
    EXPECT_TRUE(out.contains(QString::fromUtf8(option))) << option;
}

}  // namespace
