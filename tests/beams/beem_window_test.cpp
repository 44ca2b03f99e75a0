// Chord boxes, the beam page and the walls edits on the real main window.
#include <QCheckBox>
#include <QComboBox>
#include <QAbstractItemView>
#include <QListWidget>
#include <QToolButton>

#include "beams/orientations.h"
#include "controls/wall_page.h"
#include "controls/beem_page.h"
#include "controls/ac_number_edit.h"
#include "platform/canvas.h"
#include "platform/layer.h"
#include "support/main_window_fixture.h"

namespace {

// Opens the list, highlights item `index` and confirms it with Enter, as a user picks an entry.
void ChooseItem(QComboBox* combo, int index) {
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  view->setCurrentIndex(combo->model()->index(index, 0));
  QTest::keyClick(view, Qt::Key_Return);
}

struct TChordCase {
  int WallType;
  int Chord;
  QPoint Begin;
  QPoint End;
};

class BeemWindowTest : public MainWindowTest {
 protected:
  void ChooseWallType(int type) {
    SelectInList(0);
    ChooseItem(W->pnlWallProp->cbWallType, type);
  }
  void SelectInList(int row) {
    QListWidgetItem* item = W->pnlObjView->clbObjects->item(row);
    QTest::mouseClick(W->pnlObjView->clbObjects->viewport(), Qt::LeftButton, Qt::NoModifier,
                      W->pnlObjView->clbObjects->visualItemRect(item).center());
  }
  // A free beam drawn with the beam button from one plan point to another; it ends selected.
  int DrawFreeBeem(QPoint from, QPoint to) {
    W->pnlBeems->btnBeem->click();
    DragPlan(from, to);
    return static_cast<int>(W->FObjects.size()) - 1;
  }
  bool Checked(int k) const { return W->ChordBox(k)->isChecked(); }
};

TEST_F(BeemWindowTest, ChordBoxesLayTheCatalogueChordsOnEveryWallType) {
  const TChordCase cases[] = {
      {0, 1, {2800, 800}, {2800, 4800}},   {0, 4, {800, 4800}, {4800, 800}},
      {0, 5, {1800, 750}, {3800, 4850}},   {0, 9, {800, 1800}, {4800, 1800}},
      {0, 13, {3800, 750}, {4850, 3800}},  {1, 1, {2800, 1068}, {2800, 4532}},
      {1, 5, {2300, 1018}, {3300, 4582}},  {1, 7, {4300, 1934}, {1300, 3666}},
      {1, 14, {4350, 3716}, {2300, 4582}}, {2, 3, {1327, 1377}, {4273, 4223}},
      {2, 5, {1954, 800}, {3646, 4800}},
  };
  for (const TChordCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.WallType << " chord " << c.Chord);
    W->Menu.nNewDoc->trigger();
    if (c.WallType != 0) ChooseWallType(c.WallType);
    ASSERT_EQ(Obj(0).WallType, c.WallType);
    W->ChordBox(c.Chord)->click();
    ASSERT_EQ(W->FObjects.size(), 3u);
    const TPlanObject& b = Obj(2);
    EXPECT_EQ(b.ObjType, okBeam);
    EXPECT_EQ(b.BeemOrientation, c.Chord);
    EXPECT_EQ(b.BeemBeginPoint, c.Begin);
    EXPECT_EQ(b.BeemEndPoint, c.End);
    EXPECT_EQ(CheckedBoxes(), std::vector<int>{c.Chord});
    // the new beam is current and its page shows it
    EXPECT_EQ(W->FCurIndex, 2);
    EXPECT_EQ(W->pnlBeemProp->cbBeemOrientation->currentIndex(), c.Chord);
    EXPECT_EQ(W->pnlBeemProp->edBeemBeginX->Value(), c.Begin.x());
    EXPECT_EQ(W->pnlBeemProp->edBeemEndY->Value(), c.End.y());
  }
  EXPECT_TRUE(Errors.isEmpty());
}

TEST_F(BeemWindowTest, ChordBoxesCarryTheirCaptionsHintsAndPlaces) {
  struct Row { int k; const char* caption; };
  for (const Row& r : {Row{1, "З-В"}, Row{2, "Ю-С"}, Row{5, "ЮЗЗ - СВВ"}, Row{20, "ССЗ-СВВ"},
                       Row{24, "СВВ - ЮЮЗ"}}) {
    const QCheckBox* box = W->ChordBox(r.k);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->objectName(), QStringLiteral("cb%1").arg(r.k));
    EXPECT_EQ(box->text(), QString::fromUtf8(r.caption));
    EXPECT_EQ(box->toolTip(), W->FOrientationNames.at(r.k));
    EXPECT_EQ(box->geometry(), QRect(2, 40 + 16 * (r.k - 1), 66, 17));
  }
  EXPECT_EQ(W->FOrientationNames.size(), 25);
  EXPECT_EQ(W->pnlBeemProp->cbBeemOrientation->count(), 25);
  EXPECT_EQ(W->pnlBeems->btnBeem->toolTip(), QStringLiteral("Балка"));
}

// The captions are narrowed no further than the longest needs to show whole: measured here step
// by step from 95 down on a box of the panel's own style, as the panel was first fitted.
TEST_F(BeemWindowTest, ChordCaptionsAreNarrowedOnlyAsFarAsTheyMust) {
  const QFont face = MakePixelFont(QString::fromLatin1(kChordBoxFontFace), kChordBoxFontPixelHeight);
  QCheckBox probe(W->pnlBeems);
  const auto widest = [&](int stretch) {
    QFont font = face;
    if (stretch != 0) font.setStretch(stretch);
    probe.setFont(font);
    int w = 0;
    for (const TChordBoxInfo& info : ChordBoxes()) {
      probe.setText(info.Caption);
      w = qMax(w, probe.sizeHint().width());
    }
    return w;
  };
  int expected = 0;
  for (int s = 95; widest(expected) > kChordBoxWidth && s >= 50; s -= 5) expected = s;
  for (int k = 1; k <= kChordCount; ++k) {
    SCOPED_TRACE(k);
    const QFont shown = W->ChordBox(k)->font();
    EXPECT_EQ(shown.family(), face.family());
    EXPECT_EQ(shown.pixelSize(), kChordBoxFontPixelHeight);
    EXPECT_EQ(shown.stretch(), expected == 0 ? face.stretch() : expected);
    if (widest(expected) <= kChordBoxWidth) {
      EXPECT_LE(W->ChordBox(k)->sizeHint().width(), kChordBoxWidth);
    }
  }
}

TEST_F(BeemWindowTest, CheckingAndClearingABoxCreatesAndDeletesItsBeem) {
  W->ChordBox(5)->click();
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).ObjName, QStringLiteral("Балка"));
  EXPECT_EQ(W->pnlObjView->clbObjects->item(2)->text(), QStringLiteral("Балка"));
  EXPECT_EQ(W->pnlObjView->clbObjects->currentRow(), 2);
  // the band is on its layer and the selection shows its outline
  EXPECT_TRUE(W->FRenderer.Layer(SelectionLayer)->isVisible());
  EXPECT_EQ(Obj(2).BeemOutlinePx.size(), 4u);

  W->ChordBox(6)->click();
  ASSERT_EQ(W->FObjects.size(), 4u);
  EXPECT_EQ(Obj(3).ObjName, QStringLiteral("Балка1"));
  EXPECT_EQ(Obj(3).BeemOrientation, 6);

  W->ChordBox(5)->click();
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).ObjName, QStringLiteral("Балка1"));
  EXPECT_EQ(W->FCurIndex, 0);
  EXPECT_EQ(W->pnlObjView->clbObjects->currentRow(), 0);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{6});
}

TEST_F(BeemWindowTest, DeletingAChordBeemFromTheListClearsItsBoxOnly) {
  W->ChordBox(7)->click();
  W->ChordBox(8)->click();
  SelectInList(2);
  W->pnlObjView->btnObjDel->click();
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).BeemOrientation, 8);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{8});
}

TEST_F(BeemWindowTest, EditingACoordinateFreesTheBeemAndTheBoxLaysANewOne) {
  W->ChordBox(5)->click();
  TypeAndEnter(W->pnlBeemProp->edBeemBeginX, QStringLiteral("1700"));
  ASSERT_EQ(W->FObjects.size(), 3u);
  EXPECT_EQ(Obj(2).BeemOrientation, 0);
  EXPECT_EQ(Obj(2).BeemBeginPoint, QPoint(1700, 750));
  EXPECT_EQ(Obj(2).BeemEndPoint, QPoint(3800, 4850));
  EXPECT_EQ(W->pnlBeemProp->cbBeemOrientation->currentText(), QStringLiteral("Не определено"));
  EXPECT_FALSE(Checked(5));

  W->ChordBox(5)->click();
  ASSERT_EQ(W->FObjects.size(), 4u);
  EXPECT_EQ(Obj(2).BeemOrientation, 0);
  EXPECT_EQ(Obj(3).ObjName, QStringLiteral("Балка1"));
  EXPECT_EQ(Obj(3).BeemBeginPoint, QPoint(1800, 750));
  EXPECT_TRUE(Checked(5));
}

TEST_F(BeemWindowTest, TypedValuesAreClampedAndShownAsStored) {
  W->ChordBox(1)->click();
  struct Row { TacNumberEdit* edit; const char* typed; int stored; };
  for (const Row& r : {Row{W->pnlBeemProp->edBeemWidth, "20", 50}, Row{W->pnlBeemProp->edBeemWidth, "400", 350},
                       Row{W->pnlBeemProp->edBeemBeginX, "6000", 5600}}) {
    TypeAndEnter(r.edit, QString::fromLatin1(r.typed));
    EXPECT_EQ(r.edit->Value(), r.stored) << r.typed;
  }
  EXPECT_EQ(Obj(2).BeemWidth, 350);
  EXPECT_EQ(Obj(2).BeemBeginPoint.x(), 5600);
}

TEST_F(BeemWindowTest, AnOccupiedChordInTheListFallsBack) {
  W->ChordBox(5)->click();
  W->ChordBox(6)->click();
  const TPlanObject before = Obj(3);
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 5);
  EXPECT_EQ(W->pnlBeemProp->cbBeemOrientation->currentIndex(), 6);
  EXPECT_EQ(Obj(3).BeemOrientation, 6);
  EXPECT_EQ(Obj(3).BeemBeginPoint, before.BeemBeginPoint);
  EXPECT_EQ(CheckedBoxes(), (std::vector<int>{5, 6}));

  // a free chord is taken: the old box clears, the new one is set
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 13);
  EXPECT_EQ(Obj(3).BeemOrientation, 13);
  EXPECT_EQ(Obj(3).BeemBeginPoint, QPoint(3800, 750));
  EXPECT_EQ(CheckedBoxes(), (std::vector<int>{5, 13}));
  EXPECT_EQ(W->FObjects.size(), 4u);
}

TEST_F(BeemWindowTest, UndefinedIsRefusedWhileAFreeBeemExists) {
  const int free = DrawFreeBeem(QPoint(250, 100), QPoint(330, 140));
  ASSERT_EQ(free, 2);
  EXPECT_EQ(Obj(free).BeemOrientation, 0);
  W->ChordBox(5)->click();
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 0);
  EXPECT_EQ(Obj(3).BeemOrientation, 5);
  EXPECT_EQ(W->pnlBeemProp->cbBeemOrientation->currentIndex(), 5);
  EXPECT_TRUE(Checked(5));

  // with the free beam gone the chord beam may become free, keeping its points
  SelectInList(2);
  W->pnlObjView->btnObjDel->click();
  SelectInList(2);
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 0);
  EXPECT_EQ(Obj(2).BeemOrientation, 0);
  EXPECT_EQ(Obj(2).BeemBeginPoint, QPoint(1800, 750));
  EXPECT_FALSE(Checked(5));
  EXPECT_EQ(W->FObjects.size(), 3u);
}

TEST_F(BeemWindowTest, AWiderBeemIsPushedByHalfItsWidthRoundedDown) {
  W->ChordBox(5)->click();
  TypeAndEnter(W->pnlBeemProp->edBeemWidth, QStringLiteral("51"));
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 13);
  EXPECT_EQ(Obj(2).BeemBeginPoint, QPoint(3800, 775));
  EXPECT_EQ(Obj(2).BeemEndPoint, QPoint(4825, 3800));
}

TEST_F(BeemWindowTest, FourToEightSidedRelaysChordBeemsAndKeepsFreeOnes) {
  W->ChordBox(5)->click();
  const int free = DrawFreeBeem(QPoint(250, 100), QPoint(330, 140));
  const QPoint freeBegin = Obj(free).BeemBeginPoint, freeEnd = Obj(free).BeemEndPoint;
  ChooseWallType(2);
  ASSERT_EQ(Obj(0).WallType, 2);
  EXPECT_EQ(Obj(2).BeemBeginPoint, QPoint(1954, 800));
  EXPECT_EQ(Obj(2).BeemEndPoint, QPoint(3646, 4800));
  EXPECT_EQ(Obj(free).BeemBeginPoint, freeBegin);
  EXPECT_EQ(Obj(free).BeemEndPoint, freeEnd);
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{5});
  EXPECT_EQ(W->FObjects.size(), 4u);
  // the relaid beam's pixels follow its millimetres
  EXPECT_EQ(Obj(2).BeemBeginPointPx, QPoint(276, 96));  // 76.9 + 199, 31.5 + 65
}

TEST_F(BeemWindowTest, EnlargingTheWallsMovesFreeBeemsFromTheNearFace) {
  const int free = DrawFreeBeem(QPoint(250, 100), QPoint(330, 140));
  TypeAndEnter(W->pnlBeemProp->edBeemBeginX, QStringLiteral("900"));
  TypeAndEnter(W->pnlBeemProp->edBeemEndX, QStringLiteral("4700"));
  W->ChordBox(5)->click();
  SelectInList(0);
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("7200"));
  ASSERT_EQ(Obj(0).WallDiameterOuter, 7200);
  ASSERT_EQ(Obj(0).WallDiameterInner, 5600);
  EXPECT_EQ(Obj(free).BeemBeginPoint.x(), 929);
  EXPECT_EQ(Obj(free).BeemEndPoint.x(), 6271);
  EXPECT_EQ(Obj(free).BeemOrientation, 0);
  // the chord beam is laid anew on the new walls: A 800, B 6400, Q 1400, h 50
  EXPECT_EQ(Obj(3).BeemBeginPoint, QPoint(2200, 750));
  EXPECT_EQ(Obj(3).BeemEndPoint, QPoint(5000, 6450));
  EXPECT_EQ(CheckedBoxes(), std::vector<int>{5});
}

TEST_F(BeemWindowTest, ABeemWithBothEndsOnOnePixelDrawsNothing) {
  const int b = DrawFreeBeem(QPoint(250, 100), QPoint(330, 140));
  TypeAndEnter(W->pnlBeemProp->edBeemEndX, QString::number(Obj(b).BeemBeginPoint.x()));
  const std::vector<QPoint> outline = Obj(b).BeemOutlinePx;
  ASSERT_EQ(outline.size(), 4u);
  TypeAndEnter(W->pnlBeemProp->edBeemEndY, QString::number(Obj(b).BeemBeginPoint.y()));
  ASSERT_EQ(Obj(b).BeemBeginPointPx, Obj(b).BeemEndPointPx);
  const QImage& canvas = Obj(b).Layer->Canvas();
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) ASSERT_EQ(canvas.pixel(x, y) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(Obj(b).BeemOutlinePx, outline);  // the last outline stays
}

TEST_F(BeemWindowTest, AHiddenChordBeemKeepsItsChordAndBox) {
  W->ChordBox(3)->click();
  W->pnlObjView->clbObjects->item(2)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(Obj(2).ObjVisible);
  EXPECT_EQ(Obj(2).BeemOrientation, 3);
  EXPECT_TRUE(Checked(3));
  EXPECT_EQ(W->FObjects.size(), 3u);
}

}  // namespace

// After a chord is chosen in the list the page shows the chord's points, so Enter in a field the
// user never touched applies the number shown, which keeps the beam where it is.
TEST_F(BeemWindowTest, ChoosingAChordShowsItsPointsOnThePage) {
  const int free = DrawFreeBeem(QPoint(250, 100), QPoint(330, 140));
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 5);
  ASSERT_EQ(Obj(free).BeemOrientation, 5);
  const int shown[] = {W->pnlBeemProp->edBeemBeginX->Value(), W->pnlBeemProp->edBeemBeginY->Value(), W->pnlBeemProp->edBeemEndX->Value(),
                       W->pnlBeemProp->edBeemEndY->Value()};
  EXPECT_EQ(std::vector<int>(std::begin(shown), std::end(shown)),
            (std::vector<int>{1800, 750, 3800, 4850}));
  EXPECT_EQ(W->pnlBeemProp->edBeemEndY->text(), QStringLiteral("4850"));

  // another chord, on eight-sided walls
  ChooseWallType(2);
  SelectInList(free);
  ChooseItem(W->pnlBeemProp->cbBeemOrientation, 3);
  EXPECT_EQ(W->pnlBeemProp->edBeemBeginX->Value(), 1327);
  EXPECT_EQ(W->pnlBeemProp->edBeemEndY->Value(), 4223);
  TypeAndEnter(W->pnlBeemProp->edBeemEndY, W->pnlBeemProp->edBeemEndY->text());
  EXPECT_EQ(Obj(free).BeemBeginPoint, QPoint(1327, 1377));
  EXPECT_EQ(Obj(free).BeemEndPoint, QPoint(4273, 4223));
  EXPECT_TRUE(Checked(3));
}

// Every chord caption shows whole in its 66 x 17 box, whichever face stands in for the box font.
TEST_F(BeemWindowTest, EveryChordCaptionFitsItsBox) {
  for (int k = 1; k <= 24; ++k) {
    QCheckBox* box = W->ChordBox(k);
    EXPECT_EQ(box->size(), QSize(66, 17)) << k;
    EXPECT_LE(box->sizeHint().width(), 66) << box->objectName().toStdString() << " "
                                           << box->text().toStdString();
  }
}
