// The object list, its combo box, selection, the list commands and the popup menu, driven with
// real clicks and keys.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QStackedWidget>
#include <functional>
#include <tuple>

#include "plan/plan_window_test.h"
#include "controls/bell_page.h"
#include "platform/layer.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kSilver = 0xC0C0C0;

QRgb Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

bool AllWhite(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Rgb(image, x, y) != kWhite) return false;
  return true;
}

// Walls, pedestal, two bells and a beam: indexes 0 to 4.
class ObjectListTest : public PlanWindowTest {
 protected:
  void SetUp() override {
    PlanWindowTest::SetUp();
    ASSERT_EQ(PlaceBell(8, QPoint(240, 100)), 2);
    ASSERT_EQ(PlaceBell(3, QPoint(380, 100)), 3);
    ASSERT_EQ(PlaceBeam(QPoint(230, 260), QPoint(290, 262)), 4);
  }

  void ExpectCurrent(int index, const std::string& why) {
    EXPECT_EQ(W->FCurIndex, index) << why;
    EXPECT_EQ(List()->currentRow(), index) << why;
    EXPECT_EQ(W->cbObjects->currentIndex(), index) << why;
  }

  // The silver frame's left edge is on the selection layer at FSelRect.
  bool FrameShownAt(const TLtrb& f) const {
    const QImage& sel = W->FRenderer.Layer(SelectionLayer)->Canvas();
    return Rgb(sel, f.l, (f.t + f.b) / 2) == kSilver && Rgb(sel, (f.l + f.r) / 2, f.t) == kSilver;
  }
};

TEST_F(ObjectListTest, ListAndComboFollowTheObjects) {
  EXPECT_EQ(ListTexts(), Names());
  EXPECT_EQ(ComboTexts(), Names());
  for (int i = 0; i < List()->count(); ++i) {
    EXPECT_EQ(List()->item(i)->checkState(), Qt::Checked) << i;
    EXPECT_TRUE(List()->item(i)->flags() & Qt::ItemIsUserCheckable) << i;
  }
  // the last placement left its object current and handed the focus to the list
  ExpectCurrent(4, "after placing the beam");
  EXPECT_TRUE(List()->hasFocus());
}

TEST_F(ObjectListTest, ClickingAnEntryShowsItsPage) {
  struct Row { int row; std::function<QWidget*(TfmMain&)> page; };
  const Row rows[] = {{2, [](TfmMain& w) -> QWidget* { return w.pnlBellProp; }}, {1, [](TfmMain& w) -> QWidget* { return w.pnlPostProp; }},
                      {4, [](TfmMain& w) -> QWidget* { return w.pnlBeemProp; }}, {0, [](TfmMain& w) -> QWidget* { return w.pnlWallProp; }},
                      {3, [](TfmMain& w) -> QWidget* { return w.pnlBellProp; }}};
  for (const Row& r : rows) {
    ClickEntry(r.row);
    ExpectCurrent(r.row, "click");
    EXPECT_EQ(W->pnlInspPages->currentWidget(), r.page(*W)) << r.row;
  }
  EXPECT_EQ(W->pnlBellProp->edObjBellName->text(), Obj(3).ObjName);
  // the combo box of the inspector selects as well, the list following it
  W->cbObjects->setFocus();
  QTest::keyClick(W->cbObjects, Qt::Key_Up);
  ExpectCurrent(2, "combo");
  EXPECT_EQ(W->pnlBellProp->edObjBellName->text(), Obj(2).ObjName);
  // and so do the arrow keys in the list
  PressWithListFocus(Qt::Key_Down);
  ExpectCurrent(3, "arrow key");
}

// A click on the entry already current fills its page afresh, dropping what was typed unapplied.
TEST_F(ObjectListTest, ClickingTheCurrentEntryRefillsItsPage) {
  ClickEntry(2);
  W->pnlBellProp->edBPositionX->setFocus();
  W->pnlBellProp->edBPositionX->selectAll();
  QTest::keyClicks(W->pnlBellProp->edBPositionX, QStringLiteral("123"));
  ClickEntry(2);
  EXPECT_EQ(W->pnlBellProp->edBPositionX->Value(), Obj(2).BellPosition.x());
}

// Frames of the bell and the pedestal as selecting them leaves them on the selection layer.
TEST_F(ObjectListTest, SelectionFrames) {
  ClickEntry(2);
  const TPlanObject& bell = Obj(2);
  const int r = bell.BellDiameterPx / 2;
  const QPoint p = bell.BellPositionPx;
  const TLtrb& f = W->FSelRect;
  EXPECT_EQ(std::tie(f.l, f.t, f.r, f.b), std::make_tuple(p.x() - r - 6, p.y() - r - 6, p.x() + r, p.y() + r));
  EXPECT_TRUE(FrameShownAt(f));
  const TLtrb bellFrame = f;

  ClickEntry(1);
  const QRect g = Obj(1).Layer->geometry();
  EXPECT_EQ(std::tie(f.l, f.t, f.r, f.b),
            std::make_tuple(g.left() - 6, g.top() - 6, g.left() + g.width() - 1, g.top() + g.height() - 1));
  EXPECT_TRUE(FrameShownAt(f));
  EXPECT_FALSE(FrameShownAt(bellFrame)) << "the bell's frame was not erased";

  // a beam is framed by its outline; the next selection clears it
  ClickEntry(4);
  EXPECT_TRUE(W->FBeamOutlineShown);
  ClickEntry(0);
  EXPECT_FALSE(W->FBeamOutlineShown);
  const QPoint mid = (Obj(4).BeemBeginPointPx + Obj(4).BeemEndPointPx) / 2;
  EXPECT_EQ(Rgb(W->FRenderer.Layer(SelectionLayer)->Canvas(), mid.x(), mid.y()), kWhite);
}

TEST_F(ObjectListTest, DeletingTheFifthOfEight) {
  ASSERT_EQ(PlaceBell(4, QPoint(240, 160)), 5);
  ASSERT_EQ(PlaceBeam(QPoint(230, 200), QPoint(280, 210)), 6);
  ASSERT_EQ(PlaceBell(2, QPoint(380, 160)), 7);
  const TPlanObject* sixth = W->FObjects[6].get();
  const QString sixthName = sixth->ObjName;
  const QPointer<TLayer> doomed = Obj(5).Layer;
  QStringList expected = Names();
  expected.removeAt(5);

  ClickEntry(5);
  W->pnlObjView->btnObjDel->click();
  ASSERT_EQ(W->FObjects.size(), 7u);
  EXPECT_EQ(W->FObjects[5].get(), sixth);
  EXPECT_EQ(Names(), expected);
  EXPECT_EQ(ListTexts(), expected);
  EXPECT_EQ(ComboTexts(), expected);
  EXPECT_TRUE(doomed.isNull()) << "the deleted bell's layer is still on the plan";
  ExpectCurrent(0, "after the deletion");
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp);
  EXPECT_EQ(W->FBellSlots[4], -1);
  EXPECT_EQ(W->FBellSlots[2], 6);

  // the next saved document holds the former object 6 in section 5
  const QString path = TempPath(QStringLiteral("seven.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  W->Menu.nNewDoc->trigger();
  ASSERT_TRUE(W->OpenDocument(path));
  EXPECT_EQ(Names(), expected);
}

// The walls and the pedestal stay, whichever way the deletion is asked for.
TEST_F(ObjectListTest, WallsAndPedestalCannotBeDeleted) {
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"button", [&] { W->pnlObjView->btnObjDel->click(); }},
      {"menu item", [&] { W->Menu.nObjDel->trigger(); }},
      {"Del in the list", [&] { PressWithListFocus(Qt::Key_Delete); }},
  };
  const QStringList names = Names();
  for (int row : {0, 1}) {
    for (const auto& [how, act] : ways) {
      ClickEntry(row);
      act();
      EXPECT_EQ(Names(), names) << how << " on row " << row;
      ExpectCurrent(row, std::string(how) + " leaves its object current");
    }
  }
}

// Del, F12 and F11 act while the list has the focus, which a click on the plan hands to it.
TEST_F(ObjectListTest, KeysWhileTheListHasTheFocus) {
  const TPlanObject& bell = Obj(3);
  ClickPlan(bell.BellPositionPx);
  ASSERT_EQ(W->FCurIndex, 3);
  ASSERT_TRUE(List()->hasFocus());
  TLayer* layer = bell.Layer;

  QTest::keyClick(List(), Qt::Key_F12);
  EXPECT_EQ(Stack(layer), StackTop()) << "F12 lifts the bell above every layer";
  EXPECT_LT(Stack(W->FRenderer.Layer(SelectionLayer)), Stack(layer));

  QTest::keyClick(List(), Qt::Key_F11);
  EXPECT_EQ(Stack(layer), 0) << "F11 sends it below every fixed layer";

  // keys typed elsewhere are not the list's commands
  W->cbObjects->setFocus();
  QTest::keyClick(W->cbObjects, Qt::Key_Delete);
  EXPECT_EQ(W->FObjects.size(), 5u);

  const QString name = bell.ObjName;
  PressWithListFocus(Qt::Key_Delete);
  EXPECT_EQ(W->FObjects.size(), 4u);
  EXPECT_FALSE(Names().contains(name));
  ExpectCurrent(0, "after Del");
}

TEST_F(ObjectListTest, PreviousAndNextWrapAround) {
  struct Row { int from; std::function<void()> act; int to; const char* what; };
  const Row rows[] = {
      {4, [&] { W->pnlObjView->btnNextObj->click(); }, 0, "next on the last"},
      {0, [&] { W->pnlObjView->btnPrevObj->click(); }, 4, "previous on the walls"},
      {1, [&] { W->pnlObjView->btnNextObj->click(); }, 2, "next"},
      {3, [&] { W->pnlObjView->btnPrevObj->click(); }, 2, "previous"},
      {4, [&] { W->Menu.nNextObj->trigger(); }, 0, "menu next on the last"},
      {0, [&] { W->Menu.nPrevObj->trigger(); }, 4, "menu previous on the walls"},
  };
  for (const Row& r : rows) {
    ClickEntry(r.from);
    r.act();
    ExpectCurrent(r.to, r.what);
  }
  ClickEntry(2);
  W->pnlObjView->btnNextObj->click();
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBellProp);
  EXPECT_EQ(W->pnlBellProp->edObjBellName->text(), Obj(3).ObjName);
}

// Unchecking a bell blanks it and its frame; checking it again draws it without a frame until
// it is selected again.
TEST_F(ObjectListTest, CheckMarksHideAndShowABell) {
  ClickEntry(2);
  const TLtrb frame = W->FSelRect;
  ASSERT_TRUE(FrameShownAt(frame));

  ClickCheck(2);
  EXPECT_EQ(List()->item(2)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Obj(2).ObjVisible);
  EXPECT_TRUE(AllWhite(Obj(2).Layer->Canvas()));
  EXPECT_FALSE(FrameShownAt(frame));
  ExpectCurrent(2, "unchecked");

  ClickCheck(2);
  EXPECT_TRUE(Obj(2).ObjVisible);
  EXPECT_FALSE(AllWhite(Obj(2).Layer->Canvas()));
  EXPECT_FALSE(FrameShownAt(frame)) << "a bell shown again gets its frame only when selected";

  ClickEntry(0);
  ClickEntry(2);
  EXPECT_TRUE(FrameShownAt(frame));

  // the check mark of an entry that is not selected: the keyboard's space bar on the current one
  ClickEntry(3);
  PressWithListFocus(Qt::Key_Space);
  EXPECT_FALSE(Obj(3).ObjVisible);
  EXPECT_TRUE(AllWhite(Obj(3).Layer->Canvas()));
  // a hidden bell cannot be hit on the plan: the click selects the walls
  ClickPlan(Obj(3).BellPositionPx);
  EXPECT_EQ(W->FCurIndex, 0);
}

// A hidden beam takes its outline off the selection layer, as a hidden bell takes its frame.
TEST_F(ObjectListTest, CheckMarkHidesABeamWithItsOutline) {
  ClickEntry(2);
  ClickEntry(4);
  ASSERT_TRUE(W->FBeamOutlineShown);
  auto silver = [&] {
    const QImage& sel = W->FRenderer.Layer(SelectionLayer)->Canvas();
    int n = 0;
    for (int y = 0; y < sel.height(); ++y)
      for (int x = 0; x < sel.width(); ++x) n += Rgb(sel, x, y) == kSilver ? 1 : 0;
    return n;
  };
  ASSERT_GT(silver(), 0);
  ClickCheck(4);
  EXPECT_FALSE(Obj(4).ObjVisible);
  EXPECT_TRUE(AllWhite(Obj(4).Layer->Canvas()));
  EXPECT_EQ(silver(), 0) << "the hidden beam's outline is still on the plan";
  ClickCheck(4);
  EXPECT_EQ(silver(), 0);
  ClickEntry(0);
  ClickEntry(4);
  EXPECT_GT(silver(), 0);
}

// Walls and pedestal hide and show like any other object; a hidden pedestal takes its ringer.
TEST_F(ObjectListTest, CheckMarksOfWallsAndPedestal) {
  ClickCheck(0);
  EXPECT_FALSE(Obj(0).ObjVisible);
  EXPECT_TRUE(AllWhite(Obj(0).Layer->Canvas()));
  EXPECT_FALSE(FrameShownAt(W->FSelRect));
  EXPECT_EQ(Obj(0).WallOuterPointsPx.size(), 4u) << "hidden walls keep their outline";
  ClickCheck(0);
  EXPECT_TRUE(Obj(0).ObjVisible);
  EXPECT_FALSE(AllWhite(Obj(0).Layer->Canvas()));

  ClickCheck(1);
  EXPECT_FALSE(Obj(1).ObjVisible);
  EXPECT_FALSE(W->FRenderer.Layer(RingerLayer)->isVisible());
  ClickCheck(1);
  EXPECT_TRUE(Obj(1).ObjVisible);
  EXPECT_TRUE(W->FRenderer.Layer(RingerLayer)->isVisible());

  // a new document brings everything back shown and checked
  ClickCheck(0);
  W->pnlTools->btnNewDoc->click();
  ASSERT_EQ(W->FObjects.size(), 2u);
  EXPECT_TRUE(Obj(0).ObjVisible);
  EXPECT_EQ(List()->item(0)->checkState(), Qt::Checked);
  EXPECT_FALSE(AllWhite(Obj(0).Layer->Canvas()));
}

// Bring to front and send to back restack only the layers; a click on the plan lifts the
// clicked object and puts the ringer and selection layers back on top.
TEST_F(ObjectListTest, BringToFrontAndSendToBack) {
  const QStringList names = Names();
  ClickEntry(2);
  W->pnlObjView->btnBringToFront->click();
  EXPECT_EQ(Stack(Obj(2).Layer), StackTop());
  EXPECT_EQ(Names(), names);
  W->pnlObjView->btnSendToBack->click();
  EXPECT_EQ(Stack(Obj(2).Layer), 0);
  W->Menu.nBringToFront->trigger();
  EXPECT_EQ(Stack(Obj(2).Layer), StackTop());

  ClickPlan(Obj(3).BellPositionPx);
  EXPECT_EQ(W->FCurIndex, 3);
  EXPECT_EQ(Stack(W->FRenderer.Layer(SelectionLayer)), StackTop());
  EXPECT_EQ(Stack(W->FRenderer.Layer(RingerLayer)), StackTop() - 1);
  EXPECT_GT(Stack(Obj(3).Layer), Stack(Obj(2).Layer));
  EXPECT_EQ(Names(), names);
}

// A right click makes the entry under the pointer current; below the last entry it does nothing.
TEST_F(ObjectListTest, RightClickSelects) {
  ClickEntry(0);
  ClickEntry(3, Qt::RightButton);
  ExpectCurrent(3, "right click");
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBellProp);
  const QPoint below = EntryCentre(4) + QPoint(0, 4 * List()->visualItemRect(List()->item(4)).height());
  ASSERT_EQ(List()->itemAt(below), nullptr);
  QTest::mouseClick(List()->viewport(), Qt::RightButton, Qt::NoModifier, below);
  ExpectCurrent(3, "right click below the entries");
}

TEST_F(ObjectListTest, PopupMenu) {
  const QList<QAction*> actions = W->Menu.pmObjMenu->actions();
  ASSERT_EQ(actions.size(), 7);
  struct Item { QAction* action; const char* text; QKeySequence keys; };
  const Item items[] = {{W->Menu.nObjDel, "Удалить объект", QKeySequence(Qt::Key_Delete)},
                        {nullptr, "", {}},
                        {W->Menu.nBringToFront, "Приблизить объект", QKeySequence(Qt::Key_F12)},
                        {W->Menu.nSendToBack, "Отдалить объект", QKeySequence(Qt::Key_F11)},
                        {nullptr, "", {}},
                        {W->Menu.nPrevObj, "Предыдущий объект", {}},
                        {W->Menu.nNextObj, "Следующий объект", {}}};
  for (int i = 0; i < 7; ++i) {
    const Item& it = items[i];
    if (!it.action) {
      EXPECT_TRUE(actions[i]->isSeparator()) << i;
      continue;
    }
    EXPECT_EQ(actions[i], it.action) << i;
    EXPECT_EQ(it.action->text(), QString::fromUtf8(it.text));
    EXPECT_EQ(it.action->shortcut(), it.keys) << it.text;
  }
  struct Button { QToolButton* b; const char* hint; int x; };
  for (const Button& b : {Button{W->pnlObjView->btnObjDel, "Удалить объект", 4},
                          Button{W->pnlObjView->btnBringToFront, "Приблизить объект", 28},
                          Button{W->pnlObjView->btnSendToBack, "Отдалить объект", 52},
                          Button{W->pnlObjView->btnPrevObj, "Предыдущий объект", 76},
                          Button{W->pnlObjView->btnNextObj, "Следующий объект", 100}}) {
    EXPECT_EQ(b.b->toolTip(), QString::fromUtf8(b.hint));
    EXPECT_EQ(b.b->geometry(), QRect(b.x, 4, 23, 22)) << b.hint;
    EXPECT_FALSE(b.b->icon().isNull()) << b.hint;
  }

  // right click on a bell, the menu opens, its first item deletes that bell
  ClickEntry(0);
  ClickEntry(3, Qt::RightButton);
  const QString name = Obj(3).ObjName;
  const QPoint at = EntryCentre(3);
  QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, List()->viewport()->mapToGlobal(at));
  QApplication::sendEvent(List()->viewport(), &menuEvent);
  ASSERT_TRUE(W->Menu.pmObjMenu->isVisible());
  QTest::keyClick(W->Menu.pmObjMenu, Qt::Key_Down);
  ASSERT_EQ(W->Menu.pmObjMenu->activeAction(), W->Menu.nObjDel);
  QTest::keyClick(W->Menu.pmObjMenu, Qt::Key_Return);
  EXPECT_FALSE(W->Menu.pmObjMenu->isVisible());
  EXPECT_EQ(W->FObjects.size(), 4u);
  EXPECT_FALSE(Names().contains(name));
  ExpectCurrent(0, "after the menu's deletion");
}

// Deleting a beam laid along a chord unchecks that chord's box and deletes no other beam.
TEST_F(ObjectListTest, DeletingAChordBeam) {
  QCheckBox* cb1 = W->ChordBox(1);
  cb1->click();
  ASSERT_EQ(W->FObjects.size(), 6u);
  ASSERT_EQ(Obj(5).BeemOrientation, 1);
  W->ChordBox(2)->click();
  ASSERT_EQ(W->FObjects.size(), 7u);
  ClickEntry(5);
  W->pnlObjView->btnObjDel->click();
  EXPECT_FALSE(cb1->isChecked());
  EXPECT_TRUE(W->ChordBox(2)->isChecked());
  ASSERT_EQ(W->FObjects.size(), 6u);
  EXPECT_EQ(Obj(5).BeemOrientation, 2);
  EXPECT_EQ(Obj(4).ObjType, okBeam);
}

// Deleting the only bell of group 3 redraws the pedestal without its pedal.
TEST_F(ObjectListTest, DeletingTheHeavyBellTakesItsPedal) {
  W->Menu.nNewDoc->trigger();
  const QImage bare = Obj(1).Layer->Canvas().copy();
  const QRect bareBounds = Obj(1).Layer->geometry();
  const QPoint at[] = {{230, 90}, {260, 90}, {290, 90}, {320, 90}, {350, 90}};
  for (int slot = 0; slot < 5; ++slot) PlaceBell(slot, at[slot]);
  ASSERT_EQ(W->CountHeavyBellsNow(), 1);
  EXPECT_NE(Obj(1).Layer->Canvas(), bare) << "the heavy bell has a pedal";
  ClickEntry(6);  // slot 4, the first met in the walk
  ASSERT_EQ(Obj(6).BellGroup, 3);
  W->pnlObjView->btnObjDel->click();
  EXPECT_EQ(W->CountHeavyBellsNow(), 0);
  EXPECT_EQ(Obj(1).Layer->Canvas(), bare);
  EXPECT_EQ(Obj(1).Layer->geometry(), bareBounds);
}

}  // namespace

TEST_F(ObjectListTest, EntriesAreThirteenPixelsHigh) {
  for (int row = 0; row < W->pnlObjView->clbObjects->count(); ++row) {
    const QRect r = W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(row));
    EXPECT_EQ(r.height(), 13) << row;
    EXPECT_EQ(r.top(), W->pnlObjView->clbObjects->visualItemRect(W->pnlObjView->clbObjects->item(0)).top() + 13 * row);
  }
}
