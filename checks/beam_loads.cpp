#include "checks/beam_loads.h"

#include "checks/plan_geometry.h"

TBeamLoads ComputeBeamLoads(const TSheetPlan& plan) {
  TBeamLoads loads;
  loads.Kg.assign(plan.Beems.size(), 0.0);
  std::vector<std::size_t> carrying;
  for (const TSheetBell& bell : plan.Bells) {
    if (!bell.Visible || bell.WeightKg <= 0) continue;
    carrying.clear();
    for (std::size_t k = 0; k < plan.Beems.size(); ++k) {
      const TSheetBeem& b = plan.Beems[k];
      if (b.Visible && plan_geometry::OnBand(b, QPointF(bell.Centre))) carrying.push_back(k);
    }
    if (carrying.empty()) continue;
    const double share = static_cast<double>(bell.WeightKg) / static_cast<double>(carrying.size());
    for (std::size_t k : carrying) loads.Kg[k] += share;
    loads.TotalKg += bell.WeightKg;
  }
  return loads;
}
