#pragma once

#include <QWidget>
#include <functional>

// The white drawing panel. Its layers are transparent for the mouse, so every press, move and
// release on the plan arrives here once, in plan coordinates (panel position - (4, 4)). Qt keeps
// the mouse grabbed from press to release, so moves outside the panel still arrive.
class TPlanPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPlanPanel(QWidget* parent = nullptr);

  std::function<void(Qt::MouseButton, QPoint)> OnMouseDown;
  std::function<void(QPoint)> OnMouseMove;
  std::function<void(Qt::MouseButton, QPoint)> OnMouseUp;

  static QPoint ToPlan(QPoint panel) { return panel - QPoint(4, 4); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
