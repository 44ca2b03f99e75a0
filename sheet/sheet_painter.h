#pragma once

#include <QByteArray>
#include <QString>

#include "sheet/sheet_layout.h"

class QPainter;

// Paints a page of a laid-out sheet on a painter whose units are millimetres from the paper's
// top-left corner (the caller scales the painter: a PDF writer, a printer, a picture).
void PaintSheetPage(QPainter& painter, const TSheetPage& page);

// Scales the painter of a device of `dotsPerInch` to millimetres.
void ScalePainterToMillimetres(QPainter& painter, double dotsPerInch);

// Every page as a PDF in memory; empty with a message in `error` when it cannot be made.
QByteArray MakeSheetPdf(const TSheet& sheet, const QString& title, QString* error = nullptr);
// The PDF replacing the file as a whole; empty on success, else the message.
QString WriteSheetPdf(const TSheet& sheet, const QString& title, const QString& path);
