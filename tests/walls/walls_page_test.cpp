// The walls page driven as a user drives it: numbers typed into the real fields and applied
// with Enter, the type and material lists chosen with the keyboard, and what the plan shows.
#include <map>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QStackedWidget>
#include <QToolButton>
#include <map>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "plan/rulers.h"
#include "controls/wall_page.h"
#include "controls/bell_page.h"
#include "controls/beem_page.h"
#include "platform/layer.h"
#include "platform/pattern.h"
#include "walls/wall_geometry.h"
#include "platform/rounding.h"
#include "support/main_window_fixture.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000, kSilver = 0xC0C0C0;
constexpr QRgb kMaterial = 0x1000000;  // marker: the material picture tiled from the layer's (0, 0)

QRgb Rgb(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }

using TNumberField = TacNumberEdit* TWallPage::*;

// Typed as a Russian keyboard delivers it: key events carrying their text.
void TypeName(QLineEdit* edit, const QString& text) {
  edit->setFocus();
  edit->selectAll();
  for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

class WallsPageTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    QApplication::setActiveWindow(W.get());
  }

  // The list is walked with the arrow keys; every step that changes the item is applied.
  void ChooseByKeys(QComboBox* list, int item) {
    list->setFocus();
    for (int n = list->count(); n > 0 && list->currentIndex() < item; --n) QTest::keyClick(list, Qt::Key_Down);
    for (int n = list->count(); n > 0 && list->currentIndex() > item; --n) QTest::keyClick(list, Qt::Key_Up);
    ASSERT_EQ(list->currentIndex(), item) << list->objectName().toStdString();
  }

  void ClickListEntry(int row) {
    QListWidget* l = W->pnlObjView->clbObjects;
    QTest::mouseClick(l->viewport(), Qt::LeftButton, Qt::NoModifier,
                      l->visualItemRect(l->item(row)).center());
  }

  // A bell placed from the palette and moved to `mm` through its own fields.
  void PlaceBellAt(QPoint mm) {
    W->pnlBells->FBellButtons[8]->click();
    ClickPlan(QPoint(300, 150));
    ASSERT_EQ(W->FObjects.back()->ObjType, okBell);
    TypeAndEnter(W->pnlBellProp->edBPositionX, QString::number(mm.x()));
    TypeAndEnter(W->pnlBellProp->edBPositionY, QString::number(mm.y()));
    ASSERT_EQ(W->FObjects.back()->BellPosition, mm);
  }

  void ExpectStored(int outer, int inner, int thickness, int arch, const std::string& why) {
    const TPlanObject& w = Obj(0);
    EXPECT_EQ(w.WallDiameterOuter, outer) << why;
    EXPECT_EQ(w.WallDiameterInner, inner) << why;
    EXPECT_EQ(w.WallWallWidth, thickness) << why;
    EXPECT_EQ(w.WallArcWidth, arch) << why;
  }
  void ExpectWalls(int outer, int inner, int thickness, int arch, const std::string& why) {
    ExpectStored(outer, inner, thickness, arch, why);
    // the fields show what is stored, the edited one included
    EXPECT_EQ(W->pnlWallProp->edDiameterOuter->text(), QString::number(outer)) << why;
    EXPECT_EQ(W->pnlWallProp->edDiameterInner->text(), QString::number(inner)) << why;
    EXPECT_EQ(W->pnlWallProp->edWallWidth->text(), QString::number(thickness)) << why;
    EXPECT_EQ(W->pnlWallProp->edWallArcWidth->text(), QString::number(arch)) << why;
  }
};

TEST_F(WallsPageTest, NewDocumentShowsTheDefaultWalls) {
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp);
  EXPECT_EQ(W->pnlWallProp->edWallName->text(), QStringLiteral("Стены"));
  EXPECT_EQ(W->pnlWallProp->cbWallType->currentText(), QStringLiteral("Четверик"));
  EXPECT_EQ(W->pnlWallProp->cbWallMaterials->currentText(), QStringLiteral("Красный кирпич"));
  ExpectWalls(5600, 4000, 800, 1500, "start");

  struct Row { QLabel* label; const char* text; QWidget* control; };
  const Row rows[] = {
      {W->pnlWallProp->lblWallName, "Имя объекта", W->pnlWallProp->edWallName},
      {W->pnlWallProp->lblWallType, "Тип тарвоска", W->pnlWallProp->cbWallType},
      {W->pnlWallProp->lblMaterial, "Материал стен", W->pnlWallProp->cbWallMaterials},
      {W->pnlWallProp->lblDiameterOuter, "Внешний диаметр (мм)", W->pnlWallProp->edDiameterOuter},
      {W->pnlWallProp->lblDiameterInner, "Внутренний диаметр (мм)", W->pnlWallProp->edDiameterInner},
      {W->pnlWallProp->lblWallWidth, "Толщина стен (мм)", W->pnlWallProp->edWallWidth},
      {W->pnlWallProp->lblArcWidth, "Ширина арочных проемов (мм)", W->pnlWallProp->edWallArcWidth},
  };
  int top = rows[0].control->y();
  for (const Row& r : rows) {
    EXPECT_EQ(r.label->text(), QString::fromUtf8(r.text));
    EXPECT_EQ(r.control->parentWidget(), W->pnlWallProp) << r.text;
    EXPECT_EQ(r.control->size(), QSize(194, 21)) << r.text;
    EXPECT_EQ(r.control->y(), top) << r.text;
    EXPECT_LT(r.label->y(), r.control->y()) << r.text;
    top += 40;
  }
  // Tab runs top to bottom
  for (size_t i = 0; i + 1 < std::size(rows); ++i) {
    rows[i].control->setFocus();
    QTest::keyClick(rows[i].control, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), rows[i + 1].control) << rows[i].text;
  }
}

// Every chain of the walls edits, typed into the real fields and applied with Enter.
TEST_F(WallsPageTest, EditChainsTypedWithEnter) {
  struct Step {
    TNumberField field;
    const char* typed;  // "\b" empties the selected field
  };
  struct Chain {
    const char* name;
    int type;
    std::vector<Step> steps;
    int outer, inner, thickness, arch;
  };
  const Chain chains[] = {
      {"outer above its limit", 0, {{&TWallPage::edDiameterOuter, "20000"}}, 16000, 8000, 4000, 4000},
      {"outer below its limit", 0, {{&TWallPage::edDiameterOuter, "1000"}}, 1200, 1000, 100, 1000},
      {"outer within limits", 0, {{&TWallPage::edDiameterOuter, "7000"}}, 7000, 5400, 800, 1500},
      {"inner above outer", 0, {{&TWallPage::edDiameterInner, "9000"}}, 8200, 8000, 100, 1500},
      {"inner odd difference", 0, {{&TWallPage::edDiameterInner, "4001"}}, 5600, 4001, 799, 1500},
      {"inner smallest", 0, {{&TWallPage::edDiameterInner, "1000"}}, 5600, 1000, 2300, 1000},
      {"thickness below limit", 0, {{&TWallPage::edWallWidth, "50"}}, 4200, 4000, 100, 1500},
      {"thickness above limit", 0, {{&TWallPage::edWallWidth, "5000"}}, 12000, 4000, 4000, 4000},
      {"arch raised to thickness", 0, {{&TWallPage::edWallArcWidth, "500"}}, 5600, 4000, 800, 800},
      {"four-sided arch maximum", 0, {{&TWallPage::edWallArcWidth, "9999"}}, 5600, 4000, 800, 4000},
      {"six-sided arch maximum", 1, {{&TWallPage::edWallArcWidth, "9999"}}, 5600, 4000, 800, 1617},
      {"eight-sided arch maximum", 2, {{&TWallPage::edWallArcWidth, "9999"}}, 5600, 4000, 800, 1320},
      {"six-sided at 16000",
       1,
       {{&TWallPage::edDiameterOuter, "16000"}, {&TWallPage::edWallArcWidth, "99999"}},
       16000, 8000, 4000, 4619},
      {"eight-sided at 16000",
       2,
       {{&TWallPage::edDiameterOuter, "16000"}, {&TWallPage::edWallArcWidth, "99999"}},
       16000, 8000, 4000, 3771},
      {"letters cannot be typed", 0, {{&TWallPage::edDiameterOuter, "12ab00"}}, 1200, 1000, 100, 1000},
      {"a number too long for the field", 0, {{&TWallPage::edDiameterOuter, "99999999999"}}, 16000,
       8000, 4000, 4000},
      {"emptied outer", 0, {{&TWallPage::edDiameterOuter, "\b"}}, 1200, 1000, 100, 1000},
      {"emptied inner", 0, {{&TWallPage::edDiameterInner, "\b"}}, 5600, 1000, 2300, 1000},
      {"emptied thickness", 0, {{&TWallPage::edWallWidth, "\b"}}, 4200, 4000, 100, 1500},
      {"emptied arch", 0, {{&TWallPage::edWallArcWidth, "\b"}}, 5600, 4000, 800, 800},
      {"shrink then grow back",
       0,
       {{&TWallPage::edDiameterOuter, "1200"}, {&TWallPage::edDiameterOuter, "5600"}},
       5600, 5400, 100, 1000},
  };
  for (const Chain& c : chains) {
    W->Menu.nNewDoc->trigger();
    ChooseByKeys(W->pnlWallProp->cbWallType, c.type);
    ASSERT_EQ(Obj(0).WallType, c.type) << c.name;
    for (const Step& s : c.steps) {
      TacNumberEdit* edit = W->pnlWallProp->*s.field;
      if (std::string_view(s.typed) == "\b") {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        ASSERT_TRUE(edit->text().isEmpty()) << c.name;
        QTest::keyClick(edit, Qt::Key_Return);
      } else {
        TypeAndEnter(edit, QString::fromUtf8(s.typed));
      }
    }
    ExpectWalls(c.outer, c.inner, c.thickness, c.arch, c.name);
    const TPlanObject& w = Obj(0);
    EXPECT_EQ(w.WallDiameterOuter - w.WallDiameterInner - 2 * w.WallWallWidth,
              (w.WallDiameterOuter - w.WallDiameterInner) % 2)
        << c.name;
    // The pixel sizes follow the new scale. On this panel every outer size fits 220 pixels
    // (232 * 0.95 = 220.4); the arch gets its share of them.
    const std::map<std::pair<int, int>, int> archPx = {
        {{16000, 4000}, 55}, {{1200, 1000}, 184}, {{7000, 1500}, 47},  {{8200, 1500}, 40},
        {{5600, 1500}, 59},  {{5600, 1000}, 39},  {{4200, 1500}, 79},  {{12000, 4000}, 73},
        {{5600, 800}, 31},   {{5600, 4000}, 157}, {{5600, 1617}, 64},  {{5600, 1320}, 52},
        {{16000, 4619}, 64}, {{16000, 3771}, 52}};
    EXPECT_EQ(w.WallDiameterOuterPx, 220) << c.name;
    EXPECT_EQ(w.WallArcWidthPx, archPx.at({c.outer, c.arch})) << c.name;
    EXPECT_EQ(W->FCurIndex, 0) << c.name;
    EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp) << c.name;
    // the frame follows the walls' new size
    if (c.type != 1) {
      const TLtrb& f = W->FSelRect;
      EXPECT_EQ(f.r - f.l, w.WallDiameterOuterPx + 6) << c.name;
      EXPECT_EQ(Rgb(W->FRenderer.Layer(SelectionLayer)->Canvas(), f.l, (f.t + f.b) / 2), kSilver) << c.name;
    }
    EXPECT_TRUE(Errors.isEmpty()) << c.name;
  }
}

// Leaving a field with Tab or the pointer applies nothing; the typed text stays until the page
// is filled again.
TEST_F(WallsPageTest, LeavingAFieldAppliesNothing) {
  const TNumberField fields[] = {&TWallPage::edDiameterOuter, &TWallPage::edDiameterInner,
                                 &TWallPage::edWallWidth, &TWallPage::edWallArcWidth};
  for (TNumberField f : fields) {
    TacNumberEdit* edit = W->pnlWallProp->*f;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("3000"));
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_FALSE(edit->hasFocus()) << edit->objectName().toStdString();
    EXPECT_EQ(edit->text(), QStringLiteral("3000"));
    ExpectStored(5600, 4000, 800, 1500, edit->objectName().toStdString());
  }
  // leaving by the pointer: a click on the pedestal entry, then back on the walls, which
  // refills the page with what is stored
  ClickListEntry(1);
  EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlPostProp);
  ClickListEntry(0);
  ExpectWalls(5600, 4000, 800, 1500, "refilled");
}

// The type list reshapes the walls and lowers the arch to the new maximum; going back does not
// raise it again. Nothing else moves and the scale stays.
TEST_F(WallsPageTest, TypeListReshapesTheWalls) {
  EXPECT_EQ(W->pnlWallProp->cbWallType->count(), 3);
  const char* names[] = {"Четверик", "Шестерик", "Восьмерик"};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(W->pnlWallProp->cbWallType->itemText(i), QString::fromUtf8(names[i]));
  const long double scale = W->FRenderer.FScale;
  const QPoint post = Obj(1).PostPosition;
  struct Row { int type; int arch; size_t corners; };
  for (const Row& r : {Row{1, 1500, 6}, Row{2, 1320, 8}, Row{1, 1320, 6}, Row{0, 1320, 4}}) {
    ChooseByKeys(W->pnlWallProp->cbWallType, r.type);
    EXPECT_EQ(Obj(0).WallType, r.type);
    EXPECT_EQ(Obj(0).WallArcWidth, r.arch) << r.type;
    EXPECT_EQ(W->pnlWallProp->edWallArcWidth->text(), QString::number(r.arch)) << r.type;
    EXPECT_EQ(Obj(0).WallOuterPointsPx.size(), r.corners);
    EXPECT_EQ(Obj(0).WallArcQuadsPx.size(), r.corners);
    EXPECT_EQ(W->FRenderer.FScale, scale);
    EXPECT_EQ(Obj(1).PostPosition, post);
    EXPECT_EQ(W->FCurIndex, 0);
  }
}

// The material list repaints the walls with the chosen picture, tiled from the layer's (0, 0).
TEST_F(WallsPageTest, MaterialListRepaintsTheWalls) {
  const char* names[] = {"Красный кирпич", "Камень", "Ель", "Сосна", "Дуб"};
  ASSERT_EQ(W->pnlWallProp->cbWallMaterials->count(), 5);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(W->pnlWallProp->cbWallMaterials->itemText(i), QString::fromUtf8(names[i]));
  const char* beams[] = {"Ель", "Сосна", "Дуб", "Короб", "Двутавр", "Швеллер"};
  ASSERT_EQ(W->pnlBeemProp->cbBeemMaterials->count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(W->pnlBeemProp->cbBeemMaterials->itemText(i), QString::fromUtf8(beams[i]));

  // a corner of the square walls at the window's scale (origin (199, 65), 220 px across)
  const QPoint spots[] = {{203, 70}, {414, 70}, {205, 280}, {410, 282}};
  for (int m : {4, 1, 3, 0, 2}) {
    ChooseByKeys(W->pnlWallProp->cbWallMaterials, m);
    EXPECT_EQ(Obj(0).WallMaterial, m);
    const QImage& layer = Obj(0).Layer->Canvas();
    const QImage& picture = W->FRenderer.FMaterials[static_cast<size_t>(m)];
    for (QPoint p : spots)
      EXPECT_EQ(Rgb(layer, p.x(), p.y()),
                picture.pixel(p.x() % picture.width(), p.y() % picture.height()) & 0xFFFFFFu)
          << "material " << m << " at " << p.x() << "," << p.y();
  }
}

// The walls layer at a scale of 0.1 px/mm and origin (65, 65): pieces hold the material,
// openings, courtyard and outside stay white, outlines are black.
TEST_F(WallsPageTest, WallsLayerPixelsForEachType) {
  W->SetPlanClientSize(QSize(680, 690));
  ASSERT_NEAR(static_cast<double>(W->FRenderer.FScale), 0.1, 1e-15);
  ASSERT_EQ(QPoint(W->FRenderer.FOriginX, W->FRenderer.FOriginY), QPoint(65, 65));
  EXPECT_EQ(Obj(0).Layer->geometry(), QRect(4, 4, 672, 682));
  struct Spot { int x, y; QRgb colour; const char* what; };
  struct Row { int type; std::vector<Spot> spots; };
  const Row rows[] = {
      {0,
       {{100, 100, kMaterial, "upper-left piece"}, {600, 600, kMaterial, "lower-right piece"},
        {100, 269, kMaterial, "just above the left opening"}, {100, 270, kBlack, "left opening's edge"},
        {100, 345, kWhite, "left opening"}, {345, 100, kWhite, "top opening"},
        {345, 345, kWhite, "courtyard"}, {30, 30, kWhite, "outside"}, {65, 200, kBlack, "outline"}}},
      {1,
       {{240, 140, kMaterial, "upper-left piece"}, {345, 140, kWhite, "top opening"},
        {525, 241, kWhite, "upper-right opening"}, {345, 345, kWhite, "courtyard"},
        {80, 110, kWhite, "outside"}, {240, 103, kBlack, "top outline"}}},
      {2,
       {{250, 100, kMaterial, "top piece"}, {345, 100, kWhite, "top opening"},
        {174, 174, kWhite, "upper-left chamfer opening"}, {345, 345, kWhite, "courtyard"},
        {80, 80, kWhite, "outside"}, {250, 65, kBlack, "top outline"}}},
  };
  for (const Row& r : rows) {
    ChooseByKeys(W->pnlWallProp->cbWallType, r.type);
    const QImage& layer = Obj(0).Layer->Canvas();
    const QImage& brick = W->FRenderer.FMaterials[0];
    for (const Spot& s : r.spots) {
      const QRgb want = s.colour == kMaterial
                            ? brick.pixel(s.x % brick.width(), s.y % brick.height()) & 0xFFFFFFu
                            : s.colour;
      EXPECT_EQ(Rgb(layer, s.x, s.y), want) << "type " << r.type << ": " << s.what;
    }
  }
}

// The hexagon and octagon of the default walls, as the inspector leaves them in the object.
TEST_F(WallsPageTest, OutlinesInMillimetres) {
  ChooseByKeys(W->pnlWallProp->cbWallType, 1);
  const TPointsArr hexOuter = {{1400, 375}, {4200, 375}, {5600, 2800}, {4200, 5225}, {1400, 5225}, {0, 2800}};
  const TPointsArr hexInner = {{1800, 1068}, {3800, 1068}, {4800, 2800}, {3800, 4532}, {1800, 4532}, {800, 2800}};
  EXPECT_EQ(Obj(0).WallOuterPoints, hexOuter);
  EXPECT_EQ(Obj(0).WallInnerPoints, hexInner);
  ChooseByKeys(W->pnlWallProp->cbWallType, 2);
  // c = 1616, s = 2368 outside; c = 1154, s = 1692 inside, shifted by the thickness
  EXPECT_EQ(Obj(0).WallOuterPoints[1], QPoint(1616 + 2368, 0));
  EXPECT_EQ(Obj(0).WallOuterPoints[3], QPoint(2 * 1616 + 2368, 1616 + 2368));
  EXPECT_EQ(Obj(0).WallInnerPoints[0], QPoint(1154 + 800, 800));
  EXPECT_EQ(Obj(0).WallInnerPoints[4], QPoint(1154 + 1692 + 800, 2 * 1154 + 1692 + 800));
}

// A walls edit carries the pedestal and the bells about the walls' centre by the ratio of the
// half diameters; an edit that keeps the outer diameter moves nothing.
TEST_F(WallsPageTest, WallsEditMovesBellAndPedestal) {
  struct Row {
    const char* name;
    TNumberField field;
    const char* typed;
    QPoint bell, post;
    int bellDiameterPx;  // bell 9, 480 mm, at the new scale
  };
  const Row rows[] = {
      {"outer doubled", &TWallPage::edDiameterOuter, "11200", {2800, 5600}, {5600, 8400}, 9},
      {"outer to 4200 by thickness", &TWallPage::edWallWidth, "50", {1050, 2100}, {2100, 3150}, 25},
      {"inner keeps outer", &TWallPage::edDiameterInner, "4001", {1400, 2800}, {2800, 4200}, 19},
      {"arch", &TWallPage::edWallArcWidth, "500", {1400, 2800}, {2800, 4200}, 19},
  };
  for (const Row& r : rows) {
    W->Menu.nNewDoc->trigger();
    PlaceBellAt(QPoint(1400, 2800));
    ClickListEntry(0);
    ASSERT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp) << r.name;
    TypeAndEnter(W->pnlWallProp->*r.field, QString::fromUtf8(r.typed));
    const TPlanObject& bell = Obj(2);
    EXPECT_EQ(bell.BellPosition, r.bell) << r.name;
    EXPECT_EQ(Obj(1).PostPosition, r.post) << r.name;
    // Pixels follow the millimetres at the new scale, and the bell's layer with them: the walls
    // always fill the same 220 pixels, so positions scaled with them keep their pixels.
    EXPECT_EQ(bell.BellPositionPx, QPoint(254, 175)) << r.name;
    EXPECT_EQ(bell.BellDiameterPx, r.bellDiameterPx) << r.name;
    const int half = bell.BellDiameterPx / 2;
    EXPECT_EQ(bell.Layer->geometry().topLeft(), bell.BellPositionPx - QPoint(half, half)) << r.name;
    EXPECT_EQ(Obj(1).PostPositionPx, QPoint(309, 230)) << r.name;
    // the walls stay current
    EXPECT_EQ(W->FCurIndex, 0) << r.name;
    EXPECT_EQ(W->pnlInspPages->currentWidget(), W->pnlWallProp) << r.name;
  }
}

// The first walls edit after opening a document starts from the document's walls.
TEST_F(WallsPageTest, FirstEditAfterOpeningADocument) {
  PlaceBellAt(QPoint(1400, 2800));
  ClickListEntry(0);
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("7000"));
  ASSERT_EQ(Obj(2).BellPosition, QPoint(1750, 3500));
  const QString path = TempPath(QStringLiteral("walls.tarvosk"));
  ASSERT_TRUE(W->SaveDocument(path));
  W->Menu.nNewDoc->trigger();
  ASSERT_TRUE(W->OpenDocument(path));
  ClickListEntry(0);
  EXPECT_EQ(W->pnlWallProp->edDiameterOuter->text(), QStringLiteral("7000"));
  TypeAndEnter(W->pnlWallProp->edDiameterInner, QStringLiteral("5401"));
  ExpectWalls(7000, 5401, 799, 1500, "inner edit after opening");
  EXPECT_EQ(Obj(2).BellPosition, QPoint(1750, 3500));
  EXPECT_EQ(Obj(1).PostPosition, QPoint(3500, 5250));
}

// The frame of the walls for each type at the window's scale, and the old frame erased.
TEST_F(WallsPageTest, SelectionFrameOfTheWalls) {
  struct Row { int type; TLtrb frame; };
  const Row rows[] = {
      {0, {197, 63, 423, 289}},
      {1, {197, 78, 423, 275}},  // around the hexagon, not its bounding square
      {2, {197, 63, 423, 289}},
      {0, {197, 63, 423, 289}},
  };
  TLtrb previous{};
  for (const Row& r : rows) {
    ChooseByKeys(W->pnlWallProp->cbWallType, r.type);
    const TLtrb& f = W->FSelRect;
    EXPECT_EQ(std::tie(f.l, f.t, f.r, f.b), std::tie(r.frame.l, r.frame.t, r.frame.r, r.frame.b))
        << "type " << r.type;
    const QImage& sel = W->FRenderer.Layer(SelectionLayer)->Canvas();
    const int midX = (f.l + f.r) / 2, midY = (f.t + f.b) / 2;
    EXPECT_EQ(Rgb(sel, f.l, midY), kSilver) << r.type;
    EXPECT_EQ(Rgb(sel, f.r - 1, midY), kSilver) << r.type;
    EXPECT_EQ(Rgb(sel, midX, f.t), kSilver) << r.type;
    EXPECT_EQ(Rgb(sel, midX, f.b - 1), kSilver) << r.type;
    EXPECT_EQ(Rgb(sel, f.l + 4, midY), kWhite) << r.type;
    if (previous.t != 0 && previous.t != f.t) {
      EXPECT_EQ(Rgb(sel, midX, previous.t), kWhite) << "old frame left at type " << r.type;
    }
    previous = f;
  }
}

// Renaming the walls through their name field follows the naming rule.
TEST_F(WallsPageTest, RenamingTheWalls) {
  struct Row { const char* typed; const char* name; };
  for (const Row& r : {Row{"Постамент", "Постамент1"}, Row{"стены", "стены"}, Row{"Башня", "Башня"}}) {
    TypeName(W->pnlWallProp->edWallName, QString::fromUtf8(r.typed));
    QTest::keyClick(W->pnlWallProp->edWallName, Qt::Key_Return);
    EXPECT_EQ(Obj(0).ObjName, QString::fromUtf8(r.name));
    EXPECT_EQ(W->pnlWallProp->edWallName->text(), QString::fromUtf8(r.typed));  // the edit keeps what was typed
    EXPECT_EQ(W->pnlObjView->clbObjects->item(0)->text(), QString::fromUtf8(r.name));
    EXPECT_EQ(W->cbObjects->itemText(0), QString::fromUtf8(r.name));
    EXPECT_EQ(W->pnlObjView->clbObjects->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(W->pnlObjView->clbObjects->currentRow(), 0);
  }
  // leaving the name field applies nothing
  TypeName(W->pnlWallProp->edWallName, QStringLiteral("Звонница"));
  QTest::keyClick(W->pnlWallProp->edWallName, Qt::Key_Tab);
  EXPECT_EQ(Obj(0).ObjName, QStringLiteral("Башня"));
}

// Walls and rulers redrawn on their layers, where only the last ones' ink is whitened, show
// what they show drawn afresh on white: through walls growing and shrinking, another type, a
// hidden walls object, another panel size and another material.
TEST_F(WallsPageTest, RedrawnWallsAndRulersEqualThemDrawnAfresh) {
  const auto sameAsFresh = [&](const char* step) {
    const TPlanObject& walls = Obj(0);
    QImage fresh(walls.Layer->CanvasSize(), QImage::Format_RGB32);
    const int material = std::clamp(walls.WallMaterial, 0, 4);
    RenderWallsLayer(fresh, W->FRenderer.WallGeometry(), ShiftedPattern(W->FRenderer.FMaterials[static_cast<size_t>(material)], -W->FRenderer.FPatternAnchor),
                     walls.ObjVisible);
    // Read through const: asking for a canvas to draw on forgets where its ink is.
    EXPECT_EQ(std::as_const(*walls.Layer).Canvas(), fresh) << step;
    QImage expected(W->FRenderer.Layer(RulerLayer)->CanvasSize(), QImage::Format_RGB32);
    PaintRulers(expected, expected.width(), expected.height(), W->FRenderer.Scale());
    EXPECT_EQ(std::as_const(*W->FRenderer.Layer(RulerLayer)).Canvas(), expected) << step;
  };
  sameAsFresh("new plan");
  W->FDocument.SetWallDiameterOuter(7200);
  sameAsFresh("grown");
  W->FDocument.SetWallDiameterOuter(4200);
  sameAsFresh("shrunk");
  W->FDocument.SetWallType(2);
  sameAsFresh("eight sides");
  W->FDocument.SetWallDiameterInner(1500);
  sameAsFresh("thicker");
  Obj(0).ObjVisible = false;
  W->FRenderer.DrawWalls();
  sameAsFresh("hidden");
  Obj(0).ObjVisible = true;
  W->FRenderer.DrawWalls();
  sameAsFresh("shown again");
  W->SetPlanClientSize(QSize(500, 430));
  sameAsFresh("smaller panel");
  W->FDocument.SetWallMaterial(3);
  sameAsFresh("another material");
}

}  // namespace

// Walls, bells and beams share one rounding: a millimetre value whose pixel lies at an exact
// half (or within a hair of it) lands on the same pixel whichever part draws it.
TEST_F(WallsPageTest, AHalfPixelLandsAlikeForWallsBellsAndBeams) {
  W->SetPlanClientSize(QSize(694, 697));
  TypeAndEnter(W->pnlWallProp->edDiameterOuter, QStringLiteral("16000"));
  ExpectStored(16000, 8000, 4000, 4000, "outer 16000");
  // 12000 mm at 574/16000 px per mm lies a hair above 430.5 px in extended precision
  EXPECT_EQ(Obj(0).WallInnerPointsPx[1], QPoint(496, 205));
  EXPECT_EQ(W->FRenderer.MmToPlan(QPoint(12000, 4000)), QPoint(496, 205));
  W->ChordBox(1)->click();
  W->ChordBox(9)->click();
  for (int type : {0, 1, 2}) {
    SCOPED_TRACE(type);
    ClickListEntry(0);
    ChooseByKeys(W->pnlWallProp->cbWallType, type);
    const TPlanObject& w = Obj(0);
    for (size_t i = 0; i < w.WallInnerPoints.size(); ++i) {
      EXPECT_EQ(w.WallInnerPointsPx[i], W->FRenderer.MmToPlan(w.WallInnerPoints[i])) << i;
      EXPECT_EQ(w.WallOuterPointsPx[i], W->FRenderer.MmToPlan(w.WallOuterPoints[i])) << i;
    }
    for (int beam : {2, 3}) {
      EXPECT_EQ(Obj(beam).BeemBeginPointPx, W->FRenderer.MmToPlan(Obj(beam).BeemBeginPoint));
      EXPECT_EQ(Obj(beam).BeemEndPointPx, W->FRenderer.MmToPlan(Obj(beam).BeemEndPoint));
    }
  }
}
