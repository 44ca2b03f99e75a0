#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bells/annotations.h"
#include "bells/bell_groups.h"
#include "plan/plan_object.h"
#include "plan/plan_scale.h"
#include "plan/plan_view.h"
#include "walls/material_pictures.h"

class TLayer;
class TLayerStack;
struct TWallGeometry;

// Indexes of the five fixed layers.
enum TFixedLayer { SelectionLayer = 0, RingerLayer = 1, AnnotationLayer = 2, RulerLayer = 3, WeightLayer = 4 };

// The plan drawn on layers from its objects' millimetres, with no widget: the scale for a panel
// size and a view, every object's pixels and layer, the fixed layers (selection, ringer, ringing
// lines, rulers, weights) and the picture composed from them. The editor's drawing panel
// composes the same layers on screen; the picture export and the thumbnail compose them off
// screen (render/plan_picture.h), so the exported picture is the plan the user sees.
//
// The records are the owner's (the window's live plan, or a picture's own copy); the layers
// live in the owner's stack. A layer's plan pixel (x, y) lies at panel pixel (x + 4, y + 4).
class TPlanRenderer {
 public:
  using TRecords = std::vector<std::unique_ptr<TPlanObject>>;

  TPlanRenderer(TRecords& objects, std::function<QSize()> panelSize);
  // Where the layers go; set before anything is drawn.
  void SetLayers(TLayerStack* layers) { FStack = layers; }
  TLayerStack* Layers() const { return FStack; }

  // ---- scale and view ---------------------------------------------------------------------------
  long double FScale = 1.0L;
  std::int32_t FOriginX = 0;
  std::int32_t FOriginY = 0;
  TPlanView FView;
  QPoint FPatternAnchor;  // plan pixel where the materials' patterns start: (0, 0) fitted
  QPoint FPostCanvasAt;   // the pedestal layer's pixel its clipped canvas starts at
  int ClientWidth() const;
  int ClientHeight() const;
  TViewFrame ViewFrame() const;
  TPlanScale Scale() const;
  QPoint PlanToMm(QPoint px) const { return Scale().PlanToMm(px); }
  QPoint MmToPlan(QPoint mm) const { return Scale().MmToPlan(mm); }
  // The fitted scale of the panel and the walls, magnified and moved as the view has it; the
  // walls' pixel sizes with it.
  void ComputeScale();

  // ---- layers -----------------------------------------------------------------------------------
  std::array<TLayer*, 5> FLayers{};
  TLayer* Layer(TFixedLayer which) const { return FLayers[which]; }
  void CreateFixedLayers();
  // A new object's layer: plan-sized, above every layer already there.
  TLayer* NewObjectLayer(TObjectKind kind);
  void ClearLayer(int index);
  void HideFixingLayers();  // the lines and weights of the last fixing no longer match

  // ---- objects: pixels from millimetres (or back) and their layers ------------------------------
  TMaterialPictures FMaterials;  // each read when first drawn
  QImage FBellPicture;
  QString FRingerPicture;  // the figure's picture now loaded into the ringer layer
  QPoint FHandPoint;
  std::int32_t FHandOffset = 0;
  TWallGeometry WallGeometry() const;
  void DrawWalls();
  void ProjectBell(int index, bool fromPixels);
  void DrawBell(int index);
  void ProjectBeem(int index, bool fromPixels);
  void DrawBeem(int index);
  void ProjectPost();
  void DrawPost();
  void PlaceRinger();
  void DrawPedals(int heavyBells);
  void ReprojectObject(int index);  // a bell or beam from its millimetres, redrawn
  void DrawRulers();
  // Every object projected and drawn anew, the rulers with them.
  void DrawPlan();

  // ---- the fixing ---------------------------------------------------------------------------------
  // The ringing lines on the annotation layer's canvas while it is not cleared: its only ink.
  std::vector<TSegment> FFixingLines;
  // The ringing lines drawn anew (five bells or more have them) for the groups the bells hold.
  void DrawFixingLines(const TBellSlots& slots);
  void RestackLayers();  // the stacking a fixing gives the layers
  void DrawWeights();

  // The visible layers composed as the panel composes the fitted plan; null when a layer's
  // canvas could not be had (out of memory) or the picture cannot.
  QImage ComposePlanImage() const;

 private:
  void PrepareFixingLayer(TLayer* layer);

  TRecords& FObjects;
  std::function<QSize()> FPanelSize;
  TLayerStack* FStack = nullptr;
};
