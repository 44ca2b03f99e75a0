#pragma once

#include <QImage>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "platform/layer_stack.h"

// The white drawing panel: one widget that composes the plan's layers in stacking order. The
// layers take no input, so every press, move and release on the plan arrives here once, in plan
// coordinates (panel position - (4, 4)). Qt keeps the mouse grabbed from press to release, so
// moves outside the panel still arrive.
class TPlanPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPlanPanel(QWidget* parent = nullptr);

  TLayerStack& Layers() { return FLayers; }
  const TLayerStack& Layers() const { return FLayers; }
  // How the layers are composed on screen (the rulers above a magnified plan).
  TLayerStack::TPaintOrder PaintOrder;

  std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
  std::function<void(QPoint)> OnMouseMove;
  std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;
  // The wheel, with the modifiers held and the pointer in plan coordinates; the pointer leaving.
  std::function<void(QPoint angleDelta, Qt::KeyboardModifiers, QPoint)> OnWheel;
  std::function<void()> OnLeave;
  // Called once, when the panel has painted for the first time.
  std::function<void()> OnFirstPaint;

  static QPoint ToPlan(QPoint panel) { return panel - QPoint(4, 4); }

  // While muted, changes of the layers ask for no repaint: a view moved by whole pixels is
  // redrawn on the layers first and then scrolled, which composes only what comes in.
  void MuteDamage(bool muted) { FDamageMuted = muted; }
  // All of the panel composed anew (how the layers are composed has changed).
  using QWidget::update;
  void update();
  // Moves what the panel shows within `within` by `delta` and repaints what is uncovered there
  // and everything outside it; a move as large as the area repaints it all.
  void ScrollPlan(QPoint delta, const QRect& within);
  static constexpr int kSettleMs = 150;  // how long a scrolled view rests before it is composed anew

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Damage(const QRect& area);
  // Composes the layers over `area` onto `target` (panel pixels), whitened there first.
  void Compose(QImage& target, const QRegion& area) const;
  // Composes `area` straight into the pixels `painter` (begun on the panel) paints on, when
  // those are a plain 32-bit image; false, and nothing done, otherwise.
  bool ComposeOnto(QPainter& painter, const QRegion& area) const;

  // The layers as last composed, and what of it no longer holds: a repaint of the window, or a
  // view moved by whole pixels, copies what still holds instead of composing 270 layers again.
  // Null after the first paint at a size, which composes straight into the window.
  QImage FComposed;
  QSize FStraightAt;
  QRegion FDirty;
  QTimer FSettle;
  bool FDamageMuted = false;
  // Declared last: the layers go before the widget's own parts.
  TLayerStack FLayers;
};
