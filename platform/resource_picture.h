#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The image format a picture's first bytes name: "png", "bmp" or "jpeg"; empty for anything else.
QByteArray PictureFormatOf(const QByteArray& head);

// A picture read from a file or resource in the format its first bytes name. Our resource
// aliases carry no suffix, and a reader left to guess loads every image plugin and asks each
// whether it knows the picture before the built-in readers are tried: a third of the pictures'
// cost at start-up. A picture of another kind is still guessed; a missing one is null.
QImage ResourcePicture(const QString& path);
