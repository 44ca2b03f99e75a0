// A long, seeded run of mixed user actions; after each one the object list, the combo box, the
// current object and the plan's layers must still agree with the objects.
#include <QCheckBox>
#include <QComboBox>
#include <QStackedWidget>
#include <random>

#include "bells/bell_catalogue.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "controls/post_page.h"
#include "controls/beem_page.h"
#include "plan/plan_window_test.h"
#include "platform/layer.h"

namespace {

class ListInvariantsTest : public PlanWindowTest {
 protected:
  void ExpectConsistent(const std::string& after) {
    const int n = static_cast<int>(W->FObjects.size());
    ASSERT_GE(n, 2) << after;
    ASSERT_EQ(Obj(0).ObjType, okWalls) << after;
    ASSERT_EQ(Obj(1).ObjType, okPost) << after;
    ASSERT_EQ(ListTexts(), Names()) << after;
    ASSERT_EQ(ComboTexts(), Names()) << after;
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(List()->item(i)->checkState() == Qt::Checked, Obj(i).ObjVisible) << after << ", entry " << i;
      ASSERT_GE(Stack(Obj(i).Layer), 0) << after << ": a layer off the panel";
    }
    ASSERT_EQ(StackTop() + 1, n + 5) << after << ": layers left behind or lost";
    ASSERT_GE(W->FCurIndex, 0) << after;
    ASSERT_LT(W->FCurIndex, n) << after;
    ASSERT_EQ(List()->currentRow(), W->FCurIndex) << after;
    ASSERT_EQ(W->cbObjects->currentIndex(), W->FCurIndex) << after;
    const TObjectKind kind = Obj(W->FCurIndex).ObjType;
    QWidget* const pages[] = {W->pnlWallProp, W->pnlBellProp, W->pnlBeemProp, W->pnlPostProp};
    ASSERT_EQ(W->pnlInspPages->currentWidget(), pages[kind]) << after;
    for (int slot = 0; slot < kBellCount; ++slot) {
      const int k = W->FBellSlots[static_cast<size_t>(slot)];
      if (k < 0) continue;
      ASSERT_LT(k, n) << after;
      ASSERT_EQ(Obj(k).ObjType, okBell) << after;
      ASSERT_EQ(Obj(k).BellDiameter, W->FBellDiameters[static_cast<size_t>(slot)]) << after;
    }
  }
};

TEST_F(ListInvariantsTest, MixedActions) {
  std::mt19937 rng(20240611);
  auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto planPoint = [&] { return QPoint(pick(205, 410), pick(70, 280)); };
  auto row = [&] { return pick(0, List()->count() - 1); };
  for (int step = 0; step < 300; ++step) {
    std::string what;
    switch (pick(0, 13)) {
      case 0: what = "place a bell"; PlaceBell(pick(0, kBellCount - 1), planPoint()); break;
      case 1: what = "place a beam"; PlaceBeam(planPoint(), planPoint()); break;
      case 2: what = "click an entry"; ClickEntry(row()); break;
      case 3: what = "right-click an entry"; ClickEntry(row(), Qt::RightButton); break;
      case 4: what = "toggle a check mark"; ClickCheck(row()); break;
      case 5: what = "Del in the list"; ClickEntry(row()); PressWithListFocus(Qt::Key_Delete); break;
      case 6: what = "delete button"; W->pnlObjView->btnObjDel->click(); break;
      case 7: what = "F12 / F11"; PressWithListFocus(pick(0, 1) ? Qt::Key_F12 : Qt::Key_F11); break;
      case 8: what = "previous / next"; (pick(0, 1) ? W->pnlObjView->btnPrevObj : W->pnlObjView->btnNextObj)->click(); break;
      case 9: what = "click on the plan"; ClickPlan(planPoint()); break;
      case 10: what = "chord box"; W->ChordBox(pick(1, 24))->click(); break;
      case 11: {
        what = "walls edit";
        ClickEntry(0);
        TacNumberEdit* fields[] = {W->pnlWallProp->edDiameterOuter, W->pnlWallProp->edDiameterInner, W->pnlWallProp->edWallWidth, W->pnlWallProp->edWallArcWidth};
        TypeAndEnter(fields[pick(0, 3)], QString::number(pick(0, 20000)));
        break;
      }
      case 12: {
        what = "walls type";
        ClickEntry(0);
        W->pnlWallProp->cbWallType->setFocus();
        QTest::keyClick(W->pnlWallProp->cbWallType, pick(0, 1) ? Qt::Key_Down : Qt::Key_Up);
        break;
      }
      case 13: {
        what = "rename";
        const int i = row();
        ClickEntry(i);
        QLineEdit* edits[] = {W->pnlWallProp->edWallName, W->pnlBellProp->edObjBellName, W->pnlBeemProp->edBeemObjName, W->pnlPostProp->edPostObjName};
        TypeNameAndEnter(edits[Obj(i).ObjType], pick(0, 1) ? QStringLiteral("Колокол") : QStringLiteral("Балка"));
        break;
      }
    }
    ExpectConsistent("step " + std::to_string(step) + ": " + what);
    if (HasFatalFailure()) return;
  }
  EXPECT_TRUE(Errors.isEmpty());
}

}  // namespace
