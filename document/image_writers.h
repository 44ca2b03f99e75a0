#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

// Pictures of the plan for export. Every writer encodes in memory first and then replaces the
// file as a whole, so a failure leaves an existing file untouched. The result is empty on
// success and the message to show otherwise.

enum class TExportFormat { Bmp = 1, Jpeg = 2, Png = 3 };  // the export dialog's filter index

// The export dialog's filter, one entry per format in filter-index order.
QString ExportDialogFilter();
// The format of a filter entry of ExportDialogFilter() as the dialog reports it, or of a
// 1-based filter index.
std::optional<TExportFormat> ExportFormatFromFilter(const QString& selectedFilter);
std::optional<TExportFormat> ExportFormatFromIndex(int filterIndex);

QString ExportExtension(TExportFormat format);  // ".bmp", ".jpg", ".png"
// The extension of the format is appended unless the name already ends in exactly it (letter
// case included): plan.BMP with BMP gives plan.BMP.bmp, plan.png with JPEG gives plan.png.jpg.
QString ExportFileName(const QString& chosenPath, TExportFormat format);
// The same rule for any extension (".pdf", ".svg", ".csv" ...).
QString FileNameWithExtension(const QString& chosenPath, const QString& ext);

// 24-bit bottom-up Windows bitmap.
QByteArray MakeBmp(const QImage& image, QString* error = nullptr);
// JFIF, baseline tables at the given quality (1 to 100; the export uses 75), floating-point
// DCT, colour, not progressive.
QByteArray MakeJpeg(const QImage& image, int quality, QString* error = nullptr);
// 8-bit RGB, not interlaced, no transparency, deflate level 7, the Sub filter on every row and
// IDAT chunks of at most 65535 bytes.
QByteArray MakePng(const QImage& image, QString* error = nullptr);
// The same picture deflated at level 2, for pictures made again at will (thumbnails): at
// 1024 x 1024 pixels of the plan some 10 % more bytes, written in a third of the time.
QByteArray MakeQuickPng(const QImage& image, QString* error = nullptr);

QString WriteBmp(const QImage& image, const QString& path);
QString WriteJpeg(const QImage& image, const QString& path);
QString WritePng(const QImage& image, const QString& path);
QString WriteImage(const QImage& image, const QString& path, TExportFormat format);
