#pragma once

#include <QByteArrayView>
#include <QString>

class TfmMain;

// The whole opening path through the editor: ParseDocument, then OpenDocument on `window` from
// `tempPath`. A file that is refused leaves the plan exactly as it was and reports one message;
// an accepted one reports only the bells it left out, builds one object per kept section, walls
// and pedestal first, names unique, chord boxes ticked exactly for the stored chords, holds the
// plan that opening the bytes alone gives, and saves to a document that opens again.
QString CheckDocumentInput(TfmMain& window, QByteArrayView bytes, const QString& tempPath);

// The window the document check runs on: offscreen, small drawing panel, no desktop
// registration, view.ini under `folder`, error messages kept instead of shown.
TfmMain* MakeFuzzWindow(const QString& folder);
