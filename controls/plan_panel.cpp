#include "controls/plan_panel.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPaintEngine>
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

void TPlanPanel::Compose(QImage& target, const QRegion& area) const {
  const auto compose = [&] {
    for (const QRect& part : area) {
      {
        QPainter white(&target);
        white.fillRect(part, Qt::white);
      }
      FLayers.Paint(target, part, PaintOrder);
    }
  };
  // Only a tiny change is composed here: handing it to another thread costs some tens of
  // microseconds, while a bell's step over a few dozen beams painted here had its fills
  // split across the pool (a drag step 1.1-1.4 ms here, 0.8 ms there).
  const QRect around = area.boundingRect();
  if (around.width() * static_cast<qint64>(around.height()) > kUnsplitPixels)
    PaintUnsplit(compose);
  else
    compose();
}

bool TPlanPanel::ComposeOnto(QPainter& painter, const QRegion& area) const {
  // Only the plain case: 32-bit xRGB pixels, one to one, the panel wholly inside. A picture
  // the panel is rendered into, a scaled screen or any other store goes the usual way.
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  QImage& store = *static_cast<QImage*>(device);
  const QTransform toStore = painter.deviceTransform();
  if (store.format() != QImage::Format_RGB32 || store.devicePixelRatio() != 1.0 ||
      toStore.type() > QTransform::TxTranslate || toStore.dx() != qRound(toStore.dx()) ||
      toStore.dy() != qRound(toStore.dy()))
    return false;
  const QPoint at(qRound(toStore.dx()), qRound(toStore.dy()));
  if (!store.rect().contains(rect().translated(at))) return false;
  // The panel's part of the store as an image of its own: its pixels, not a copy.
  QImage part(store.scanLine(at.y()) + static_cast<qsizetype>(at.x()) * 4, width(), height(), store.bytesPerLine(),
              QImage::Format_RGB32);
  Compose(part, area);
  return true;
}

void TPlanPanel::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  bool composedStraight = false;
  if (FComposed.size() != size()) {
    FComposed = QImage();
    FDirty = QRegion(rect());
    // The first paint at a size has nothing composed to keep: the layers are composed straight
    // into the window's pixels. A panel-sized copy to allocate, whiten and copy out was a good
    // part of the window's first showing; the next paint makes it, and fills only what it
    // asks for.
    const bool first = FStraightAt != size();
    FStraightAt = size();
    composedStraight = first && ComposeOnto(p, event->region());
    if (!composedStraight) FComposed = NewRgb32Image(size());
  }
  if (!composedStraight) {
    if (!FDirty.isEmpty()) {
      // Only what is asked for now: the rest stays to be composed when it is shown. A few
      // rectangles are composed one by one (a scrolled strip and the rulers around it, whose
      // bounding rectangle would be the whole panel); many small ones (every layer of a relaid
      // plan) as the one rectangle around them.
      QRegion dirty = FDirty & event->region();
      if (dirty.rectCount() > kComposedRects) dirty = QRegion(dirty.boundingRect()) & event->region().boundingRect();
      Compose(FComposed, dirty);
      FDirty -= dirty;
    }
    for (const QRect& area : event->region()) p.drawImage(area.topLeft(), FComposed, area);
  }
  p.end();
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
