// Undo and redo through the window's own handlers and events: one step per change of the
// stored plan, every undo giving back the bytes a save wrote before the step.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QStackedWidget>
#include <QToolButton>
#include <QUndoStack>
#include <functional>
#include <random>

#include "support/main_window_fixture.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "controls/beem_page.h"
#include "support/sample_plans.h"

namespace {

class HistoryTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());
  }
  // Runs what the event loop runs after a handler: the step is committed there.
  static void Settle() { QCoreApplication::processEvents(); }
  QByteArray Bytes() const { return DocumentToBytes(W->FObjects); }
  int Steps() const { return W->FHistory->index(); }

  void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  int PlaceBell(int n, QPoint at) {
    Click(W->pnlBells->FBellButtons[static_cast<size_t>(n - 1)]);
    ClickPlan(at);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  static void Choose(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
  }
  void Undo() { W->Menu.nUndo->trigger(); }
  void Redo() { W->Menu.nRedo->trigger(); }
};

// A plan of a few objects: two bells, a chord beam and a free beam.
struct TStepRow {
  const char* name;
  std::function<void(HistoryTest&)> act;
  const char* caption;  // the step's name in the undo item
  int selected;         // the object selected once the step is undone
  bool stored = true;   // the step changes what a document stores (else only the stacking)
};

class HistoryStepTest : public HistoryTest {
 public:
  void BuildPlan() {
    PlaceBell(20, {250, 120});  // 2 Колокол
    PlaceBell(30, {350, 200});  // 3 Колокол1
    QTest::mouseClick(W->ChordBox(5), Qt::LeftButton);  // 4 Балка
    Click(W->pnlBeems->btnBeem);
    DragPlan({240, 240}, {300, 270});  // 5 Балка1
    Settle();
  }
  // exposed to the rows
  using HistoryTest::Choose;
  using HistoryTest::Click;
  using HistoryTest::ClickEntry;
  using HistoryTest::DragPlan;
  using HistoryTest::PlaceBell;
  using HistoryTest::ToggleEntry;
  using HistoryTest::TypeAndEnter;
  TfmMain& Window() { return *W; }
};

TEST_F(HistoryStepTest, EachKindOfStepIsUndoneAndRedoneAlone) {
  const TStepRow rows[] = {
      {"placing a bell", [](HistoryTest& t) { static_cast<HistoryStepTest&>(t).PlaceBell(10, {300, 120}); },
       "добавление «Колокол2»", 5},
      {"dragging a bell",
       [](HistoryTest& t) { static_cast<HistoryStepTest&>(t).DragPlan({250, 120}, {270, 140}); },
       "перемещение «Колокол»", 2},
      {"dragging the pedestal",
       [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         const QPoint p = s.Window().FObjects[1]->PostPositionPx;
         s.DragPlan(p, p + QPoint(15, -10));
       },
       "перемещение «Постамент»", 1},
      {"placing a beam by dragging its end",
       [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.Click(s.Window().pnlBeems->btnBeem);
         s.DragPlan({380, 100}, {420, 160});
       },
       "добавление «Балка2»", 5},
      {"deleting", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(3);
         s.Click(s.Window().pnlObjView->btnObjDel);
       },
       "удаление «Колокол1»", 3},
      {"renaming", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(2);
         s.TypeAndEnter(s.Window().pnlBellProp->edObjBellName, QStringLiteral("Zvon"));
       },
       "переименование «Колокол»", 2},
      {"a walls edit with its chain", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(0);
         s.TypeAndEnter(s.Window().pnlWallProp->edDiameterOuter, QStringLiteral("9000"));
       },
       "изменение «Стены»", 0},
      {"a wall type from the list", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(0);
         s.Choose(s.Window().pnlWallProp->cbWallType, 1);
       },
       "изменение «Стены»", 0},
      {"a chord from the list", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(5);
         s.Choose(s.Window().pnlBeemProp->cbBeemOrientation, 13);
       },
       "изменение «Балка1»", 5},
      {"a bell position typed", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(3);
         s.TypeAndEnter(s.Window().pnlBellProp->edBPositionX, QStringLiteral("1234"));
       },
       "перемещение «Колокол1»", 3},
      {"a chord box ticked", [](HistoryTest& t) {
         QTest::mouseClick(static_cast<HistoryStepTest&>(t).Window().ChordBox(9), Qt::LeftButton);
       },
       "добавление «Балка2»", 5},
      {"a chord box cleared", [](HistoryTest& t) {
         QTest::mouseClick(static_cast<HistoryStepTest&>(t).Window().ChordBox(5), Qt::LeftButton);
       },
       "удаление «Балка»", 4},
      {"to the front", [](HistoryTest& t) {
         auto& s = static_cast<HistoryStepTest&>(t);
         s.ClickEntry(2);
         s.Click(s.Window().pnlObjView->btnBringToFront);
       },
       "на передний план «Колокол»", 2, false},
      {"a check mark", [](HistoryTest& t) { static_cast<HistoryStepTest&>(t).ToggleEntry(3); },
       "скрытие «Колокол1»", 3},
  };
  for (const TStepRow& r : rows) {
    SCOPED_TRACE(r.name);
    W->Menu.nNewDoc->trigger();
    BuildPlan();
    ASSERT_EQ(W->FObjects.size(), 6u);
    const int steps = Steps();
    const QByteArray before = Bytes();
    const std::vector<int> boxesBefore = CheckedBoxes();
    const std::vector<TLayer*> stackBefore = W->pnlImg->Layers().Order();
    r.act(*this);
    Settle();
    ASSERT_EQ(Steps(), steps + 1) << "one step";
    EXPECT_EQ(W->FHistory->undoText(), QString::fromUtf8(r.caption));
    EXPECT_EQ(W->Menu.nUndo->text(), QStringLiteral("Отменить: ") + QString::fromUtf8(r.caption));
    const QByteArray after = Bytes();
    const std::vector<int> boxesAfter = CheckedBoxes();
    const std::vector<TLayer*> stackAfter = W->pnlImg->Layers().Order();
    if (r.stored) {
      ASSERT_NE(after, before);
    } else {
      ASSERT_NE(stackAfter, stackBefore);
    }

    Undo();
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(CheckedBoxes(), boxesBefore);
    if (!r.stored) {
      EXPECT_EQ(W->pnlImg->Layers().Order(), stackBefore);
    }
    EXPECT_EQ(W->pnlObjView->clbObjects->count(), static_cast<int>(W->FObjects.size()));
    for (int i = 0; i < W->pnlObjView->clbObjects->count(); ++i) {
      EXPECT_EQ(W->pnlObjView->clbObjects->item(i)->text(), Obj(i).ObjName);
      EXPECT_EQ(W->pnlObjView->clbObjects->item(i)->checkState() == Qt::Checked, Obj(i).ObjVisible);
    }
    EXPECT_EQ(W->FCurIndex, r.selected);
    EXPECT_EQ(W->pnlObjView->clbObjects->currentRow(), r.selected);
    EXPECT_FALSE(W->FRenderer.Layer(WeightLayer)->isVisible());
    EXPECT_EQ(W->Menu.nRedo->text(), QStringLiteral("Повторить: ") + QString::fromUtf8(r.caption));

    Redo();
    EXPECT_EQ(Bytes(), after);
    EXPECT_EQ(CheckedBoxes(), boxesAfter);
    if (!r.stored) {
      EXPECT_EQ(W->pnlImg->Layers().Order(), stackAfter);
    }
    Settle();
    EXPECT_EQ(Steps(), steps + 1) << "showing a state is no new step";
  }
}

TEST_F(HistoryStepTest, WhatDoesNotChangeTheStoredPlanIsNoStep) {
  BuildPlan();
  const int steps = Steps();
  ClickEntry(2);  // selection
  ClickPlan({250, 120});
  W->pnlTools->btnApply->click();  // fixing
  Settle();
  QTest::mouseClick(W->pnlTools->btnApply, Qt::LeftButton);
  W->Menu.nHidePanels->trigger();  // panels
  W->Menu.nShowPanels->trigger();
  W->SetPlanClientSize(QSize(700, 420));  // the panel's size
  ClickEntry(0);
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("5600"));  // the value in force
  QTest::keyClicks(W->pnlWallProp->edDiameterInner, QStringLiteral("123"));  // typed, never applied
  ClickEntry(3);
  Settle();
  EXPECT_EQ(Steps(), steps);
  EXPECT_FALSE(W->Menu.nUndo->isEnabled() && Steps() == 0);
}

// With the event loop running between press, moves and release, as it does for a user, and a
// key pressed on the way, placing a beam and dragging its end is still one step.
TEST_F(HistoryStepTest, APressDragAndReleaseIsOneStepWhateverRunsBetween) {
  BuildPlan();
  const int steps = Steps();
  Click(W->pnlBeems->btnBeem);
  Settle();
  QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, QPoint(384, 104));
  Settle();
  for (int i = 1; i <= 4; ++i) {
    QTest::mouseMove(W->pnlImg, QPoint(384 + 10 * i, 104 + 12 * i));
    if (i == 2) QTest::keyClick(W->pnlImg, Qt::Key_Shift);  // a key pressed mid-drag
    Settle();
  }
  QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, QPoint(424, 152));
  Settle();
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_EQ(W->FHistory->undoText(), QStringLiteral("добавление «Балка2»"));
  Undo();
  EXPECT_EQ(W->FObjects.size(), 6u);
}

// An operation is one step by itself, called with no input event and no event loop between:
// the step comes from the operation's edit, not from watching what the user pressed.
TEST_F(HistoryStepTest, EachOperationIsOneStepWithoutAnyInputEvent) {
  struct TRow {
    const char* name;
    int select;  // the object the operation works on
    std::function<void(TfmMain&)> act;
    const char* caption;
  };
  const TRow rows[] = {
      {"outer diameter", 0, [](TfmMain& w) { w.FDocument.SetWallDiameterOuter(7200); }, "изменение «Стены»"},
      {"arch width", 0, [](TfmMain& w) { w.FDocument.SetWallArcWidth(900); }, "изменение «Стены»"},
      {"wall type and its arches", 0, [](TfmMain& w) { Q_EMIT w.pnlWallProp->cbWallType->activated(2); }, "изменение «Стены»"},
      {"pedestal angle", 1, [](TfmMain& w) { w.FDocument.SetPostAngle(90); }, "изменение «Постамент»"},
      {"pedestal position", 1, [](TfmMain& w) { w.FDocument.SetPostPositionX(2000); }, "перемещение «Постамент»"},
      {"bell position", 2, [](TfmMain& w) { w.FDocument.SetBellPosition(w.FCurIndex, false, 2500); }, "перемещение «Колокол»"},
      {"beam width", 5, [](TfmMain& w) { w.FDocument.SetBeemWidth(w.FCurIndex, 250); }, "изменение «Балка1»"},
      {"a free beam's end", 5, [](TfmMain& w) { w.FDocument.SetBeemPoint(w.FCurIndex, 2, 3000); }, "перемещение «Балка1»"},
      {"a chord beam's end", 4, [](TfmMain& w) { w.FDocument.SetBeemPoint(w.FCurIndex, 1, 1000); }, "изменение «Балка»"},
      {"a chord box", 0, [](TfmMain& w) { w.ChordBoxClick(11, true); }, "добавление «Балка2»"},
  };
  for (const TRow& r : rows) {
    SCOPED_TRACE(r.name);
    W->Menu.nNewDoc->trigger();
    BuildPlan();
    W->SelectObject(r.select);
    const int steps = Steps();
    const QByteArray before = Bytes();
    r.act(*W);
    const QByteArray after = Bytes();
    ASSERT_NE(after, before);
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(W->FHistory->undoText(), QString::fromUtf8(r.caption));
    W->FHistory->undo();
    EXPECT_EQ(Bytes(), before);
    W->FHistory->redo();  // really redone: the plan shown again as the operation left it
    EXPECT_EQ(Bytes(), after);
  }
}

TEST_F(HistoryStepTest, ANewChangeAfterUndoDropsTheRedoSteps) {
  BuildPlan();
  const int steps = Steps();
  DragPlan({250, 120}, {260, 130});
  Settle();
  Undo();
  EXPECT_TRUE(W->Menu.nRedo->isEnabled());
  DragPlan({350, 200}, {330, 190});
  Settle();
  EXPECT_EQ(Steps(), steps + 1);
  EXPECT_FALSE(W->Menu.nRedo->isEnabled());
  EXPECT_EQ(W->Menu.nRedo->text(), QStringLiteral("Повторить"));
  // New and Open start an empty history
  W->Menu.nNewDoc->trigger();
  EXPECT_FALSE(W->Menu.nUndo->isEnabled());
  EXPECT_FALSE(W->pnlTools->btnUndo->isEnabled());
}

// The unsaved-changes question, for each way of setting the plan aside and each answer.
TEST_F(HistoryStepTest, UnsavedChangesAreAskedAboutOnlyWhenThereAreAny) {
  const QString saved = TempPath(QStringLiteral("saved.tarvosk"));
  const QString other = TempPath(QStringLiteral("other.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(other));
  struct Path {
    const char* name;
    std::function<void()> go;
    std::function<bool()> wentOn;  // the plan was set aside
  };
  const Path paths[] = {
      {"close", [&] { W->close(); }, [&] { return !W->isVisible(); }},
      {"new", [&] { W->Menu.nNewDoc->trigger(); }, [&] { return W->FObjects.size() == 2u; }},
      {"open", [&] { W->OpenChosenDocument(other); }, [&] { return W->FObjects.size() == 2u; }},
      {"recent", [&] { W->OpenRecent(other); }, [&] { return W->FObjects.size() == 2u; }},
  };
  for (const Path& p : paths) {
    for (int answer : {2, 1, 0}) {
      SCOPED_TRACE(testing::Message() << p.name << " answer " << answer);
      W->show();
      W->FDocument.SetPath(saved);  // saving goes to the document's own file
      QFile::remove(saved);
      PlaceBell(12, {300, 150});
      Settle();
      EXPECT_TRUE(W->windowTitle().endsWith(QStringLiteral("saved.tarvosk*")));
      Questions.clear();
      SaveAnswer = answer;
      p.go();
      Settle();
      ASSERT_EQ(Questions.size(), 1);
      EXPECT_EQ(Questions[0], QStringLiteral("Сохранить изменения в документе «saved.tarvosk»?"));
      EXPECT_EQ(p.wentOn(), answer != 2);
      EXPECT_EQ(QFile::exists(saved), answer == 0);
      if (answer == 2) {
        EXPECT_EQ(W->FObjects.size(), 3u);  // cancelled: all as it was
        EXPECT_TRUE(W->windowTitle().endsWith(u'*'));
      }
      W->show();
      W->Menu.nNewDoc->trigger();  // a clean plan for the next round
      SaveAnswer = 1;
    }
    // no question when clean, or once undone back to clean
    Questions.clear();
    W->FDocument.SetPath(saved);
    PlaceBell(12, {300, 150});
    Settle();
    Undo();
    EXPECT_FALSE(W->windowTitle().endsWith(u'*'));
    p.go();
    Settle();
    EXPECT_TRUE(Questions.isEmpty());
    W->show();
    W->Menu.nNewDoc->trigger();
  }
}

TEST_F(HistoryStepTest, TheTitleNamesTheDocumentAndMarksUnsavedWork) {
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - Без имени"));
  PlaceBell(12, {300, 150});
  Settle();
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - Без имени*"));
  const QString path = TempPath(QStringLiteral("План яруса.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - План яруса.tarvosk"));
  Undo();
  EXPECT_EQ(W->windowTitle(), QStringLiteral("Тарвоск 1.0.3a - Орвелин - План яруса.tarvosk*"));
  Redo();
  EXPECT_FALSE(W->windowTitle().endsWith(u'*'));
  EXPECT_EQ(W->FSession.SaveDialogStart(), path);  // the save dialog starts at the document
}

// From the full plan, random edits through the window's handlers and events; undoing them all
// gives back each state's bytes, redoing them all the end's.
// Four shards of fifty sequences, so that the test runner spreads them over the cores.
class RandomHistoryTest : public HistoryTest, public ::testing::WithParamInterface<int> {};

TEST_P(RandomHistoryTest, EditsUndoAndRedoToTheBytesOfEveryState) {
  const int sequences = qEnvironmentVariableIsSet("TARVOSK_HISTORY_SEQUENCES")
                            ? qEnvironmentVariableIntValue("TARVOSK_HISTORY_SEQUENCES")
                            : 50;
  const QString full = TempPath(QStringLiteral("full.tarvosk"));
  {
    QFile f(full);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(PlanDocumentBytes(42, 24, 20));  // every bell and chord, some free beams
  }
  std::mt19937 rng(2026 + static_cast<unsigned>(GetParam()));
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (int seq = 0; seq < sequences; ++seq) {
    ASSERT_TRUE(W->OpenDocument(full));
    // Each state as captured; a save writes its bytes from exactly these fields, and the bytes
    // themselves are compared at the ends of every sequence.
    const QByteArray startBytes = Bytes();
    std::vector<TPlanModel> states{TPlanModel::Capture(W->FObjects)};
    for (int e = 0; e < 30; ++e) {
      const int n = static_cast<int>(W->FObjects.size());
      const int target = 2 + pick(n - 2);
      switch (pick(9)) {
        case 0: {  // drag whatever is under a point
          const QPoint from(60 + pick(480), 60 + pick(240));
          DragPlan(from, from + QPoint(pick(41) - 20, pick(41) - 20));
          break;
        }
        case 1:  // delete
          ClickEntry(target);
          Click(W->pnlObjView->btnObjDel);
          break;
        case 2: {  // place a bell that is not on the plan (after a deletion)
          for (int slot = 0; slot < kBellCount; ++slot) {
            if (W->FBellSlots[static_cast<size_t>(slot)] == kNoBell) {
              PlaceBell(slot + 1, QPoint(80 + pick(450), 80 + pick(200)));
              break;
            }
          }
          break;
        }
        case 3:  // a walls size
          ClickEntry(0);
          TypeAndEnter(pick(2) ? W->pnlWallProp->edDiameterOuter : W->pnlWallProp->edWallWidth, QString::number(3000 + pick(9000)));
          break;
        case 4:  // a chord box
          QTest::mouseClick(W->ChordBox(1 + pick(24)), Qt::LeftButton);
          break;
        case 5:  // front or back
          ClickEntry(target);
          Click(pick(2) ? W->pnlObjView->btnBringToFront : W->pnlObjView->btnSendToBack);
          break;
        case 6:  // a check mark
          ToggleEntry(target);
          break;
        case 7:  // a name
          ClickEntry(target);
          TypeAndEnter(Obj(target).ObjType == okBell ? W->pnlBellProp->edObjBellName : W->pnlBeemProp->edBeemObjName,
                       QStringLiteral("Name%1").arg(pick(5)));
          break;
        default:  // the wall type
          ClickEntry(0);
          Choose(W->pnlWallProp->cbWallType, pick(3));
          break;
      }
      Settle();
      if (Steps() + 1 > static_cast<int>(states.size())) states.push_back(TPlanModel::Capture(W->FObjects));
      ASSERT_EQ(Steps() + 1, static_cast<int>(states.size())) << "sequence " << seq << " edit " << e;
      ASSERT_TRUE(TPlanModel::Capture(W->FObjects) == states.back()) << "sequence " << seq << " edit " << e;
    }
    const QByteArray endBytes = Bytes();
    for (int i = static_cast<int>(states.size()) - 2; i >= 0; --i) {
      Undo();
      ASSERT_TRUE(TPlanModel::Capture(W->FObjects) == states[static_cast<size_t>(i)])
          << "sequence " << seq << " undo to " << i;
    }
    ASSERT_EQ(Bytes(), startBytes) << "sequence " << seq;
    for (size_t i = 1; i < states.size(); ++i) {
      Redo();
      ASSERT_TRUE(TPlanModel::Capture(W->FObjects) == states[i]) << "sequence " << seq << " redo to " << i;
    }
    ASSERT_EQ(Bytes(), endBytes) << "sequence " << seq;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, RandomHistoryTest, ::testing::Range(0, 4));

}  // namespace
