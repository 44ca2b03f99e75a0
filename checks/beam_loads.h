#pragma once

#include <vector>

#include "sheet/sheet_plan.h"

// What the beams carry: each visible bell's catalogue weight shared out among the visible beams
// whose band holds its centre (a bell on two beams counts half on each).
struct TBeamLoads {
  std::vector<double> Kg;  // one a beam, in the plan's beam order; 0 for a hidden beam
  double TotalKg = 0;      // everything the beams carry
};
TBeamLoads ComputeBeamLoads(const TSheetPlan& plan);
