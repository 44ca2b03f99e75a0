// Every input a fuzz target once stopped on, replayed through the same checks (fuzz/fuzz_checks.h),
// together with the targets' starting corpora. A new failing input goes into
// tests/data/fuzz/<target>/ under a name that says what it once broke.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "app/tfm_main.h"
#include "fuzz/fuzz_checks.h"
#include "fuzz/window_checks.h"

namespace {

struct TInput {
  QString Path;
  QByteArray Bytes;
};

// The kept failures of `target` and the seed corpus `seeds`.
std::vector<TInput> Inputs(const QString& target, const QString& seeds) {
  std::vector<TInput> inputs;
  for (const QString& folder : {QStringLiteral(TARVOSK_SOURCE_DIR "/tests/data/fuzz/") + target,
                                QStringLiteral(TARVOSK_SOURCE_DIR "/fuzz/corpus/") + seeds}) {
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(name));
      EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << qPrintable(f.fileName());
      inputs.push_back({f.fileName(), f.readAll()});
    }
  }
  return inputs;
}

TEST(FuzzRegressions, IniReader) {
  const auto inputs = Inputs(QStringLiteral("fuzz_ini_file"), QStringLiteral("ini"));
  ASSERT_FALSE(inputs.empty());
  for (const TInput& in : inputs) EXPECT_EQ(CheckIniInput(in.Bytes), QString()) << qPrintable(in.Path);
}

TEST(FuzzRegressions, TextToPoint) {
  const auto inputs = Inputs(QStringLiteral("fuzz_text_to_point"), QStringLiteral("point"));
  ASSERT_FALSE(inputs.empty());
  for (const TInput& in : inputs) EXPECT_EQ(CheckPointInput(in.Bytes), QString()) << qPrintable(in.Path);
}

TEST(FuzzRegressions, DocumentOpening) {
  const auto inputs = Inputs(QStringLiteral("fuzz_document_open"), QStringLiteral("document"));
  ASSERT_FALSE(inputs.empty());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // One window for all, as in the fuzzer: each input opens over the plan the one before left.
  const std::unique_ptr<TfmMain> window(MakeFuzzWindow(dir.path()));
  const QString path = dir.filePath(QStringLiteral("input.tarvosk"));
  for (const TInput& in : inputs) {
    EXPECT_EQ(CheckDocumentInput(*window, in.Bytes, path), QString()) << qPrintable(in.Path);
    EXPECT_EQ(CheckDocumentBytes(in.Bytes), QString()) << qPrintable(in.Path);
    EXPECT_EQ(CheckDocumentPicture(in.Bytes, QSize(240, 180)), QString()) << qPrintable(in.Path);
  }
}

// Garbage is refused and the plan on screen stays as it was, edits included.
TEST(FuzzRegressions, RefusedDocumentKeepsThePlan) {
  EXPECT_EQ(CheckPointInput("12,34"), QString());
  EXPECT_EQ(CheckIniInput("[A]\r\nk=v\r\n"), QString());
  QTemporaryDir dir;
  const std::unique_ptr<TfmMain> window(MakeFuzzWindow(dir.path()));
  // A refused file leaves the plan; the check holds the window to that.
  window->FObjects[0]->WallDiameterOuter = 6100;
  EXPECT_EQ(CheckDocumentInput(*window, "garbage", dir.filePath(QStringLiteral("g.tarvosk"))), QString());
  EXPECT_EQ(window->FObjects[0]->WallDiameterOuter, 6100);
}

}  // namespace
