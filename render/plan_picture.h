#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <memory>
#include <vector>

#include "bells/bell_groups.h"
#include "plan/plan_object.h"
#include "platform/layer_stack.h"
#include "render/plan_renderer.h"

// A plan drawn off screen, with no widget, on a panel of a given size: what the picture export
// and the thumbnail write. It holds its own copy of the records, its own layers and renderer,
// so drawing it touches no window and no other plan.
class TPlanPicture {
 public:
  // `records` as a document opens them (render/plan_opening.h): stored fields only.
  TPlanPicture(const std::vector<TPlanObject>& records, QSize panel);
  TPlanPicture(const TPlanPicture&) = delete;
  TPlanPicture& operator=(const TPlanPicture&) = delete;
  ~TPlanPicture();

  // The plan as exported: the fitted view, the arrangement fixed (groups, ringing lines,
  // stacking), the selection left out. Null when memory ran out.
  QImage Fixed();

  const TPlanRenderer& Renderer() const { return FRenderer; }

 private:
  QSize FPanel;
  TLayerStack FStack;
  TPlanRenderer::TRecords FObjects;
  TBellSlots FBellSlots{};
  TPlanRenderer FRenderer;
};

// "Not enough memory for a picture of W x H pixels".
QString NoPictureMessage(QSize panel);
