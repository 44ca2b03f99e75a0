#pragma once

#include <QPoint>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "plan/plan_object.h"

// The document's encoding of points and kinds.

// "x,y" in decimal, nothing else: 2800,4200 or -15,300.
QString PointToText(QPoint p);

// Empty text is (0, 0). Otherwise the text splits at its first comma; further commas are
// dropped from the y part, so 1,2,3 is (1, 23). Each part is an optional sign and decimal digits,
// or hexadecimal after "$". A part that is no integer, an empty one included, fails with
// "'<part>' is not a valid integer value" in error; the y part is judged first.
std::optional<QPoint> TextToPoint(QStringView text, QString* error = nullptr);

// The message TextToPoint gives for a part.
QString NotAnIntegerMessage(QStringView part);

std::int32_t KindToFileType(TObjectKind kind);
// 1 bell, 2 beam, 3 and 4 pedestal, anything else walls.
TObjectKind FileTypeToKind(std::int32_t value);
