#pragma once

#include <QImage>
#include <QSize>

// A 32-bit xRGB image of `size`, its pixels uninitialised. A panel-sized one (several
// megabytes) is laid on memory the system may back with large pages: its first writing then
// costs a few page faults instead of one for each 4 kB, which was a good part of start-up for
// the handful of panel-sized canvases a plan draws before its window first shows. Null when
// memory ran out.
QImage NewRgb32Image(QSize size);
