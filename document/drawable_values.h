#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "plan/plan_object.h"

// A document is opened with its values as stored, so that opening and saving it again gives
// the same bytes. Only values the plan cannot draw are brought into range: a walls size that
// would blow the scale up or overflow pixel arithmetic, a pedestal side whose canvas would take
// gigabytes, a material number outside the table of pictures. A chord taken by two beams makes
// the later beams free, as each chord's box stands for one beam.
//
// Returns one line per changed value, in Russian, for the one message the user is shown, each
// naming the file (`fileName`, when given), the object's section (its CreateIndex) and the key;
// empty when the plan on screen is the document as stored.
QStringList MakeDrawable(std::vector<TPlanObject>& objects, const QString& fileName = {});

// The widest a walls size, and the narrowest an outer size, may be and still draw: a kilometre
// keeps every sum and difference of the walls' millimetres and pixels well inside 32 bits, and
// outer walls below the smallest edit value would scale the bells and the pedestal beyond any
// screen.
inline constexpr std::int32_t kDrawableWallSizeMax = 1000000;
