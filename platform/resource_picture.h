#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// The image format a picture's first bytes name: "png", "bmp" or "jpeg"; empty for anything else.
QByteArray PictureFormatOf(const QByteArray& head);

// A picture read from a file or resource in the format its first bytes name. Our resource
// aliases carry no suffix, and a reader left to guess loads every image plugin and asks each
// whether it knows the picture before the built-in readers are tried: a third of the pictures'
// cost at start-up. A picture of another kind is still guessed; a missing one is null.
//
// A picture prefetched (PrefetchResourcePictures) is handed out from there, once.
QImage ResourcePicture(const QString& path);

// Reads the named pictures in turn on a thread of their own, while the caller goes on with
// what needs no picture (at start-up: the font database). ResourcePicture then takes a read
// picture, waits for the one being read, and reads one not yet begun itself, so nothing waits
// longer than its own reading. Pictures never asked for stay in memory; they are few and small.
// Called from one thread only.
void PrefetchResourcePictures(const QStringList& paths);
