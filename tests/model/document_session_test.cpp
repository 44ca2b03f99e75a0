// The session without a window: the unsaved-changes question, saving, the recent list and the
// autosaved work of an editor that died, offered to the next one.
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "document/plan_opening.h"
#include "document/recent_documents.h"
#include "document/recovery_store.h"
#include "model/document_session.h"
#include "model/plan_document.h"
#include "support/sample_plans.h"

namespace {

class DocumentSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Dir.isValid());
    Places.RecentFile = Dir.filePath(QStringLiteral("recent.ini"));
    Places.RecoveryFolder = Dir.filePath(QStringLiteral("recovery"));
    Open(D);
    S.Start(Places);
  }
  static void Open(TPlanDocument& d) {
    const TOpenedPlan plan = OpenPlanBytes(PlanDocumentBytes(3, 1, 1), LoadBellDiameters());
    d.ResetObjects(plan.Records);
    d.ResetHistory();
  }
  QTemporaryDir Dir;
  TSessionPlaces Places;
  TPlanDocument D;
  TDocumentSession S{D};
};

TEST_F(DocumentSessionTest, TheQuestionIsAskedOnlyForUnsavedWorkAndItsAnswerHolds) {
  int asked = 0, saved = 0;
  const auto ask = [&asked](int answer) {
    return [&asked, answer](const QString& q) {
      ++asked;
      EXPECT_EQ(q, QStringLiteral("Сохранить изменения в документе «Без имени»?"));
      return answer;
    };
  };
  const auto save = [&saved] { return ++saved, true; };
  EXPECT_TRUE(S.MaySetAside(ask(2), save));
  EXPECT_EQ(asked, 0) << "nothing unsaved: nothing to ask";
  struct TRow {
    int answer;
    bool setAside;
    int saves;
  } const rows[] = {{0, true, 1}, {1, true, 0}, {2, false, 0}};
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.answer);
    asked = saved = 0;
    D.SetPostAngle(D.At(1).PostAngle + 10);  // committed by the question itself
    EXPECT_EQ(S.MaySetAside(ask(r.answer), save), r.setAside);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(saved, r.saves);
  }
}

TEST_F(DocumentSessionTest, ASaveThatFailsLeavesThePlanUnsavedAndOneThatWorksIsRemembered) {
  D.SetWallMaterial(2);
  const QString nowhere = Dir.filePath(QStringLiteral("no/such/folder/plan.tarvosk"));
  EXPECT_FALSE(S.Save(nowhere).isEmpty());
  EXPECT_TRUE(D.IsModified());
  EXPECT_TRUE(D.Path().isEmpty());
  EXPECT_TRUE(S.Recent().isEmpty());

  const QString path = Dir.filePath(QStringLiteral("plan.tarvosk"));
  EXPECT_EQ(S.Save(path), QString());
  EXPECT_FALSE(D.IsModified());
  EXPECT_EQ(D.Path(), path);
  EXPECT_EQ(S.TitleName(), QStringLiteral("plan.tarvosk"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), DocumentToBytes(D.Model()));
  EXPECT_EQ(ReadRecentDocuments(Places.RecentFile), QStringList{QFileInfo(path).absoluteFilePath()});
}

TEST_F(DocumentSessionTest, TheRecentListIsKeptInItsFileNewestFirst) {
  int changes = 0;
  QObject context;
  QObject::connect(&S, &TDocumentSession::RecentChanged, &context, [&changes] { ++changes; });
  const QString a = Dir.filePath(QStringLiteral("a.tarvosk")), b = Dir.filePath(QStringLiteral("b.tarvosk"));
  S.Remember(a);
  S.Remember(b);
  S.Remember(a);
  EXPECT_EQ(S.Recent(), (QStringList{a, b}));
  S.Forget(a);
  EXPECT_EQ(ReadRecentDocuments(Places.RecentFile), QStringList{b});
  S.ClearRecent();
  EXPECT_TRUE(ReadRecentDocuments(Places.RecentFile).isEmpty());
  EXPECT_EQ(changes, 5);
}

// The work of an editor that died is offered to the next; restored, it is the same plan,
// unsaved, under its own name, and the entry is gone. "Удалить" deletes it unread.
TEST_F(DocumentSessionTest, AutosavedWorkIsOfferedToTheNextEditorAndRestoredWhole) {
  for (const int answer : {0, 1}) {
    SCOPED_TRACE(answer);
    QByteArray bytes;
    {
      TPlanDocument dying;
      Open(dying);
      dying.SetPath(Dir.filePath(QStringLiteral("tower.tarvosk")));
      TDocumentSession session(dying);
      session.Start(Places);
      dying.SetBellPosition(2, true, 1111);
      session.Autosave();
      bytes = DocumentToBytes(dying.Committed());
    }  // the lock goes with the editor; the files stay
    TPlanDocument next;
    TDocumentSession session(next);
    session.Start(Places);
    QStringList questions;
    const bool restored = session.OfferRecovery(
        [&questions, answer](const QString& q, bool broken) {
          EXPECT_FALSE(broken);
          questions << q;
          return answer;
        },
        LoadBellDiameters());
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains(QStringLiteral("tower.tarvosk")));
    EXPECT_EQ(restored, answer == 0);
    if (answer == 0) {
      EXPECT_EQ(DocumentToBytes(next.Model()), bytes);
      EXPECT_TRUE(next.IsModified());
      EXPECT_EQ(next.Path(), Dir.filePath(QStringLiteral("tower.tarvosk")));
    }
    session.DiscardRecovery();
  }
  EXPECT_TRUE(FindAbandoned(Places.RecoveryFolder).empty());
}

}  // namespace
