#pragma once

#include <QByteArrayView>
#include <QString>

class TfmMain;

// What the fuzz targets hold every input to. Each check returns an empty string when the input
// passes and says what broke otherwise; the fuzz targets stop on it, and the regression test
// replays the inputs kept in tests/data/fuzz/ through the same checks.

// The INI reader: reading never goes astray, a file written back reads back the same, and a
// value written with line breaks in it reads back as one line under its key.
QString CheckIniInput(QByteArrayView bytes);

// TextToPoint: a point read back from its own text is the same point; a decimal part reads as its
// value exactly when that fits 32 bits; a failure names the part.
QString CheckPointInput(QByteArrayView bytes);

// The whole opening path: ParseDocument, then OpenDocument on `window` from `tempPath`. A file
// that is refused leaves the plan exactly as it was and reports one message; an accepted one
// reports only the bells it left out, builds one object per kept section, walls and pedestal
// first, names unique, chord boxes ticked
// exactly for the stored chords, and the plan saves to a document that opens again.
QString CheckDocumentInput(TfmMain& window, QByteArrayView bytes, const QString& tempPath);

// The window the document check runs on: offscreen, small drawing panel, no desktop
// registration, view.ini under `folder`, error messages kept instead of shown.
TfmMain* MakeFuzzWindow(const QString& folder);
