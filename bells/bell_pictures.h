#pragma once

#include <QImage>
#include <QString>

// Resource names of the bell pictures. The palette and tool-button glyphs are 16-colour bitmaps
// whose lower-left pixel gives the colour (silver) that must not be shown.
inline constexpr char kBellPictureResource[] = ":/Bell";
inline constexpr char kApplyGlyphResource[] = ":/icons/apply";

// ":/bells/series1" (32 x 32 grey bell) or ":/bells/series2" (24 x 22 white bell outline); every
// button of a series shows the same picture.
QString BellGlyphResource(int series);

// The picture with every pixel of its lower-left pixel's colour made fully transparent, ready for
// a QIcon; a null image when the resource is missing.
QImage ButtonGlyph(const QString& resource);
QImage KeyOutLowerLeftColour(const QImage& picture);
