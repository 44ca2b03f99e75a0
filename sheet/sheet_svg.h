#pragma once

#include <QByteArray>
#include <QString>

#include "sheet/sheet_layout.h"

// The first page of a sheet as SVG: width and height in millimetres, one user unit per
// millimetre, one group per plan object whose id is the object's name (the sheet's own parts
// carry a class and no id, so they can never take an object's id). Material pictures are
// embedded once each as patterns.
QByteArray MakeSheetSvg(const TSheet& sheet, const QString& title);
// Replaces the file as a whole; empty on success, else the message.
QString WriteSheetSvg(const TSheet& sheet, const QString& title, const QString& path);
