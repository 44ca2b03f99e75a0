#pragma once

#include <QIcon>
#include <QString>

// An icon from a picture in the resources, each picture read once. Our resource aliases
// carry no suffix, and QIcon's own file constructor then loads the whole MIME database to guess
// one: tens of milliseconds at start-up for nothing. The picture's format is read from its first
// bytes instead (ResourcePicture).
QIcon ResourceIcon(const QString& path);
