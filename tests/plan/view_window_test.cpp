// Zoom, pan and the pointer's position on the real window: every action keeps its millimetres
// at every view, the view stays out of documents and pictures, and bad input holds its limits.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QToolButton>
#include <QUndoStack>
#include <QWheelEvent>
#include <cmath>

#include "document/document_file.h"
#include "controls/plan_panel.h"
#include "plan/rulers.h"
#include "platform/layer.h"
#include "plan_window_test.h"
#include "support/sample_plans.h"

namespace {

class ViewWindowTest : public PlanWindowTest {
 protected:
  // The fitted scale and origin of the 618 x 352 panel with the default 5600 mm walls, worked
  // out from the fitting rule: 65 pixels above and below, centred across.
  static long double FittedScale() { return (352 - 120) / 5600.0L * 0.95L; }
  static int FittedOriginX() { return (618 - static_cast<int>(std::nearbyintl(5600 * FittedScale()))) / 2; }
  static constexpr int kFittedOriginY = 65;

  void Wheel(QPoint plan, int delta, Qt::KeyboardModifiers modifiers, bool settle = true) {
    const QPointF at(plan + QPoint(4, 4));
    QWheelEvent event(at, W->pnlImg->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(W->pnlImg, &event);
    if (settle) QCoreApplication::processEvents();
  }
  void ZoomTo(int steps, QPoint anchor) {
    while (W->FRenderer.FView.Steps < steps) Wheel(anchor, 120, Qt::ControlModifier);
    while (W->FRenderer.FView.Steps > steps) Wheel(anchor, -120, Qt::ControlModifier);
  }
  void MiddleDrag(QPoint from, QPoint to) {
    QTest::mousePress(W->pnlImg, Qt::MiddleButton, Qt::NoModifier, from + QPoint(4, 4));
    QTest::mouseMove(W->pnlImg, to + QPoint(4, 4));
    QTest::mouseRelease(W->pnlImg, Qt::MiddleButton, Qt::NoModifier, to + QPoint(4, 4));
  }
  void OpenFull() {
    const QString path = TempPath(QStringLiteral("full.tarvosk"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(FullDocumentBytes());
    f.close();
    ASSERT_TRUE(W->OpenDocument(path));
  }
  QByteArray Bytes() const { return DocumentToBytes(W->FObjects); }
  // Plan pixel of a millimetre point by the window's present scale and origin.
  QPoint PxOf(QPointF mm) const {
    return QPoint(static_cast<int>(std::nearbyintl(mm.x() * W->FRenderer.FScale)) + W->FRenderer.FOriginX,
                  static_cast<int>(std::nearbyintl(mm.y() * W->FRenderer.FScale)) + W->FRenderer.FOriginY);
  }
};

TEST_F(ViewWindowTest, ZoomingAboutThePointerKeepsItsMillimetresUnderIt) {
  ASSERT_EQ(W->FRenderer.FScale, FittedScale());
  ASSERT_EQ(W->FRenderer.FOriginX, FittedOriginX());
  ASSERT_EQ(W->FRenderer.FOriginY, kFittedOriginY);
  const QPoint pointer(201, 143);
  const long double mx = (pointer.x() - FittedOriginX()) / FittedScale();
  const long double my = (pointer.y() - kFittedOriginY) / FittedScale();
  for (int turn : {120, 120, 120, 120, 120, 120, 120, 120, 120, 120, -120, -120, -120, -120, -120, -120, -120, -120,
                   -120, -120}) {
    Wheel(pointer, turn, Qt::ControlModifier);
    const long double zoom = std::pow(1.25L, W->FRenderer.FView.Steps);
    EXPECT_NEAR(static_cast<double>(W->FRenderer.FScale), static_cast<double>(FittedScale() * zoom), 1e-12);
    EXPECT_LE(std::fabs(static_cast<double>(mx * W->FRenderer.FScale + W->FRenderer.FOriginX - pointer.x())), 1.0) << W->FRenderer.FView.Steps;
    EXPECT_LE(std::fabs(static_cast<double>(my * W->FRenderer.FScale + W->FRenderer.FOriginY - pointer.y())), 1.0) << W->FRenderer.FView.Steps;
  }
  EXPECT_EQ(W->FRenderer.FView.Steps, 0);
  EXPECT_EQ(W->FRenderer.FOriginX, FittedOriginX());
  EXPECT_EQ(W->lblZoom->text(), QStringLiteral("100 %"));
}

TEST_F(ViewWindowTest, MenuItemsAndKeysZoomAboutTheCentreAndFitAgain) {
  EXPECT_EQ(W->Menu.nZoomIn->text(), QStringLiteral("Увеличить"));
  EXPECT_EQ(W->Menu.nZoomOut->text(), QStringLiteral("Уменьшить"));
  EXPECT_EQ(W->Menu.nZoomFit->text(), QStringLiteral("Вписать"));
  EXPECT_TRUE(W->Menu.nView->actions().contains(W->Menu.nZoomFit));
  QTest::keyClick(W.get(), Qt::Key_Equal, Qt::ControlModifier);
  QTest::keyClick(W.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(W->FRenderer.FView.Steps, 2);
  EXPECT_EQ(W->lblZoom->text(), QStringLiteral("156 %"));
  QTest::keyClick(W.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(W->FRenderer.FView.Steps, 1);
  EXPECT_TRUE(W->ViewControl.sbPlanH->isVisible());
  QTest::keyClick(W.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_TRUE(IsFitted(W->FRenderer.FView));
  EXPECT_FALSE(W->ViewControl.sbPlanH->isVisible());
  EXPECT_EQ(W->FRenderer.FScale, FittedScale());
  // Another plan is shown whole.
  W->Menu.nZoomIn->trigger();
  W->Menu.nNewDoc->trigger();
  EXPECT_TRUE(IsFitted(W->FRenderer.FView));
  EXPECT_EQ(W->lblZoom->text(), QStringLiteral("100 %"));
  EXPECT_EQ(W->FRenderer.FScale, FittedScale());
}

// At 1 x, about 4 x and about 32 x, moved: a bell placed from the palette, dragged, a chord
// beam, a free beam's end and the fixing all keep millimetres and pixels to the mapping.
TEST_F(ViewWindowTest, EveryActionAgreesWithTheMappingAtEveryZoom) {
  struct TRow {
    int steps;
    QPoint pan;  // a middle-button drag
  };
  for (const TRow& r : {TRow{0, {}}, TRow{6, {40, -25}}, TRow{16, {-70, 30}}}) {
    SCOPED_TRACE(r.steps);
    W->Menu.nNewDoc->trigger();
    const QPointF target(2500, 2300);  // a point of the walls' courtyard
    const QPoint fittedAt(static_cast<int>(std::nearbyintl(target.x() * FittedScale())) + FittedOriginX(),
                          static_cast<int>(std::nearbyintl(target.y() * FittedScale())) + kFittedOriginY);
    ZoomTo(r.steps, fittedAt);
    MiddleDrag(QPoint(300, 170), QPoint(300, 170) + r.pan);
    ASSERT_NEAR(static_cast<double>(W->FRenderer.FScale), static_cast<double>(FittedScale() * std::pow(1.25L, r.steps)), 1e-12);
    const long double s = W->FRenderer.FScale;

    const QPoint at = PxOf(target);
    ASSERT_TRUE(QRect(20, 20, 560, 300).contains(at)) << at.x() << "," << at.y() << " fitted " << fittedAt.x() << "," << fittedAt.y() << " steps " << W->FRenderer.FView.Steps;
    const int bell = PlaceBell(30, at);
    EXPECT_EQ(Obj(bell).BellPositionPx, at);
    EXPECT_LE(std::abs(Obj(bell).BellPosition.x() - target.x()), 0.5 / s + 0.5);
    EXPECT_LE(std::abs(Obj(bell).BellPosition.y() - target.y()), 0.5 / s + 0.5);
    EXPECT_EQ(Obj(bell).BellDiameterPx, static_cast<int>(std::nearbyintl(Obj(bell).BellDiameter * s)));

    const QPoint before = Obj(bell).BellPosition;
    DragPlan(at, at + QPoint(12, -7));
    EXPECT_EQ(Obj(bell).BellPositionPx, at + QPoint(12, -7));
    EXPECT_NEAR(Obj(bell).BellPosition.x() - before.x(), 12 / s, 1 / s + 1);
    EXPECT_NEAR(Obj(bell).BellPosition.y() - before.y(), -7 / s, 1 / s + 1);

    W->ChordBox(1)->click();
    const TPlanObject& chord = Obj(static_cast<int>(W->FObjects.size()) - 1);
    ASSERT_EQ(chord.BeemOrientation, 1);
    EXPECT_EQ(chord.BeemBeginPointPx, PxOf(chord.BeemBeginPoint));
    EXPECT_EQ(chord.BeemEndPointPx, PxOf(chord.BeemEndPoint));

    const int beam = PlaceBeam(at + QPoint(-30, 20), at + QPoint(25, 30));
    const QPoint end = Obj(beam).BeemEndPoint;
    EXPECT_LE(std::abs(end.x() - (at.x() + 25 - W->FRenderer.FOriginX) / s), 0.5 + 1e-9);
    EXPECT_LE(std::abs(end.y() - (at.y() + 30 - W->FRenderer.FOriginY) / s), 0.5 + 1e-9);

    W->pnlTools->btnApply->click();
    ASSERT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
    ASSERT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());
    // The millimetres are what a fitted plan would have made of the same places.
    EXPECT_EQ(chord.BeemBeginPoint, QPoint(chord.BeemBeginPoint));
  }
}

// Looking closer at a fixed plan keeps its lines and weights, drawn for the view.
TEST_F(ViewWindowTest, AFixingStaysShownWhileZoomingAndMoving) {
  OpenFull();
  W->pnlTools->btnApply->click();
  const QImage fitted = W->FRenderer.Layer(AnnotationLayer)->Canvas().copy();
  ZoomTo(5, QPoint(300, 170));
  MiddleDrag(QPoint(300, 170), QPoint(250, 120));
  EXPECT_TRUE(W->FRenderer.Layer(AnnotationLayer)->isVisible());
  EXPECT_TRUE(W->FRenderer.Layer(WeightLayer)->isVisible());
  EXPECT_NE(W->FRenderer.Layer(AnnotationLayer)->Canvas(), fitted);
  W->Menu.nZoomFit->trigger();
  EXPECT_EQ(W->FRenderer.Layer(AnnotationLayer)->Canvas(), fitted);
}

TEST_F(ViewWindowTest, RulersAreTheSpecifiedOnesWhenFittedAndFollowTheView) {
  const QImage fitted = W->FRenderer.Layer(RulerLayer)->Canvas().copy();
  QImage expected(618, 352, QImage::Format_RGB32);
  PaintRulers(expected, 618, 352, W->FRenderer.Scale());
  EXPECT_EQ(fitted, expected);
  ZoomTo(7, QPoint(250, 150));
  EXPECT_NE(W->FRenderer.Layer(RulerLayer)->Canvas(), fitted);
  QTest::keyClick(W.get(), Qt::Key_0, Qt::ControlModifier);
  EXPECT_EQ(W->FRenderer.Layer(RulerLayer)->Canvas(), fitted);
}

TEST_F(ViewWindowTest, ZoomAndPanInAnyOrderChangeNoByteAndMakeNoStep) {
  OpenFull();
  const QByteArray before = Bytes();
  const int steps = W->FHistory->count();
  QRandomGenerator random(1717);
  for (int i = 0; i < 100; ++i) {
    const QPoint at(random.bounded(20, 600), random.bounded(20, 330));
    switch (random.bounded(5)) {
      case 0: Wheel(at, random.bounded(2) ? 120 : -120, Qt::ControlModifier); break;
      case 1: Wheel(at, random.bounded(-360, 361), random.bounded(2) ? Qt::ShiftModifier : Qt::NoModifier); break;
      case 2: MiddleDrag(at, at + QPoint(random.bounded(-80, 81), random.bounded(-80, 81))); break;
      case 3: W->ViewControl.sbPlanH->setValue(random.bounded(W->ViewControl.sbPlanH->maximum() + 1)); break;
      default: (random.bounded(2) ? W->Menu.nZoomIn : W->Menu.nZoomOut)->trigger(); break;
    }
  }
  EXPECT_EQ(Bytes(), before);
  EXPECT_EQ(W->FHistory->count(), steps);
  EXPECT_TRUE(W->FHistory->isClean());
}

TEST_F(ViewWindowTest, ThePictureIsTheFittedPlanWhateverTheView) {
  OpenFull();
  const QString fitted = TempPath(QStringLiteral("fitted.png")), zoomed = TempPath(QStringLiteral("zoomed.png"));
  ASSERT_EQ(W->ExportPlanAs(fitted, TExportFormat::Png), QString());
  ZoomTo(9, QPoint(400, 100));
  MiddleDrag(QPoint(300, 170), QPoint(200, 220));
  const TPlanView view = W->FRenderer.FView;
  ASSERT_EQ(W->ExportPlanAs(zoomed, TExportFormat::Png), QString());
  EXPECT_EQ(W->FRenderer.FView, view);  // the view is given back
  QFile a(fitted), b(zoomed);
  ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
  EXPECT_EQ(a.readAll(), b.readAll());
}

// What the panel shows at the fitted scale is what the picture holds, pixel for pixel.
TEST_F(ViewWindowTest, ThePanelShowsWhatThePictureHolds) {
  OpenFull();
  W->pnlTools->btnApply->click();
  QCoreApplication::processEvents();
  const QImage shown = W->pnlImg->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown, W->FRenderer.ComposePlanImage());
}

TEST_F(ViewWindowTest, MagnifiedNoCanvasOutgrowsThePanel) {
  OpenFull();
  // The plan-sized layers keep the canvases of the window's first, larger size.
  QSize largest(618 + 2, 352 + 2);
  for (const TLayer* layer : W->pnlImg->Layers().Order()) largest = largest.expandedTo(layer->CanvasSize());
  ASSERT_LE(largest.width() * largest.height(), 2000 * 1000);
  ZoomTo(kMaxZoomSteps, QPoint(300, 170));
  ASSERT_EQ(W->FRenderer.FView.Steps, kMaxZoomSteps);
  MiddleDrag(QPoint(300, 170), QPoint(200, 100));
  QCoreApplication::processEvents();
  for (const TLayer* layer : W->pnlImg->Layers().Order()) {
    EXPECT_LE(layer->CanvasSize().width(), largest.width()) << layer->objectName().toStdString();
    EXPECT_LE(layer->CanvasSize().height(), largest.height()) << layer->objectName().toStdString();
  }
  // The masonry is drawn where the walls are, though no fill seed lies on the panel.
  const QPoint corner = PxOf(QPointF(400, 400));  // inside the north-west wall piece
  W->FRenderer.FView = TPlanView{};
  ZoomTo(kMaxZoomSteps, corner);
  const QImage walls = Obj(0).Layer->Canvas();
  EXPECT_NE(walls.pixel(corner), 0xFFFFFFFFu);
}

// A burst of a thousand wheel turns is shown once and stops at the limits; a one-pixel panel
// zooms and moves without harm.
TEST_F(ViewWindowTest, AWheelStormAndATinyPanelKeepTheLimits) {
  OpenFull();
  int paints = 0;
  struct TCounter : QObject {
    int* count;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++*count;
      return false;
    }
  } counter;
  counter.count = &paints;
  W->pnlImg->installEventFilter(&counter);
  for (int i = 0; i < 1000; ++i) Wheel(QPoint(300, 170), 120, Qt::ControlModifier, false);
  QCoreApplication::processEvents();
  EXPECT_EQ(W->FRenderer.FView.Steps, kMaxZoomSteps);
  EXPECT_LE(paints, 2);
  for (int i = 0; i < 1000; ++i) Wheel(QPoint(300, 170), -120, Qt::NoModifier, false);
  QCoreApplication::processEvents();
  EXPECT_EQ(W->ViewControl.sbPlanV->value(), W->ViewControl.sbPlanV->maximum());
  for (int i = 0; i < 1000; ++i) Wheel(QPoint(300, 170), -120, Qt::ControlModifier, false);
  QCoreApplication::processEvents();
  EXPECT_EQ(W->FRenderer.FView.Steps, kMinZoomSteps);
  W->pnlImg->removeEventFilter(&counter);

  W->SetPlanClientSize(QSize(1, 1));
  for (int i = 0; i < 20; ++i) W->Menu.nZoomIn->trigger();
  Wheel(QPoint(0, 0), -1200, Qt::ShiftModifier);
  MiddleDrag(QPoint(0, 0), QPoint(-50, 40));
  EXPECT_EQ(W->FRenderer.FView.Steps, kMaxZoomSteps);
  W->Menu.nZoomFit->trigger();
  EXPECT_TRUE(IsFitted(W->FRenderer.FView));
}

TEST_F(ViewWindowTest, ResizingKeepsTheZoomAndTheCentreOfTheView) {
  ZoomTo(6, QPoint(250, 150));
  MiddleDrag(QPoint(300, 170), QPoint(280, 150));
  const auto centreMm = [this] {
    const QPoint c(W->FRenderer.ClientWidth() / 2 - 4, W->FRenderer.ClientHeight() / 2 - 4);
    return QPointF((c.x() - W->FRenderer.FOriginX) / static_cast<double>(W->FRenderer.FScale), (c.y() - W->FRenderer.FOriginY) / static_cast<double>(W->FRenderer.FScale));
  };
  const QPointF before = centreMm();
  const long double fittedBefore = W->FRenderer.FScale / std::pow(1.25L, 6);
  W->SetPlanClientSize(QSize(800, 500));
  EXPECT_EQ(W->FRenderer.FView.Steps, 6);
  const long double fittedAfter = (500 - 120) / 5600.0L * 0.95L;
  EXPECT_NEAR(static_cast<double>(W->FRenderer.FScale / fittedAfter), static_cast<double>(std::pow(1.25L, 6)), 1e-9);
  EXPECT_NE(fittedBefore, fittedAfter);
  const QPointF after = centreMm();
  EXPECT_NEAR(after.x(), before.x(), 1 / static_cast<double>(W->FRenderer.FScale));
  EXPECT_NEAR(after.y(), before.y(), 1 / static_cast<double>(W->FRenderer.FScale));
}

TEST_F(ViewWindowTest, TheStatusBarTellsThePointersMillimetresAndTheZoom) {
  SKIP_WITHOUT_HOVER();
  const QPoint at(201, 143);
  QTest::mouseMove(W->pnlImg, at + QPoint(4, 4));
  QTest::qWait(TPlanViewControl::kPointerReadoutMs * 3);
  const int mx = static_cast<int>(std::nearbyintl((at.x() - FittedOriginX()) / FittedScale()));
  const int my = static_cast<int>(std::nearbyintl((at.y() - kFittedOriginY) / FittedScale()));
  EXPECT_EQ(W->lblPointer->text(), QStringLiteral("X: %1 мм  Y: %2 мм").arg(mx).arg(my));
  QTest::mouseMove(W->pnlImg, QPoint(5, 100));  // on the left ruler
  QTest::qWait(TPlanViewControl::kPointerReadoutMs * 3);
  EXPECT_EQ(W->lblPointer->text(), QString());
  QTest::mouseMove(W->pnlImg, at + QPoint(4, 4));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(W->pnlImg, &leave);
  QTest::qWait(TPlanViewControl::kPointerReadoutMs * 3);
  EXPECT_EQ(W->lblPointer->text(), QString());
  EXPECT_EQ(W->Status->text(), W->StatusText());  // the specified text stays beside them
  W->Menu.nZoomOut->trigger();
  EXPECT_EQ(W->lblZoom->text(), QStringLiteral("80 %"));
}

}  // namespace

namespace {

// A view moved at one zoom scrolls what the panel showed and composes only what comes in; once
// it rests, what the panel shows is what composing every layer anew shows.
TEST_F(ViewWindowTest, AMovedViewShowsWhatComposingAnewShows) {
  OpenFull();
  W->pnlTools->btnApply->click();
  ZoomTo(6, QPoint(300, 170));
  W->pnlImg->grab();  // everything composed once
  const QRect clip = W->ViewControl.PlanClip();
  for (const QPoint delta : {QPoint(37, -23), QPoint(-100, 0), QPoint(0, 61), QPoint(-7, 5)}) {
    W->ViewControl.PanView(delta);
    QTest::qWait(TPlanPanel::kSettleMs * 2);
    const QImage shown = W->pnlImg->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(clip);
    QImage fresh(W->pnlImg->size(), QImage::Format_RGB32);
    fresh.fill(Qt::white);
    W->pnlImg->Layers().Paint(fresh, fresh.rect(), W->pnlImg->PaintOrder);
    const QImage expected = fresh.copy(clip);
    QRect differ;
    int count = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != expected.pixel(x, y)) {
          differ |= QRect(x, y, 1, 1);
          ++count;
        }
    EXPECT_EQ(count, 0) << delta.x() << "," << delta.y() << ": pixels differ within " << differ.x() << ","
                        << differ.y() << " " << differ.width() << "x" << differ.height();
  }
}

// Composed with what opaque beams hide left out, the panel is every shown layer painted bottom to
// top: fitted, and magnified with the rulers above the objects and the objects within the clip.
TEST_F(ViewWindowTest, ThePanelIsEveryShownLayerPaintedBottomToTop) {
  OpenFull();
  W->pnlTools->btnApply->click();
  for (const int steps : {0, 6}) {
    while (W->FRenderer.FView.Steps < steps) W->Menu.nZoomIn->trigger();
    QCoreApplication::processEvents();
    const QImage shown = W->pnlImg->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const TLayerStack::TPaintOrder& order = W->pnlImg->PaintOrder;
    ASSERT_EQ(order.Last != nullptr, steps > 0);
    const std::vector<TLayer*>& layers = W->pnlImg->Layers().Order();
    ASSERT_GT(std::count_if(layers.begin(), layers.end(), [](const TLayer* l) { return !l->OpaqueHull().empty(); }), 50);
    QImage expected(W->pnlImg->size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
      QPainter p(&expected);
      const auto paint = [&](const TLayer& layer, const QRegion& where) {
        const QRegion clip = where & layer.geometry();
        if (layer.isHidden() || clip.isEmpty()) return;
        p.save();
        p.setClipRegion(clip);
        p.translate(layer.pos());
        layer.RenderTo(p, order.Magnified);
        p.restore();
      };
      const QRegion all(expected.rect());
      for (const TLayer* layer : layers)
        if (layer != order.Last) paint(*layer, order.Last ? all & order.Clip : all);
      if (order.Last) paint(*order.Last, all - order.Clip);
    }
    // The scroll bars of a magnified plan are widgets of their own over the panel.
    QRegion compared(shown.rect());
    for (const QWidget* child : W->pnlImg->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (child->isVisible()) compared -= child->geometry();
    ASSERT_GT(compared.boundingRect().width(), 550);
    for (const QRect& r : compared)
      EXPECT_TRUE(shown.copy(r) == expected.copy(r)) << steps << " steps, within " << r.x() << "," << r.y() << " "
                                                     << r.width() << "x" << r.height();
  }
}

}  // namespace
