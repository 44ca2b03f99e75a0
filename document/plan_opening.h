#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <vector>

#include "plan/plan_model.h"
#include "plan/plan_object.h"

// Opening a document as a pure function: bytes in, the plan and what the user must be told out.
// Nothing here draws, owns a window or keeps state between calls, so the editor, the headless
// exports, the thumbnailer and the fuzz targets all open a document the same way.
struct TOpenedPlan {
  // The objects as the plan holds them once opened: names settled by the naming rule, values
  // the plan cannot draw brought into range, every chord beam laid on its chord for these
  // walls. Only the stored millimetre fields are set; pixels and layers are left for a renderer.
  std::vector<TPlanObject> Records;
  QString Error;         // why the document cannot be opened; then there are no records
  QStringList Warnings;  // what opening left out or changed, one line each
  bool Ok() const { return Error.isEmpty(); }
  TPlanModel Model() const;
};

// The bell diameters the catalogue has: bells of other diameters are left out and named.
TOpenedPlan OpenPlanBytes(QByteArrayView bytes, std::span<const std::int32_t> bellDiameters);
// As OpenPlanBytes, from a file, with a message when the file cannot be read.
TOpenedPlan OpenPlanFile(const QString& path, std::span<const std::int32_t> bellDiameters);

// The naming rule applied to a whole document at once: the walls and the pedestal keep their
// names; a bell or beam keeps its stored name when no earlier object holds it, else takes the
// first free of name1, name2, ...
void SettleNames(std::vector<TPlanObject>& objects);

// Every beam on a chord laid on that chord of the walls (objects[0]), as the editor lays it.
void RelayChordBeems(std::vector<TPlanObject>& objects);
