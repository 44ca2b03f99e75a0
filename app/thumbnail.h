#pragma once

#include <QString>

#include "app/command_line.h"

// `tarvosk --thumbnail DOCUMENT OUTPUT.png SIZE`: what a file manager shows for a document.
// File managers run it on files nobody opened, so it meets every input the document reader
// meets, bounded as the reader is (kMaxDocumentBytes, kMaxDocumentObjects) and drawn on a small
// panel whatever the document asks for.

// The side of the square drawing panel the plan is drawn on before it is scaled down to `size`:
// twice the thumbnail, so thin lines survive as grey, within 512 to 1024 pixels.
int ThumbnailPanelSide(int size);

// Writes the thumbnail as PNG; an empty string on success, else the message. Nothing is written
// when the document cannot be read. Needs a QApplication (the offscreen platform will do).
QString RunThumbnail(const TThumbnailJob& job);
