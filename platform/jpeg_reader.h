#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Decodes a baseline or progressive JPEG picture (grey or colour) to an RGB32 image with the
// libjpeg the program links for its export. Qt's own JPEG reader is a plugin over a second copy
// of the library; a static Windows build cannot carry both (their symbols are the same and
// their versions differ), and the program reads only its one start-up picture in this format.
// Null, with `error` set, for bytes that are no such picture.
QImage ReadJpegPicture(QByteArrayView bytes, QString* error = nullptr);
