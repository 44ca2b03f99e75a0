#pragma once

#include <QByteArrayView>
#include <QSize>
#include <QString>

// What the fuzz targets hold every input to. Each check returns an empty string when the input
// passes and says what broke otherwise; the fuzz targets stop on it, and the regression test
// replays the inputs kept in tests/data/fuzz/ through the same checks. None needs a widget.

// The INI reader: reading never goes astray, a file written back reads back the same, and a
// value written with line breaks in it reads back as one line under its key.
QString CheckIniInput(QByteArrayView bytes);

// TextToPoint: a point read back from its own text is the same point; a decimal part reads as its
// value exactly when that fits 32 bits; a failure names the part.
QString CheckPointInput(QByteArrayView bytes);

// Opening a document as the editor opens it (document/plan_opening.h), with no window: a refused
// file gives no objects; an accepted one gives the walls and the pedestal first, then bells and
// beams only, names unique, one beam a chord, and a plan that saves to a document opening to
// the same bytes with nothing to report.
QString CheckDocumentBytes(QByteArrayView bytes);

// Drawing an opened document off screen on a panel of `panel`: a picture of that size.
QString CheckDocumentPicture(QByteArrayView bytes, QSize panel);
