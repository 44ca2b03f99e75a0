// Creating objects with the pointer and naming them, as the user meets it.
#include <QComboBox>
#include <QStackedWidget>

#include "plan/naming.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "plan/plan_window_test.h"
#include "platform/layer.h"

namespace {

using NamingTest = PlanWindowTest;

TEST_F(NamingTest, BellsPlacedWithThePointer) {
  PlaceBell(0, QPoint(240, 100));
  PlaceBell(1, QPoint(300, 100));
  PlaceBell(2, QPoint(360, 100));
  const QStringList three = {QStringLiteral("Стены"), QStringLiteral("Постамент"), QStringLiteral("Колокол"),
                             QStringLiteral("Колокол1"), QStringLiteral("Колокол2")};
  EXPECT_EQ(Names(), three);
  EXPECT_EQ(ListTexts(), three);
  EXPECT_EQ(ComboTexts(), three);
  EXPECT_EQ(W->pnlBellProp->edObjBellName->text(), QStringLiteral("Колокол2"));

  // the freed name is the next one given
  ClickEntry(3);
  W->pnlObjView->btnObjDel->click();
  EXPECT_EQ(PlaceBell(3, QPoint(300, 160)), 4);
  EXPECT_EQ(Obj(4).ObjName, QStringLiteral("Колокол1"));
  EXPECT_EQ(List()->item(4)->text(), QStringLiteral("Колокол1"));
  EXPECT_EQ(List()->item(4)->checkState(), Qt::Checked);
  EXPECT_EQ(W->cbObjects->itemText(4), QStringLiteral("Колокол1"));
}

TEST_F(NamingTest, BeamsPlacedWithThePointer) {
  PlaceBeam(QPoint(230, 250), QPoint(300, 250));
  // a click without a move still makes a beam, one pixel long on each axis
  W->pnlBeems->btnBeem->click();
  ClickPlan(QPoint(240, 200));
  ASSERT_EQ(W->FObjects.size(), 4u);
  EXPECT_EQ(Obj(2).ObjName, QStringLiteral("Балка"));
  EXPECT_EQ(Obj(3).ObjName, QStringLiteral("Балка1"));
  EXPECT_EQ(Obj(3).BeemBeginPointPx, QPoint(240, 200));
  EXPECT_EQ(Obj(3).BeemEndPointPx, QPoint(241, 201));
  EXPECT_NE(Obj(3).BeemBeginPoint, Obj(3).BeemEndPoint);
  EXPECT_EQ(W->FCurIndex, 3);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBeemProp);
}

// Renaming through each page's name field with Enter: bells "Колокол" (2) and "Колокол1" (3),
// the beam "Балка" (4).
TEST_F(NamingTest, RenamingThroughTheNameFields) {
  struct Row {
    int index;
    std::function<QLineEdit*(TfmMain&)> field;
    const char* typed;
    const char* name;
  };
  const Row rows[] = {
      {2, [](TfmMain& w) { return w.pnlBellProp->edObjBellName; }, "Балка", "Балка1"},
      {3, [](TfmMain& w) { return w.pnlBellProp->edObjBellName; }, "колокол", "колокол"},   // case matters
      {3, [](TfmMain& w) { return w.pnlBellProp->edObjBellName; }, "Колокол", "Колокол2"},  // its own name counts as taken
      {2, [](TfmMain& w) { return w.pnlBellProp->edObjBellName; }, "Колокол", "Колокол"},   // unchanged: no number added
      {1, [](TfmMain& w) { return w.pnlPostProp->edPostObjName; }, "Стены", "Стены1"},
      {4, [](TfmMain& w) { return w.pnlBeemProp->edBeemObjName; }, "Постамент", "Постамент1"},
      {4, [](TfmMain& w) { return w.pnlBeemProp->edBeemObjName; }, "Опора", "Опора"},
  };
  for (const Row& r : rows) {
    W->Menu.nNewDoc->trigger();
    PlaceBell(0, QPoint(240, 100));
    PlaceBell(1, QPoint(300, 100));
    PlaceBeam(QPoint(230, 250), QPoint(300, 250));
    ClickEntry(r.index);
    QLineEdit* edit = r.field(*W);
    ASSERT_TRUE(edit->isVisible()) << r.typed;
    TypeNameAndEnter(edit, QString::fromUtf8(r.typed));
    const QString name = QString::fromUtf8(r.name);
    EXPECT_EQ(Obj(r.index).ObjName, name) << r.typed;
    EXPECT_EQ(List()->item(r.index)->text(), name) << r.typed;
    EXPECT_EQ(W->cbObjects->itemText(r.index), name) << r.typed;
    EXPECT_EQ(List()->item(r.index)->checkState(), Qt::Checked) << r.typed;
    EXPECT_EQ(List()->currentRow(), r.index) << r.typed;
    EXPECT_EQ(W->cbObjects->currentIndex(), r.index) << r.typed;
    EXPECT_EQ(edit->text(), QString::fromUtf8(r.typed)) << "the field keeps what was typed";
  }
}

// A renamed object's old name is free again; a hidden entry keeps its check mark off.
TEST_F(NamingTest, RenameFreesTheOldName) {
  PlaceBell(0, QPoint(240, 100));
  ClickCheck(2);
  ASSERT_EQ(List()->item(2)->checkState(), Qt::Unchecked);
  TypeNameAndEnter(W->pnlBellProp->edObjBellName, QStringLiteral("Большой"));
  EXPECT_EQ(List()->item(2)->text(), QStringLiteral("Большой"));
  EXPECT_EQ(List()->item(2)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(Obj(2).ObjVisible);
  PlaceBell(1, QPoint(300, 100));
  EXPECT_EQ(Obj(3).ObjName, QStringLiteral("Колокол"));
}

TEST_F(NamingTest, CreateIndexCountsTheObjectsAtCreation) {
  PlaceBell(0, QPoint(240, 100));
  PlaceBell(1, QPoint(300, 100));
  EXPECT_EQ(Obj(2).CreateIndex, 2);
  ClickEntry(2);
  W->pnlObjView->btnObjDel->click();
  EXPECT_EQ(Obj(2).CreateIndex, 3);
  PlaceBell(2, QPoint(360, 100));
  EXPECT_EQ(Obj(3).CreateIndex, 3);
}

// "Создать" empties the plan and leaves exactly the walls and the pedestal, walls current.
TEST_F(NamingTest, NewDocumentLeavesTwoObjects) {
  PlaceBell(0, QPoint(240, 100));
  PlaceBeam(QPoint(230, 250), QPoint(300, 250));
  ClickEntry(1);
  TypeNameAndEnter(W->pnlPostProp->edPostObjName, QStringLiteral("Стены"));
  const int layersBefore = StackTop();
  W->pnlTools->btnNewDoc->click();
  const QStringList two = {QStringLiteral("Стены"), QStringLiteral("Постамент")};
  EXPECT_EQ(Names(), two);
  EXPECT_EQ(ListTexts(), two);
  EXPECT_EQ(ComboTexts(), two);
  EXPECT_EQ(StackTop(), layersBefore - 2) << "the deleted objects' layers left the plan";
  EXPECT_EQ(W->FCurIndex, 0);
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp);
  EXPECT_EQ(Obj(1).PostPosition, QPoint(2800, 4200));
  EXPECT_EQ(Obj(0).ObjType, okWalls);
  EXPECT_EQ(Obj(1).ObjType, okPost);
  for (int i : {0, 1}) EXPECT_EQ(List()->item(i)->checkState(), Qt::Checked);
  // the fixed layers stay above the new objects
  EXPECT_EQ(Stack(W->FRenderer.Layer(SelectionLayer)), StackTop());
  EXPECT_EQ(Stack(W->FRenderer.Layer(RingerLayer)), StackTop() - 1);
}

}  // namespace

namespace {

// A numbered name never grows past what a document keeps of a name: the base gives way to the
// number, so the name reads back as it was given and stays unique.
TEST(NumberedName, StaysWithinAStoredName) {
  const QString full(kMaxStoredNameChars, QChar(0x0428));
  struct Row {
    QString Base;
    long long N;
    QString Expected;
  };
  const Row rows[] = {
      {QStringLiteral("Балка"), 1, QStringLiteral("Балка1")},
      {QString(), 12, QStringLiteral("12")},
      {full, 1, full.left(kMaxStoredNameChars - 1) + QStringLiteral("1")},
      {full, 10, full.left(kMaxStoredNameChars - 2) + QStringLiteral("10")},
      {full.left(kMaxStoredNameChars - 1), 7, full.left(kMaxStoredNameChars - 1) + QStringLiteral("7")},
      {full.left(kMaxStoredNameChars - 1), 10, full.left(kMaxStoredNameChars - 2) + QStringLiteral("10")},
  };
  for (const Row& r : rows) {
    const QString name = NumberedName(r.Base, r.N);
    EXPECT_EQ(name, r.Expected) << r.Base.size() << " + " << r.N;
    EXPECT_LE(name.size(), kMaxStoredNameChars);
  }
  // The rule itself: a taken long name gets a numbered one that is different and storable.
  const QString given = UniqueName(full, [&](const QString& n) { return n != full; });
  EXPECT_NE(given, full);
  EXPECT_EQ(given.size(), kMaxStoredNameChars);
}

}  // namespace
