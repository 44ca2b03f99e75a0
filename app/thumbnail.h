#pragma once

#include <QString>
#include <cstddef>

#include "app/command_line.h"

// `tarvosk --thumbnail DOCUMENT OUTPUT.png SIZE`: what a file manager shows for a document.
// File managers run it on files nobody opened, so it meets every input the document reader
// meets, bounded as the reader is (kMaxDocumentBytes, kMaxDocumentObjects) and drawn on a small
// panel whatever the document asks for.

// A file manager waits for the thumbnail, and many run on files nobody chose to open: a document
// larger than this, or of more objects, gets no thumbnail (the editor still opens it). The plan
// of a real tier holds some 40 bells, 24 chord beams and a few dozen free beams.
inline constexpr qint64 kMaxThumbnailDocumentBytes = 1024 * 1024;
inline constexpr size_t kMaxThumbnailObjects = 600;

// The side of the square drawing panel the plan is drawn on before it is scaled down to `size`:
// twice the thumbnail, so thin lines survive as grey, within 512 to 1024 pixels.
int ThumbnailPanelSide(int size);

// Writes the thumbnail as PNG; an empty string on success, else the message. Nothing is written
// when the document cannot be read. Needs a QApplication (the offscreen platform will do).
QString RunThumbnail(const TThumbnailJob& job);
