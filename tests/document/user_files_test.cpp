// Every file the program writes for the user (the document, the autosaved work, the recent
// list, the panels' and the sheet's settings, every export) goes through the one atomic write:
// interrupted before its new content is safely on the disk, each leaves the old file whole and
// no stray file beside it, and says that it failed.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

#include "app/view_settings.h"
#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/image_writers.h"
#include "document/plan_opening.h"
#include "document/recent_documents.h"
#include "document/recovery_store.h"
#include "platform/atomic_file.h"
#include "sheet/sheet_export.h"
#include "sheet/sheet_settings.h"
#include "support/sample_plans.h"

#if !defined(_WIN32)
namespace {

int FailingSync(int) { return -1; }

// The system's sync fails while the object lives: the write is cut off before its rename.
class TInterruptedWrites {
 public:
  TInterruptedWrites() : FSaved(AtomicFileSteps()) { AtomicFileSteps().Sync = FailingSync; }
  ~TInterruptedWrites() { AtomicFileSteps() = FSaved; }
  TInterruptedWrites(const TInterruptedWrites&) = delete;
  TInterruptedWrites& operator=(const TInterruptedWrites&) = delete;

 private:
  TAtomicFileSteps FSaved;
};

struct TWriter {
  const char* Name;
  const char* File;
  // Writes the file at `path` (in `folder`); true when it says it succeeded.
  std::function<bool(const QString& path, const QString& folder)> Write;
};

std::vector<TWriter> Writers() {
  const TOpenedPlan plan = OpenPlanBytes(PlanDocumentBytes(8, 4, 3), FBellDiameters);
  const TPlanModel model = plan.Model();
  QImage picture(64, 48, QImage::Format_RGB32);
  picture.fill(Qt::white);
  const TSheetSettings sheet{QStringLiteral("A4"), {210, 297}, false, kSheetFitScale};
  auto sheetFile = [model, sheet](TSheetFormat format) {
    return [model, sheet, format](const QString& path, const QString&) {
      return WriteSheetFile(model, sheet, MakeSheetTitle(path), format, path).isEmpty();
    };
  };
  auto image = [picture](TExportFormat format) {
    return [picture, format](const QString& path, const QString&) { return WriteImage(picture, path, format).isEmpty(); };
  };
  return {
      {"the document", "plan.tarvosk", [records = plan.Records](const QString& path, const QString&) {
         std::vector<std::unique_ptr<TPlanObject>> objects;
         for (const TPlanObject& o : records) objects.push_back(std::make_unique<TPlanObject>(o));
         return SaveDocumentFile(path, objects).isEmpty();
       }},
      {"the recent list", "recent.txt", [](const QString& path, const QString&) {
         return WriteRecentDocuments(path, {QStringLiteral("/home/u/a.tarvosk")}).isEmpty();
       }},
      {"the panels' settings", "view.ini", [](const QString& path, const QString&) { return WriteViewIni(path, TViewSettings{}); }},
      {"the sheet's settings", "sheet.ini", [sheet](const QString& path, const QString&) {
         return WriteSheetSettings(path, sheet).isEmpty();
       }},
      {"a PNG picture", "plan.png", image(TExportFormat::Png)},
      {"a JPEG picture", "plan.jpg", image(TExportFormat::Jpeg)},
      {"a BMP picture", "plan.bmp", image(TExportFormat::Bmp)},
      {"a PDF sheet", "plan.pdf", sheetFile(TSheetFormat::Pdf)},
      {"an SVG sheet", "plan.svg", sheetFile(TSheetFormat::Svg)},
      {"the bill", "plan.csv", sheetFile(TSheetFormat::Csv)},
  };
}

TEST(UserFiles, AnInterruptedWriteLeavesTheOldFileWhole) {
  for (const TWriter& w : Writers()) {
    SCOPED_TRACE(w.Name);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QString::fromLatin1(w.File));
    // Written once for real, so that there is an old file of the writer's own making.
    ASSERT_TRUE(w.Write(path, dir.path()));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray old = f.readAll();
    f.close();
    ASSERT_FALSE(old.isEmpty());
    {
      const TInterruptedWrites interrupted;
      EXPECT_FALSE(w.Write(path, dir.path())) << "an interrupted write reported as done";
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
              QStringList{QString::fromLatin1(w.File)});
  }
}

// The autosaved work: both of its files keep what the last whole write left.
TEST(UserFiles, AnInterruptedAutosaveKeepsTheLastOne) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  TRecoveryStore store;
  ASSERT_TRUE(store.Open(dir.path()));
  const QByteArray first = PlanDocumentBytes(5, 1, 0);
  ASSERT_EQ(store.Write(first, QStringLiteral("/home/u/a.tarvosk")), QString());
  {
    const TInterruptedWrites interrupted;
    EXPECT_NE(store.Write(PlanDocumentBytes(9, 3, 2), QStringLiteral("/home/u/b.tarvosk")), QString());
  }
  QFile f(store.DocumentPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), first);
  for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden))
    EXPECT_FALSE(name.contains(QStringLiteral("tmp"), Qt::CaseInsensitive)) << qPrintable(name);
}

}  // namespace
#endif
