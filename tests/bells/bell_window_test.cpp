// The bell palette, placing bells from it and the bell page, driven through the real window.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>
#include <cmath>

#include "controls/weight_labels.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "platform/layer.h"
#include "support/main_window_fixture.h"

namespace {

class BellWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());  // Del and the list's focus need an active window
  }

  // Palette button of bell number n, found by its name as a user's form would name it.
  QToolButton* Button(int n) const {
    return W->pnlBells->findChild<QToolButton*>(QStringLiteral("btnBell%1").arg(n));
  }
  // Palette click, then a press and release on the plan; returns the new object's index.
  int PlaceBell(int n, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    Button(n)->click();
    ClickPlan(at, button);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  void PressWithListFocus(Qt::Key key) {
    W->pnlObjView->clbObjects->setFocus();
    QTest::keyClick(W->pnlObjView->clbObjects, key);
  }
  // Keys that carry Cyrillic text, as a Russian keyboard sends them, then Enter.
  static void TypeNameAndEnter(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  std::vector<int> Groups() const {
    std::vector<int> g;
    for (size_t i = 2; i < W->FObjects.size(); ++i) g.push_back(W->FObjects[i]->BellGroup);
    return g;
  }
  // Free spots on the default plan (walls 199..419 x 65..285, pedestal about 274..345 x 215..246).
  static QPoint Spot(int i) { return QPoint(215 + 25 * (i % 8), 85 + 22 * (i / 8)); }
};

TEST_F(BellWindowTest, PaletteHintsTagsAndWeightLabels) {
  struct Row {
    int n;
    QString hint;
    int tag;
    QString weight;
    QPoint button;
    QPoint label;
  };
  const Row rows[] = {
      {1, QStringLiteral("Колокол 6кг\r\nНижний диаметр: 195мм\r\nМодельный ряд №1"), 195,
       QStringLiteral("6"), {4, 38}, {13, 27}},
      {28, QStringLiteral("Колокол 12200кг\r\nНижний диаметр: 2580мм\r\nМодельный ряд №1"), 2580,
       QStringLiteral("12200"), {652, 38}, {649, 27}},
      {29, QStringLiteral("Колокол 6кг\r\nНижний диаметр: 210мм\r\nМодельный ряд №2"), 210,
       QStringLiteral("6"), {4, 74}, {13, 62}},
      {42, QStringLiteral("Колокол 1750кг\r\nНижний диаметр: 1500мм\r\nМодельный ряд №2"), 1500,
       QStringLiteral("1750"), {316, 74}, {316, 62}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.n);
    QToolButton* b = Button(r.n);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->toolTip(), r.hint);
    EXPECT_EQ(b->property("Tag").toInt(), r.tag);
    EXPECT_EQ(b->geometry(), QRect(r.button, QSize(23, 22)));
    EXPECT_FALSE(b->icon().isNull());
    const TWeightLabels::TLabel& label = W->pnlBells->lblWeights->Label(r.n - 1);
    EXPECT_EQ(label.Text, r.weight);
    EXPECT_EQ(label.Rect, QRect(r.label, QSize(23, 11)));
  }
  EXPECT_EQ(W->pnlBells->lblWeights->parentWidget(), W->pnlBells);
  EXPECT_EQ(W->pnlBells->lblWeights->Count(), 42);
  EXPECT_EQ(W->pnlBells->lblWeights->font().family(), QStringLiteral("Arial"));
  EXPECT_EQ(W->pnlBells->lblWeights->font().pointSize(), 7);
  for (int n = 1; n <= 42; ++n) ASSERT_NE(Button(n), nullptr) << n;
  EXPECT_EQ(Button(43), nullptr);
}

TEST_F(BellWindowTest, WeightsAreWrittenAsLabelsWouldWriteThemAndLetClicksThrough) {
  W->resize(1100, 700);
  const QImage written = W->pnlBells->grab().toImage();
  W->pnlBells->lblWeights->hide();
  const QImage bare = W->pnlBells->grab().toImage();
  for (int slot = 0; slot < W->pnlBells->lblWeights->Count(); ++slot) {
    const TWeightLabels::TLabel& l = W->pnlBells->lblWeights->Label(slot);
    auto* label = new QLabel(l.Text, W->pnlBells);
    label->setFont(W->pnlBells->lblWeights->font());
    label->setGeometry(l.Rect);
    label->show();
  }
  const QImage labelled = W->pnlBells->grab().toImage();
  EXPECT_NE(written, bare);  // the weights are there at all
  EXPECT_EQ(written, labelled);
  // The buttons beneath the weights' rectangle still get the pointer.
  W->pnlBells->lblWeights->show();
  for (int n : {1, 28, 29, 42}) {
    QToolButton* b = Button(n);
    EXPECT_EQ(W->pnlBells->childAt(b->geometry().center()), b) << n;
  }
}

TEST_F(BellWindowTest, DiameterListFollowsTheCatalogueOrder) {
  QComboBox* cb = W->pnlBellProp->cbBellDiameter;
  ASSERT_EQ(cb->count(), 42);
  EXPECT_EQ(cb->itemText(0), QStringLiteral("195"));
  EXPECT_EQ(cb->itemText(23), QStringLiteral("1960"));
  EXPECT_EQ(cb->itemText(24), QStringLiteral("1950"));
  EXPECT_EQ(cb->itemText(41), QStringLiteral("1500"));
}

TEST_F(BellWindowTest, PaletteClickArmsAPressPlacesASecondClickSelects) {
  Button(5)->click();
  EXPECT_EQ(W->FPointerMode, pmPlaceBell);
  EXPECT_EQ(W->FPendingBellDiameter, 307);
  EXPECT_EQ(W->pnlImg->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(W->pnlImg->cursor().hotSpot(), QPoint(15, 15));
  EXPECT_EQ(W->FObjects.size(), 2u);

  const QPoint at(250, 110);
  QTest::mousePress(W->pnlImg, Qt::LeftButton, Qt::NoModifier, at + QPoint(4, 4));
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(W->FPointerMode, pmPlaceBell);  // the mode lasts until the release
  QTest::mouseRelease(W->pnlImg, Qt::LeftButton, Qt::NoModifier, at + QPoint(4, 4));
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_FALSE(W->pnlImg->testAttribute(Qt::WA_SetCursor));

  const TPlanObject& bell = Obj(2);
  EXPECT_EQ(bell.ObjType, okBell);
  EXPECT_EQ(bell.ObjName, QStringLiteral("Колокол"));
  EXPECT_EQ(bell.BellDiameter, 307);
  EXPECT_EQ(bell.BellPositionPx, at);
  EXPECT_EQ(bell.BellPosition, QPoint(1296, 1143));  // 51 and 45 pixels at 0.0393571 px/mm
  EXPECT_EQ(W->FBellSlots[4], 2);
  EXPECT_EQ(W->FCurIndex, 2);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBellProp);
  EXPECT_EQ(W->pnlBellProp->edObjBellName->text(), QStringLiteral("Колокол"));
  EXPECT_EQ(W->pnlBellProp->cbBellDiameter->currentText(), QStringLiteral("307"));
  EXPECT_EQ(W->pnlBellProp->edBPositionX->Value(), bell.BellPosition.x());
  EXPECT_EQ(W->pnlBellProp->edBPositionY->Value(), bell.BellPosition.y());

  ClickPlan(QPoint(20, 20));  // empty plan: the walls become current
  ASSERT_EQ(W->FCurIndex, 0);
  Button(5)->click();
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_EQ(W->FCurIndex, 2);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBellProp);
  ClickPlan(QPoint(380, 250));
  EXPECT_EQ(W->FObjects.size(), 3u) << "a catalogue bell is never placed twice";
}

TEST_F(BellWindowTest, BellsTakeNumberedNamesAndEitherButtonPlaces) {
  PlaceBell(1, Spot(0));
  PlaceBell(2, Spot(1), Qt::RightButton);
  PlaceBell(3, Spot(2), Qt::MiddleButton);
  ASSERT_EQ(W->FObjects.size(), 5u);
  const QStringList names = {QStringLiteral("Колокол"), QStringLiteral("Колокол1"),
                             QStringLiteral("Колокол2")};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Obj(i + 2).ObjName, names[i]);
    EXPECT_EQ(W->pnlObjView->clbObjects->item(i + 2)->text(), names[i]);
    EXPECT_EQ(W->cbObjects->itemText(i + 2), names[i]);
    EXPECT_EQ(Obj(i + 2).BellPositionPx, Spot(i));
  }
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_EQ(W->FCurIndex, 4);
}

TEST_F(BellWindowTest, AnOccupiedDiameterFallsBackAFreeOneIsTaken) {
  const int b24 = PlaceBell(24, QPoint(260, 130));
  const int b25 = PlaceBell(25, QPoint(360, 130));
  Button(24)->click();
  ASSERT_EQ(W->FCurIndex, b24);
  QComboBox* cb = W->pnlBellProp->cbBellDiameter;
  ASSERT_EQ(cb->currentText(), QStringLiteral("1960"));

  cb->setFocus();
  QTest::keyClick(cb, Qt::Key_Down);  // "1950", bell 25's diameter
  EXPECT_EQ(cb->currentText(), QStringLiteral("1960"));
  EXPECT_EQ(Obj(b24).BellDiameter, 1960);
  EXPECT_EQ(W->FBellSlots[23], b24);
  EXPECT_EQ(W->FBellSlots[24], b25);

  const QRect before = Obj(b24).Layer->geometry();
  QTest::keyClick(cb, Qt::Key_Up);  // "1780", free
  EXPECT_EQ(cb->currentText(), QStringLiteral("1780"));
  EXPECT_EQ(Obj(b24).BellDiameter, 1780);
  EXPECT_EQ(W->FBellSlots[22], b24);
  EXPECT_EQ(W->FBellSlots[23], -1);
  const QRect after = Obj(b24).Layer->geometry();
  EXPECT_EQ(after.width(), Obj(b24).BellDiameterPx);
  EXPECT_LT(after.width(), before.width());
  EXPECT_NEAR(after.center().x(), before.center().x(), 1);  // it shrinks about its centre
  EXPECT_EQ(Obj(b24).BellPosition, QPoint(1550, 1652));  // (260, 130) less the origin (199, 65)

  Button(24)->click();  // bell 24 is free again: the button arms
  EXPECT_EQ(W->FPointerMode, pmPlaceBell);
}

TEST_F(BellWindowTest, SmallestBellAtScaleFourHundredths) {
  W->SetPlanClientSize(QSize(344, 400));
  // 280 / 5600 * 0.95 = 0.04, a hair below it in the extended float
  ASSERT_EQ(W->FRenderer.FScale, std::ldexp(5902958103587056517.0L, -67));
  const int b = PlaceBell(1, QPoint(150, 200));
  EXPECT_EQ(Obj(b).BellDiameterPx, 8);
  EXPECT_EQ(Obj(b).Layer->geometry(), QRect(146, 196, 8, 8));
}

TEST_F(BellWindowTest, SelectionFrameOfAFortyPixelBell) {
  W->SetPlanClientSize(QSize(618, 361));
  const int b = PlaceBell(17, QPoint(100, 100));  // 980 mm
  ASSERT_EQ(Obj(b).BellDiameterPx, 40);
  EXPECT_EQ(W->FSelRect.l, 74);
  EXPECT_EQ(W->FSelRect.t, 74);
  EXPECT_EQ(W->FSelRect.r, 120);
  EXPECT_EQ(W->FSelRect.b, 120);
  const QImage& frame = W->FRenderer.Layer(SelectionLayer)->Canvas();
  for (QPoint p : {QPoint(74, 100), QPoint(119, 100), QPoint(100, 74), QPoint(100, 119)})
    EXPECT_EQ(frame.pixel(p) & 0xFFFFFFu, 0xC0C0C0u) << p.x() << "," << p.y();
  EXPECT_EQ(frame.pixel(100, 100) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST_F(BellWindowTest, PositionFieldsStoreOnlyValuesInsideTheWalls) {
  const int b = PlaceBell(10, QPoint(250, 120));
  // The field takes digits only: the minus sign never arrives, 50 does.
  TypeAndEnter(W->pnlBellProp->edBPositionX, QStringLiteral("-50"));
  EXPECT_EQ(Obj(b).BellPosition.x(), 50);
  EXPECT_EQ(W->pnlBellProp->edBPositionX->text(), QStringLiteral("50"));
  // A pasted number arrives; a pasted negative one is refused and Enter applies nothing new.
  auto paste = [](TacNumberEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    edit->setFocus();
    edit->selectAll();
    QTest::keySequence(edit, QKeySequence::Paste);
    QTest::keyClick(edit, Qt::Key_Return);
  };
  paste(W->pnlBellProp->edBPositionY, QStringLiteral("77"));
  ASSERT_EQ(Obj(b).BellPosition.y(), 77);
  paste(W->pnlBellProp->edBPositionY, QStringLiteral("-50"));
  EXPECT_EQ(W->pnlBellProp->edBPositionY->text(), QStringLiteral("77"));
  EXPECT_EQ(Obj(b).BellPosition.y(), 77);

  TypeAndEnter(W->pnlBellProp->edBPositionY, QStringLiteral("9000"));
  EXPECT_EQ(Obj(b).BellPosition.y(), 5600);
  EXPECT_EQ(W->pnlBellProp->edBPositionY->text(), QStringLiteral("5600"));
  EXPECT_EQ(Obj(b).BellPositionPx, QPoint(201, 285));  // (2 + 199, 220 + 65)
  const int r = Obj(b).BellDiameterPx / 2;
  EXPECT_EQ(Obj(b).Layer->geometry().topLeft(), Obj(b).BellPositionPx - QPoint(r, r));
  EXPECT_EQ(W->FSelRect.l, Obj(b).BellPositionPx.x() - r - 6);
  // what a document could carry reaches the setter unfiltered
  EXPECT_EQ(W->FDocument.SetBellPosition(W->FCurIndex, true, -50), 0);
  EXPECT_EQ(Obj(b).BellPosition.x(), 0);
}

TEST_F(BellWindowTest, NameEditKeepsNamesUnique) {
  const int b = PlaceBell(3, QPoint(250, 120));
  TypeNameAndEnter(W->pnlBellProp->edObjBellName, QStringLiteral("Малый"));
  EXPECT_EQ(Obj(b).ObjName, QStringLiteral("Малый"));
  EXPECT_EQ(W->pnlObjView->clbObjects->item(b)->text(), QStringLiteral("Малый"));
  EXPECT_EQ(W->cbObjects->itemText(b), QStringLiteral("Малый"));
  TypeNameAndEnter(W->pnlBellProp->edObjBellName, QStringLiteral("Постамент"));
  EXPECT_EQ(Obj(b).ObjName, QStringLiteral("Постамент1"));
  EXPECT_EQ(Obj(1).ObjName, QStringLiteral("Постамент"));
}

TEST_F(BellWindowTest, FiveBellsAreGroupedInFallingSlotOrder) {
  // bell 42 is met before bell 28 although it is far lighter
  const int first[] = {1, 2, 28, 42};
  for (int i = 0; i < 4; ++i) PlaceBell(first[i], Spot(i));
  EXPECT_EQ(Groups(), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(W->CountHeavyBellsNow(), 0);
  EXPECT_TRUE(Obj(1).PostPedals.empty());

  PlaceBell(3, Spot(4));
  // objects: bell 1, bell 2, bell 28, bell 42, bell 3
  EXPECT_EQ(Groups(), (std::vector<int>{1, 1, 2, 3, 2}));
  EXPECT_EQ(Obj(1).PostPedals.size(), 1u);
  EXPECT_EQ(W->FCurIndex, 6) << "the new bell stays current after the pedestal's redraw";
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlBellProp);
}

TEST_F(BellWindowTest, HiddenBellsKeepTheirSlotAndAreGrouped) {
  for (int i = 0; i < 4; ++i) PlaceBell(i + 1, Spot(i));
  ClickEntry(5);
  PressWithListFocus(Qt::Key_Space);
  ASSERT_FALSE(Obj(5).ObjVisible);
  PlaceBell(42, Spot(5));
  EXPECT_EQ(Obj(5).BellGroup, 2);  // slots 41, 3, 2, 1, 0 give 3, 2, 2, 1, 1
  EXPECT_EQ(W->FBellSlots[3], 5);
  Button(4)->click();
  EXPECT_EQ(W->FPointerMode, pmIdle);
  EXPECT_EQ(W->FCurIndex, 5);
}

TEST_F(BellWindowTest, DeletingABellShiftsTheSlotsAndRegroups) {
  for (int i = 0; i < 5; ++i) PlaceBell(i + 1, Spot(i));
  ASSERT_EQ(W->CountHeavyBellsNow(), 1);
  ClickEntry(3);
  PressWithListFocus(Qt::Key_Delete);
  ASSERT_EQ(W->FObjects.size(), 6u);
  EXPECT_EQ(W->FBellSlots[0], 2);
  EXPECT_EQ(W->FBellSlots[1], -1);
  EXPECT_EQ(W->FBellSlots[2], 3);
  EXPECT_EQ(W->FBellSlots[3], 4);
  EXPECT_EQ(W->FBellSlots[4], 5);
  EXPECT_EQ(Groups(), (std::vector<int>{0, 0, 0, 0}));
  Button(2)->click();  // the deleted catalogue bell can be placed again
  EXPECT_EQ(W->FPointerMode, pmPlaceBell);
}

TEST_F(BellWindowTest, TheWholeCatalogueOnThePlan) {
  for (int n = 1; n <= 42; ++n) PlaceBell(n, Spot(n - 1));
  ASSERT_EQ(W->FObjects.size(), 44u);
  EXPECT_EQ(W->CountBellsNow(), 42);
  std::array<int, 4> sizes{};
  for (int slot = 0; slot < 42; ++slot) {
    const int k = W->FBellSlots[static_cast<size_t>(slot)];
    ASSERT_EQ(k, slot + 2);
    const int g = Obj(k).BellGroup;
    ++sizes[static_cast<size_t>(g)];
    // the heaviest-numbered slots of series 2 take the pedals, the three first bells the hand
    EXPECT_EQ(g, slot >= 37 ? 3 : slot >= 3 ? 2 : 1) << "slot " << slot;
  }
  EXPECT_EQ(sizes, (std::array<int, 4>{0, 3, 34, 5}));
  EXPECT_EQ(Obj(1).PostPedals.size(), 5u);
  EXPECT_TRUE(Errors.isEmpty());
  for (int n : {1, 24, 42}) {
    Button(n)->click();
    EXPECT_EQ(W->FPointerMode, pmIdle);
    EXPECT_EQ(W->FCurIndex, n + 1);
  }
}

// A portrait panel 720 wide with walls of 1200 mm: exactly half a pixel per millimetre, so odd
// millimetres land on half pixels and go to the even neighbour.
TEST_F(BellWindowTest, PositionsOnHalfPixelsRoundToEven) {
  W->SetPlanClientSize(QSize(720, 1000));
  ClickEntry(0);
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("1200"));
  ASSERT_EQ(Obj(0).WallDiameterOuter, 1200);
  ASSERT_EQ(W->FRenderer.FScale, 0.5L);
  ASSERT_EQ(W->FRenderer.FOriginX, 65);
  ASSERT_EQ(W->FRenderer.FOriginY, 200);  // (1000 - 600) div 2
  const int b = PlaceBell(1, QPoint(300, 300));
  const struct {
    int mm, px;
  } rows[] = {{1, 65}, {3, 67}, {5, 67}, {7, 69}, {9, 69}, {600, 365}};
  for (const auto& r : rows) {
    TypeAndEnter(W->pnlBellProp->edBPositionX, QString::number(r.mm));
    TypeAndEnter(W->pnlBellProp->edBPositionY, QString::number(r.mm));
    EXPECT_EQ(Obj(b).BellPositionPx, QPoint(r.px, r.px + 135)) << r.mm << " mm";
  }
}

}  // namespace
