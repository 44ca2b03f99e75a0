// The document as a user works with it across sessions: autosave and recovery, the recent
// documents, dropped files and where the dialogs start.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

#include "document/recent_documents.h"
#include "document/recovery_store.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace {

class SessionTest : public MainWindowTest {
 protected:
  void SetUp() override {}  // each test opens the window with its own places
  void Start() {
    Open(QSize(618, 352));
    QApplication::setActiveWindow(W.get());
    QCoreApplication::processEvents();
  }
  static void Settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  void Change() {
    QTest::mouseClick(W->ChordBox(3), Qt::LeftButton);
    Settle();
  }
  QStringList RecoveryFiles() const {
    return QDir(RecoveryFolderOption).entryList({QStringLiteral("*.tarvosk")}, QDir::Files);
  }
  QByteArray Bytes() const { return DocumentToBytes(W->FObjects); }
};

TEST_F(SessionTest, UnsavedWorkIsAutosavedAndGoesWhenSavedOrLetGo) {
  RecoveryFolderOption = TempPath(QStringLiteral("recovery"));
  AutosaveDelayOption = 0;
  Start();
  Settle();
  EXPECT_TRUE(RecoveryFiles().isEmpty()) << "a clean plan is not written";
  Change();
  ASSERT_EQ(RecoveryFiles().size(), 1);
  const QString file = QDir(RecoveryFolderOption).filePath(RecoveryFiles().first());
  EXPECT_EQ(ReadAll(file), Bytes());
  // undone back to the state as it was, nothing is left to recover
  W->Menu.nUndo->trigger();
  Settle();
  EXPECT_TRUE(RecoveryFiles().isEmpty());
  W->Menu.nRedo->trigger();
  Settle();
  ASSERT_EQ(RecoveryFiles().size(), 1);
  // saving removes it, and the user's document is the only copy written
  const QString doc = TempPath(QStringLiteral("plan.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(doc));
  EXPECT_TRUE(RecoveryFiles().isEmpty());
  // the next change is written with the document's name beside it
  Change();
  ASSERT_EQ(RecoveryFiles().size(), 1);
  const std::vector<TRecoveryEntry> none = FindAbandoned(RecoveryFolderOption);
  EXPECT_TRUE(none.empty()) << "a running editor's work is never offered";
  // "Не сохранять" lets it go
  SaveAnswer = 1;
  W->Menu.nNewDoc->trigger();
  Settle();
  EXPECT_TRUE(RecoveryFiles().isEmpty());
  EXPECT_EQ(ReadAll(doc).size() > 0, true);
}

// An editor that died left its work behind: the next start offers it.
TEST_F(SessionTest, WorkLeftByAnEditorThatDiedIsOffered) {
  RecoveryFolderOption = TempPath(QStringLiteral("recovery"));
  const QString doc = TempPath(QStringLiteral("tower.tarvosk"));
  // the user's document and the work that was never saved into it
  Start();
  ASSERT_TRUE(W->SaveDocument(doc));
  const QByteArray original = ReadAll(doc);
  QTest::mouseClick(W->ChordBox(7), Qt::LeftButton);
  QTest::mouseClick(W->ChordBox(9), Qt::LeftButton);
  Settle();
  const QByteArray work = Bytes();
  W.reset();
  struct Row {
    const char* name;
    int answer;
    bool restored, offeredAgain;
  };
  for (const Row& r : {Row{"later", 2, false, true}, Row{"restore", 0, true, false}}) {
    SCOPED_TRACE(r.name);
    {
      TRecoveryStore died;
      ASSERT_TRUE(died.Open(RecoveryFolderOption));
      ASSERT_EQ(died.Write(work, doc), QString());
    }  // its lock is released as by a process that ended
    RecoveryQuestions.clear();
    RecoveryAnswer = r.answer;
    Start();
    Settle();
    ASSERT_EQ(RecoveryQuestions.size(), 1);
    EXPECT_TRUE(RecoveryQuestions[0].contains(QDir::toNativeSeparators(doc)));
    EXPECT_EQ(Bytes() == work, r.restored);
    if (r.restored) {
      EXPECT_TRUE(W->windowTitle().endsWith(QStringLiteral(" - tower.tarvosk*")));
      EXPECT_EQ(W->FDocument.Path(), doc);
      EXPECT_EQ(CheckedBoxes(), (std::vector<int>{7, 9}));
    }
    EXPECT_EQ(ReadAll(doc), original) << "the user's document is not touched";
    EXPECT_EQ(FindAbandoned(RecoveryFolderOption).size(), r.offeredAgain ? 1u : 0u);
    W.reset();
    if (r.offeredAgain) {
      for (const TRecoveryEntry& e : FindAbandoned(RecoveryFolderOption)) DiscardRecovery(e);
    }
  }
}

TEST_F(SessionTest, ABrokenRecoveryFileIsOfferedForDeletionNeverOpened) {
  RecoveryFolderOption = TempPath(QStringLiteral("recovery"));
  for (const QByteArray& broken : {QByteArray("[Object0]\r\nObjType=0\r\n[Obj"), QByteArray("\x89PNG\r\n"),
                                   QByteArray()}) {
    {
      TRecoveryStore died;
      ASSERT_TRUE(died.Open(RecoveryFolderOption));
      ASSERT_EQ(died.Write(broken, QString()), QString());
    }
    RecoveryQuestions.clear();
    RecoveryAnswer = 1;
    Start();
    Settle();
    ASSERT_EQ(RecoveryQuestions.size(), 1);
    EXPECT_TRUE(RecoveryQuestions[0].contains(QStringLiteral("повреждён"))) << RecoveryQuestions[0].toStdString();
    EXPECT_EQ(W->FObjects.size(), 2u);
    EXPECT_FALSE(W->windowTitle().endsWith(u'*'));
    EXPECT_TRUE(FindAbandoned(RecoveryFolderOption).empty());
    W.reset();
  }
}

TEST_F(SessionTest, RecentDocumentsNewestFirstAndMissingOnesLeaveTheList) {
  RecentFileOption = TempPath(QStringLiteral("config/recent.txt"));
  Start();
  const QString a = TempPath(QStringLiteral("a.tarvosk")), b = TempPath(QStringLiteral("b.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(a));
  ASSERT_TRUE(W->SaveDocument(b));
  ASSERT_TRUE(W->OpenDocument(a));
  EXPECT_EQ(W->FSession.Recent(), (QStringList{a, b}));
  EXPECT_EQ(ReadRecentDocuments(RecentFileOption), (QStringList{a, b}));
  QStringList items;
  for (QAction* act : W->Menu.nRecent->actions())
    if (!act->isSeparator()) items << act->text();
  EXPECT_EQ(items, (QStringList{QStringLiteral("&1 ") + QDir::toNativeSeparators(a),
                                QStringLiteral("&2 ") + QDir::toNativeSeparators(b),
                                QStringLiteral("Очистить список")}));
  // a new start reads the list, and the open dialog starts in the newest one's folder
  W.reset();
  Start();
  EXPECT_EQ(W->FSession.Recent(), (QStringList{a, b}));
  EXPECT_EQ(W->FSession.OpenDialogStart(), QFileInfo(a).absolutePath());
  // choosing one that is gone says so and takes it out
  QFile::remove(b);
  W->OpenRecent(b);
  ASSERT_EQ(Errors.size(), 1);
  EXPECT_TRUE(Errors[0].contains(QStringLiteral("не найден")));
  EXPECT_EQ(W->FSession.Recent(), QStringList{a});
  W->Menu.nClearRecent->trigger();
  EXPECT_TRUE(W->FSession.Recent().isEmpty());
  EXPECT_TRUE(ReadRecentDocuments(RecentFileOption).isEmpty());
  EXPECT_FALSE(W->Menu.nClearRecent->isEnabled());
}

TEST_F(SessionTest, ADroppedDocumentOpensAfterTheQuestion) {
  Start();
  const QString doc = TempPath(QStringLiteral("dropped.tarvosk"));
  QTest::mouseClick(W->ChordBox(4), Qt::LeftButton);
  ASSERT_TRUE(W->SaveDocument(doc));
  W->Menu.nNewDoc->trigger();
  QTest::mouseClick(W->ChordBox(2), Qt::LeftButton);  // unsaved work
  Settle();
  const QString other = TempPath(QStringLiteral("picture.png"));
  ASSERT_TRUE(WriteAll(other, "png"));
  for (const QString& path : {other, doc}) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(W.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), path == doc) << path.toStdString();
    if (!enter.isAccepted()) continue;
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(W.get(), &drop);
    Settle();
  }
  EXPECT_EQ(Questions.size(), 1);
  EXPECT_EQ(W->FDocument.Path(), doc);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{4});
}

}  // namespace
