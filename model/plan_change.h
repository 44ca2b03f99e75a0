#pragma once

#include <cstdint>
#include <vector>

#include "plan/stored_object.h"

// Which stored fields of an object a change touched, as the views react to them: a walls'
// size rescales the whole plan, a bell's position moves one layer, a name changes list rows.
enum TPlanField : std::uint32_t {
  pfName = 1u << 0,
  pfVisible = 1u << 1,
  pfKind = 1u << 2,  // the object became one of another kind: everything of it anew
  pfWallType = 1u << 3,
  pfWallMaterial = 1u << 4,
  pfWallSizes = 1u << 5,  // outer and inner diameter, thickness
  pfWallArch = 1u << 6,
  pfBellDiameter = 1u << 7,
  pfBellPosition = 1u << 8,
  pfBeemMaterial = 1u << 9,
  pfBeemWidth = 1u << 10,
  pfBeemOrientation = 1u << 11,
  pfBeemPoints = 1u << 12,
  pfPostSize = 1u << 13,  // width, height, the board
  pfPostAngle = 1u << 14,
  pfPostPosition = 1u << 15,
};
using TPlanFields = std::uint32_t;

// The fields in which two states of one object differ.
TPlanFields ChangedFields(const TStoredObject& before, const TStoredObject& after);

// One object's change in a batch: its index in the plan and the fields changed.
struct TObjectChange {
  int Index = 0;
  TPlanFields Fields = 0;
  friend bool operator==(const TObjectChange&, const TObjectChange&) = default;
};
using TObjectChanges = std::vector<TObjectChange>;

// Whether a batch changes the walls' geometry, which rescales and redraws the whole plan.
bool ChangesWallGeometry(const TObjectChanges& changes);
