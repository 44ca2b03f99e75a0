// What opening a hand-edited document left out, as the commands without a window report it:
// the same Russian lines on standard error, --strict a failure that writes nothing, and nothing
// on standard error but the program's own lines.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "platform/cp1251.h"
#include "support/program_run.h"
#include "support/sample_plans.h"
#include "support/test_files.h"

#ifndef TARVOSK_PROGRAM
#error "TARVOSK_PROGRAM must name the built program"
#endif

namespace {

// A plan whose bell "Чужой" has a diameter no catalogue bell has and whose bell "Двойник" repeats
// the diameter of "Колокол", as a hand edit leaves them; in code page 1251, as the editor writes.
QByteArray HandEditedDocument() {
  return PlanDocumentBytes(0, 0, 0) +
         StringToCp1251(QStringLiteral(
             "[Object2]\r\nObjName=Колокол\r\nObjType=1\r\nBellDiameter_R=1960\r\nBellPosition_R=2800,2000\r\n"
             "[Object3]\r\nObjName=Чужой\r\nObjType=1\r\nBellDiameter_R=777\r\nBellPosition_R=2000,2000\r\n"
             "[Object4]\r\nObjName=Двойник\r\nObjType=1\r\nBellDiameter_R=1960\r\nBellPosition_R=3000,3000\r\n"));
}

const QString kStrangerNote = QStringLiteral(
    "Файл «edited.tarvosk», раздел [Object3], ключ BellDiameter_R = 777. Колокол «Чужой» не "
    "открыт: в каталоге нет колокола диаметром 777 мм.");
const QString kTwinNote = QStringLiteral(
    "Файл «edited.tarvosk», раздел [Object4], ключ BellDiameter_R = 1960. Колокол «Двойник» не "
    "открыт: колокол того же диаметра уже стоит в разделе [Object2].");

class HeadlessNotesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(WriteAll(Edited(), HandEditedDocument())); }
  QString Path(const QString& name) const { return FDir.filePath(name); }
  QString Edited() const { return Path(QStringLiteral("edited.tarvosk")); }
  TRun Run(const QStringList& arguments) const { return RunProgram(arguments, FDir.path()); }
  QTemporaryDir FDir;
};

TEST_F(HeadlessNotesTest, EveryCommandNamesTheLeftOutBells) {
  struct Row {
    const char* output;  // empty: --check
  };
  const Row rows[] = {{"plan.png"}, {"plan.svg"}, {"plan.pdf"}, {"bill.csv"}, {"thumb.png"}, {""}};
  for (const Row& r : rows) {
    const QString output = Path(QString::fromUtf8(r.output));
    SCOPED_TRACE(r.output);
    for (const bool strict : {false, true}) {
      SCOPED_TRACE(strict ? "strict" : "lenient");
      QFile::remove(output);
      QStringList arguments;
      if (QByteArrayView(r.output) == "thumb.png")
        arguments = {QStringLiteral("--thumbnail"), Edited(), output, QStringLiteral("128")};
      else if (!*r.output)
        arguments = {QStringLiteral("--check"), Edited()};
      else
        arguments = {QStringLiteral("--export"), output, Edited()};
      if (strict) arguments << QStringLiteral("--strict");
      const TRun run = Run(arguments);
      const QStringList lines = run.Err.split(u'\n', Qt::SkipEmptyParts);
      // the two notes first, in the order of the sections, each on a line of the program's own
      ASSERT_GE(lines.size(), 2) << run.Err.toStdString();
      EXPECT_EQ(lines[0], QStringLiteral("tarvosk: ") + kStrangerNote);
      EXPECT_EQ(lines[1], QStringLiteral("tarvosk: ") + kTwinNote);
      if (strict) {
        EXPECT_EQ(run.ExitCode, 1);
        ASSERT_EQ(lines.size(), 3) << run.Err.toStdString();
        EXPECT_TRUE(lines[2].contains(QLatin1String("--strict"))) << lines[2].toStdString();
        if (*r.output) {
          EXPECT_FALSE(QFile::exists(output));
        }
        EXPECT_TRUE(run.Out.isEmpty());
      } else {
        EXPECT_EQ(lines.size(), 2) << run.Err.toStdString();
        if (*r.output) {
          EXPECT_EQ(run.ExitCode, 0);
          EXPECT_TRUE(QFile::exists(output));
        } else {
          EXPECT_NE(run.ExitCode, 1);  // checked, whatever it found
          EXPECT_FALSE(run.Out.contains(QStringLiteral("Чужой")));  // the left-out bell is not checked
        }
      }
    }
  }
}

TEST_F(HeadlessNotesTest, TheBillListsTheNotesUnderRemarks) {
  const QString csv = Path(QStringLiteral("bill.csv"));
  const TRun run = Run({QStringLiteral("--export"), csv, Edited()});
  ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
  const QString bill = QString::fromUtf8(ReadAll(csv));
  const qsizetype remarks = bill.indexOf(QStringLiteral("Замечания"));
  ASSERT_GE(remarks, 0) << bill.toStdString();
  const qsizetype stranger = bill.indexOf(kStrangerNote), twin = bill.indexOf(kTwinNote);
  EXPECT_GT(stranger, remarks) << bill.toStdString();
  EXPECT_GT(twin, stranger) << bill.toStdString();
}

// Run as a file manager or a build server runs it: no desktop session, no display, no settings;
// Qt's own complaints about that are not the program's to print.
TEST_F(HeadlessNotesTest, StandardErrorHoldsOnlyTheProgramsLines) {
  const QString good = Path(QStringLiteral("good.tarvosk"));
  ASSERT_TRUE(WriteAll(good, PlanDocumentBytes(6, 4, 2)));
  const auto run = [&](const QStringList& arguments) {
    QProcess p;
    QProcessEnvironment env;
    const QProcessEnvironment system = QProcessEnvironment::systemEnvironment();
    for (const QString& name : system.keys()) {  // only what the sanitizers are told
      if (name.endsWith(QLatin1String("SAN_OPTIONS"))) env.insert(name, system.value(name));
    }
    env.insert(QStringLiteral("HOME"), FDir.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TARVOSK_PROGRAM), arguments);
    EXPECT_TRUE(p.waitForFinished(120000));
    // Windows' C runtime ends the lines with CR LF on a pipe.
    return std::pair{p.exitCode(), QString::fromUtf8(p.readAllStandardError()).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))};
  };
  const auto [status, err] = run({QStringLiteral("--export"), Path(QStringLiteral("g.png")), good});
  EXPECT_EQ(status, 0);
  EXPECT_EQ(err, QString());
  const auto [sheetStatus, sheetErr] =
      run({QStringLiteral("--export"), Path(QStringLiteral("g.pdf")), good});
  EXPECT_EQ(sheetStatus, 0);
  EXPECT_EQ(sheetErr, QString());
  const auto [thumbStatus, thumbErr] =
      run({QStringLiteral("--thumbnail"), good, Path(QStringLiteral("t.png")), QStringLiteral("64")});
  EXPECT_EQ(thumbStatus, 0);
  EXPECT_EQ(thumbErr, QString());
  // with notes, only the notes
  const auto [editedStatus, editedErr] =
      run({QStringLiteral("--export"), Path(QStringLiteral("e.svg")), Edited()});
  EXPECT_EQ(editedStatus, 0);
  EXPECT_EQ(editedErr, QStringLiteral("tarvosk: %1\ntarvosk: %2\n").arg(kStrangerNote, kTwinNote));
}

}  // namespace
