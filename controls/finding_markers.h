#pragma once

#include <QPoint>
#include <QWidget>
#include <vector>

// Markers over the drawing panel where the findings are: a ring at each place, the chosen one
// drawn heavier. A child of the panel covering it, taking no input; the plan's layers and every
// exported picture know nothing of it.
class TFindingMarkers : public QWidget {
 public:
  explicit TFindingMarkers(QWidget* panel);

  // Panel pixels; `chosen` is an index into them, or -1.
  void SetMarkers(std::vector<QPoint> places, int chosen);
  const std::vector<QPoint>& Places() const { return FPlaces; }
  static constexpr int kRadius = 9;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::vector<QPoint> FPlaces;
  int FChosen = -1;
};
