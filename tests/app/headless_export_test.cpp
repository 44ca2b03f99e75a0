// `tarvosk --export` run as a script would: the built program, no display, exit codes.
#include <QCheckBox>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QToolButton>

#include "plan/plan_scale.h"
#include "platform/resource_picture.h"
#include "support/main_window_fixture.h"
#include "support/program_run.h"

#ifndef TARVOSK_PROGRAM
#error "TARVOSK_PROGRAM must name the built program"
#endif

namespace {

// Address space for the capped runs, in kilobytes.
constexpr int kCapKb = 400000;

class HeadlessExportTest : public MainWindowTest {
 protected:
  // The program under a plain environment without any display.
  TRun Run(const QStringList& arguments) { return RunProgram(arguments, TempPath(QString())); }
};

TEST_F(HeadlessExportTest, WritesThePictureForThePanelSize) {
  const QString doc = SavePlan();
  struct Row {
    const char* picture;
    QStringList extra;
    QSize size;
    const char* format;
  };
  const Row rows[] = {
      {"plan.png", {}, QSize(1280, 800), "png"},
      {"plan.jpg", {QStringLiteral("--size"), QStringLiteral("900x600")}, QSize(900, 600), "jpeg"},
      {"plan.bmp", {QStringLiteral("--size"), QStringLiteral("600x900")}, QSize(600, 900), "bmp"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.picture);
    const QString picture = TempPath(QLatin1String(r.picture));
    const TRun run = Run(QStringList{QStringLiteral("--export"), picture, doc} + r.extra);
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    // Qt itself may warn about the session (no XDG_RUNTIME_DIR); the program reports nothing
    EXPECT_FALSE(run.Err.contains(QLatin1String("tarvosk:"))) << run.Err.toStdString();
    QFile file(picture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(PictureFormatOf(file.read(8)), QByteArray(r.format));
    const QImage image = ResourcePicture(picture);  // read as its bytes say, JPEG by libjpeg
    ASSERT_EQ(image.size(), r.size);
    // the walls are in it where the scale of that panel puts them, and the rulers' frame
    const TPlanScale s = ComputeScale(r.size.width(), r.size.height(), 5600);
    const QPoint wall(s.FOriginX + s.LengthPx(800) / 2 + 4, s.FOriginY + s.DiameterOuterPx / 4 + 4);
    EXPECT_LT(qGray(image.pixel(wall)), 200);
    EXPECT_LT(qGray(image.pixel(1, r.size.height() / 2)), 60);
  }
}

TEST_F(HeadlessExportTest, FailuresExitNonZeroWithAMessage) {
  const QString doc = SavePlan();
  const QString broken = TempPath(QStringLiteral("broken.tarvosk"));
  {
    QFile f(broken);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Object0]\r\nObjType=0\r\n[Object1]\r\nObjType=3\r\nPostPosition_R=12\r\n");
  }
  const QString blocker = TempPath(QStringLiteral("file"));
  {
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  struct Row {
    const char* name;
    QStringList arguments;
    const char* message;
  };
  const Row rows[] = {
      {"missing document", {TempPath(QStringLiteral("a.png")), TempPath(QStringLiteral("none.tarvosk"))}, "none.tarvosk"},
      {"broken document", {TempPath(QStringLiteral("b.png")), broken}, "is not a valid integer value"},
      {"unknown extension", {TempPath(QStringLiteral("c.gif")), doc}, "c.gif"},
      {"unwritable path", {blocker + QStringLiteral("/d.png"), doc}, "d.png"},
      {"bad size", {TempPath(QStringLiteral("e.png")), doc, QStringLiteral("--size"), QStringLiteral("big")}, "--size"},
      {"too many pixels", {TempPath(QStringLiteral("g.png")), doc, QStringLiteral("--size"), QStringLiteral("20000x6000")}, "--size"},
      {"no document", {TempPath(QStringLiteral("f.png"))}, "--export"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const TRun run = Run(QStringList{QStringLiteral("--export")} + r.arguments);
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.ExitCode, -1) << "did not finish";
    EXPECT_TRUE(run.Err.contains(QLatin1String(r.message))) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(r.arguments.first()));
  }
}

#if !defined(__SANITIZE_ADDRESS__)
// The sanitizer reserves far more address space than any limit below allows.
TEST_F(HeadlessExportTest, RunningShortOfMemoryIsAFailureNotAnIncompletePicture) {
  const QString doc = SavePlan();
  const QString picture = TempPath(QStringLiteral("big.png"));
  // The program with a cap on its memory that a small picture fits in and a large one does not.
  const auto capped = [&](const QString& size) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("ulimit -v %1 && exec \"$0\" \"$@\"").arg(kCapKb),
             QStringLiteral(TARVOSK_PROGRAM), QStringLiteral("--export"), picture, doc, QStringLiteral("--size"), size});
    const bool finished = p.waitForFinished(120000);
    return finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  };
  if (capped(QStringLiteral("640x480")) != 0) GTEST_SKIP() << "the program does not start under the cap here";
  ASSERT_TRUE(QFile::remove(picture));
  EXPECT_NE(capped(QStringLiteral("6000x5000")), 0);
  EXPECT_FALSE(QFile::exists(picture));
}
#endif

TEST_F(HeadlessExportTest, HelpNamesTheExport) {
  const TRun run = Run({QStringLiteral("--help")});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_TRUE(run.Out.contains(QStringLiteral("--export РИСУНОК ДОКУМЕНТ")));
  // "-ns" is joined into a document path given beside it, so the help offers it alone.
  EXPECT_TRUE(run.Out.contains(QLatin1String("tarvosk -ns ")));
  EXPECT_FALSE(run.Out.contains(QStringLiteral("-ns [ДОКУМЕНТ]")));
  EXPECT_FALSE(run.Out.contains(QStringLiteral("-ns ДОКУМЕНТ")));
}

}  // namespace
