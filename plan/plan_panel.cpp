#include "plan/plan_panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cstdlib>
#include <utility>

#include "platform/image_memory.h"
#include "platform/unsplit_painting.h"

namespace {

// Changes of more pixels than this are composed on a thread of their own (PaintUnsplit).
constexpr qint64 kUnsplitPixels = 64 * 64;
// Up to this many rectangles of a change are composed one by one, more as the one around them.
constexpr int kComposedRects = 8;

}  // namespace

TPlanPanel::TPlanPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlImg"));
  setAttribute(Qt::WA_OpaquePaintEvent);  // the panel paints every pixel it is asked for
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setMouseTracking(true);
  FLayers.OnDamage = [this](const QRect& area) { Damage(area); };
  FSettle.setSingleShot(true);
  FSettle.setInterval(kSettleMs);
  connect(&FSettle, &QTimer::timeout, this, [this] { update(); });
}

void TPlanPanel::Damage(const QRect& area) {
  if (FDamageMuted) return;
  // Many rectangles are composed as the one around them anyway (paintEvent); joining each of
  // hundreds of layers' damage to an ever longer list of rectangles cost a relaid plan
  // milliseconds.
  if (FDirty.rectCount() >= kComposedRects) FDirty = QRegion(FDirty.boundingRect() | area);
  else FDirty += area;
  QWidget::update(area);
}

void TPlanPanel::update() {
  FDirty = QRegion(rect());
  QWidget::update();
}

void TPlanPanel::ScrollPlan(QPoint delta, const QRect& within) {
  const QRect area = within & rect();
  if (FComposed.size() != size() || area.isEmpty() || std::abs(delta.x()) >= area.width() ||
      std::abs(delta.y()) >= area.height()) {
    update();
    return;
  }
  // What was composed moves with the plan; what comes into view and the rulers around the
  // area are composed anew. Changes not yet composed move along.
  const QImage moved = FComposed.copy(area);
  {
    QPainter p(&FComposed);
    p.setClipRect(area);
    p.drawImage(area.topLeft() + delta, moved);
  }
  const QRegion inside(area);
  FDirty = (FDirty - inside) + ((FDirty & inside).translated(delta) & inside);
  FDirty += inside - inside.translated(delta);
  FDirty += QRegion(rect()) - inside;
  QWidget::update();
  // The plan's roundings go half to even, so a band moved by an odd pixel may step a pixel
  // otherwise along an edge: once the view rests, everything is composed anew.
  FSettle.start();
}

void TPlanPanel::paintEvent(QPaintEvent* event) {
  if (FComposed.size() != size()) {
    FComposed = NewRgb32Image(size());
    FDirty = QRegion(rect());
  }
  if (!FDirty.isEmpty()) {
    // Only what is asked for now: the rest stays to be composed when it is shown. A few
    // rectangles are composed one by one (a scrolled strip and the rulers around it, whose
    // bounding rectangle would be the whole panel); many small ones (every layer of a relaid
    // plan) as the one rectangle around them.
    QRegion dirty = FDirty & event->region();
    if (dirty.rectCount() > kComposedRects) dirty = QRegion(dirty.boundingRect()) & event->region().boundingRect();
    const auto compose = [&] {
      for (const QRect& area : dirty) {
        {
          QPainter white(&FComposed);
          white.fillRect(area, Qt::white);
        }
        FLayers.Paint(FComposed, area, PaintOrder);
      }
    };
    // Only a tiny change is composed here: handing it to another thread costs some tens of
    // microseconds, while a bell's step over a few dozen beams painted here had its fills
    // split across the pool (a drag step 1.1-1.4 ms here, 0.8 ms there).
    if (dirty.boundingRect().width() * static_cast<qint64>(dirty.boundingRect().height()) > kUnsplitPixels)
      PaintUnsplit(compose);
    else
      compose();
    FDirty -= dirty;
  }
  {
    QPainter p(this);
    for (const QRect& area : event->region()) p.drawImage(area.topLeft(), FComposed, area);
  }
  if (OnFirstPaint) std::exchange(OnFirstPaint, nullptr)();
}

void TPlanPanel::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event->button(), ToPlan(event->position().toPoint()));
}

void TPlanPanel::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(ToPlan(event->position().toPoint()));
}

void TPlanPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event->button(), ToPlan(event->position().toPoint()));
}

void TPlanPanel::wheelEvent(QWheelEvent* event) {
  if (!OnWheel) {
    QWidget::wheelEvent(event);
    return;
  }
  OnWheel(event->angleDelta(), event->modifiers(), ToPlan(event->position().toPoint()));
  event->accept();
}

void TPlanPanel::leaveEvent(QEvent* event) {
  if (OnLeave) OnLeave();
  QWidget::leaveEvent(event);
}
