// The drawing panel on screen: the first paint at a size composes its layers straight into the
// window, later paints through the panel's composed copy. Both must show the same pixels,
// whatever is asked for and whatever changed in between.
#include "controls/plan_panel.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>
#include <vector>

#include "platform/layer.h"

namespace {

constexpr QSize kPanel(300, 200);

class PlanPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FPanel = std::make_unique<TPlanPanel>();
    FPanel->resize(kPanel);
    // A canvas with lines and text, a small canvas placed by its offset, a drawing over them,
    // and a stretched picture: every way a layer is composed.
    FBack = AddCanvas(QRect(0, 0, 300, 200), [](QPainter& p) {
      p.setPen(QPen(Qt::darkBlue, 3));
      p.drawLine(10, 10, 290, 190);
      p.drawText(QRect(20, 120, 200, 40), Qt::AlignLeft, QStringLiteral("1750 мм"));
    });
    AddCanvas(QRect(150, 30, 90, 90), [](QPainter& p) {
      p.setBrush(QColor(0xC0, 0x80, 0x40));
      p.drawEllipse(5, 5, 80, 80);
    });
    auto* drawing = new TLayer(&FPanel->Layers());
    FLayers.push_back(drawing);
    drawing->setGeometry(40, 60, 200, 80);
    drawing->SetDrawing([](QPainter& p) {
      p.setRenderHint(QPainter::Antialiasing);
      p.setBrush(Qt::darkGreen);
      p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(190, 30), QPoint(20, 75)}));
    });
    drawing->show();
    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(4, 4, 8, 8, Qt::red);
    auto* stretched = new TLayer(&FPanel->Layers());
    FLayers.push_back(stretched);
    stretched->setGeometry(200, 120, 64, 48);
    stretched->SetStretch(true);
    stretched->SetPicture(picture);
    stretched->show();
  }

  template <typename Draw>
  TLayer* AddCanvas(const QRect& bounds, Draw draw) {
    auto* layer = new TLayer(&FPanel->Layers());
    FLayers.push_back(layer);
    layer->setGeometry(bounds);
    layer->ResetCanvas(bounds.width(), bounds.height());
    {
      QPainter p(&layer->Canvas());
      draw(p);
    }
    layer->CanvasChanged();
    layer->show();
    return layer;
  }

  // What the window shows: its pixels as the screen has them.
  QImage OnScreen() const {
    return FPanel->screen()->grabWindow(FPanel->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }
  // The panel composed from scratch into a picture, as a window never is.
  static QImage Expected(const TPlanPanel& panel) {
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);  // never composed straight into
    image.fill(Qt::black);
    const_cast<TPlanPanel&>(panel).render(&image);
    return image.convertToFormat(QImage::Format_RGB32);
  }

  void ShowAndWait() {
    // What reaches the screen is read back through the platform; Windows' minimal platform,
    // on which the Windows build's widget tests run, cannot read a window's pixels.
    if (QGuiApplication::platformName() == QLatin1String("minimal"))
      GTEST_SKIP() << "the minimal platform cannot read back a window's pixels";
    bool painted = false;
    FPanel->OnFirstPaint = [&] { painted = true; };
    FPanel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FPanel.get()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return painted; }, 2000));
  }

  std::unique_ptr<TPlanPanel> FPanel;
  std::vector<TLayer*> FLayers;  // owned by the panel's stack
  TLayer* FBack = nullptr;
};

TEST_F(PlanPanelTest, TheFirstPaintShowsWhatTheComposedCopyShows) {
  ShowAndWait();
  if (IsSkipped()) return;
  const QImage first = OnScreen();
  ASSERT_EQ(first.size(), kPanel);
  EXPECT_NE(first.pixel(150, 100), qRgb(255, 255, 255)) << "the layers were not composed";
  EXPECT_EQ(first, Expected(*FPanel));
  // A full repaint later goes through the composed copy: the same pixels.
  FPanel->update();
  QTest::qWait(50);
  EXPECT_EQ(OnScreen(), first);
}

TEST_F(PlanPanelTest, ChangesAfterTheFirstPaintAreComposedWhole) {
  ShowAndWait();
  if (IsSkipped()) return;
  // What happens to the panel after it was composed straight into the window: each time the
  // screen must equal the panel composed from scratch.
  const std::vector<std::pair<const char*, std::function<void()>>> steps = {
      {"one layer changed in part",
       [&] {
         QPainter(&FBack->Canvas()).fillRect(30, 30, 20, 20, Qt::magenta);
         FBack->CanvasChanged(QRect(30, 30, 20, 20));
       }},
      {"the view scrolled by whole pixels",
       [&] {
         // As the editor pans: the layers move with damage muted, the composed pixels follow.
         const QPoint delta(7, -5);
         FPanel->MuteDamage(true);
         for (TLayer* layer : FLayers) layer->setGeometry(layer->geometry().translated(delta));
         FPanel->MuteDamage(false);
         FPanel->ScrollPlan(delta, FPanel->rect());
       }},
      {"the panel resized", [&] { FPanel->resize(kPanel + QSize(40, 30)); }},
      {"a layer hidden after the resize", [&] { FLayers[1]->hide(); }},
  };
  for (const auto& [what, step] : steps) {
    step();
    QTest::qWait(TPlanPanel::kSettleMs / 3);  // before a scrolled view rests and is composed anew
    EXPECT_EQ(OnScreen(), Expected(*FPanel)) << what;
  }
}

}  // namespace
