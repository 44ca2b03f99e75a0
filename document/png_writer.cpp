#include <png.h>

#include <QImage>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "document/image_writers.h"

namespace {

// libpng reports fatal errors through our error function, which must not return: it keeps the
// text and jumps back to the encoder. The jump crosses only our own callbacks and the library's
// C frames, none of which owns a C++ object.
struct TPngJob {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  char Message[256] = {};
  std::vector<unsigned char> Out;
  std::vector<png_bytep> Rows;
  png_uint_32 Width = 0;
  png_uint_32 Height = 0;
};

void PngError(png_structp png, png_const_charp message) {
  TPngJob* job = static_cast<TPngJob*>(png_get_error_ptr(png));
  std::snprintf(job->Message, sizeof job->Message, "%s", message ? message : "unknown error");
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

bool Append(TPngJob* job, png_bytep data, png_size_t length) {
  try {
    job->Out.insert(job->Out.end(), data, data + length);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void PngWrite(png_structp png, png_bytep data, png_size_t length) {
  // The exception is caught before the library's frames; only then may its error path run.
  if (!Append(static_cast<TPngJob*>(png_get_io_ptr(png)), data, length))
    png_error(png, "out of memory");
}

void PngFlush(png_structp) {}

bool RunPng(TPngJob* job, int level) {
  job->Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, job, PngError, PngWarning);
  if (!job->Png) {
    std::snprintf(job->Message, sizeof job->Message, "out of memory");
    return false;
  }
  job->Info = png_create_info_struct(job->Png);
  if (!job->Info) {
    png_destroy_write_struct(&job->Png, nullptr);
    std::snprintf(job->Message, sizeof job->Message, "out of memory");
    return false;
  }
  if (setjmp(png_jmpbuf(job->Png))) {
    png_destroy_write_struct(&job->Png, &job->Info);
    return false;
  }
  png_set_write_fn(job->Png, job, PngWrite, PngFlush);
  // Each full compression buffer becomes one IDAT chunk, so its size caps the chunks.
  png_set_compression_buffer_size(job->Png, 65535);
  png_set_compression_level(job->Png, level);
  png_set_filter(job->Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(job->Png, job->Info, job->Width, job->Height, 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(job->Png, job->Info);
  png_write_image(job->Png, job->Rows.data());
  png_write_end(job->Png, job->Info);
  png_destroy_write_struct(&job->Png, &job->Info);
  return true;
}

QByteArray PngAtLevel(const QImage& image, int level, QString* error) {
  if (image.isNull()) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок PNG: рисунок пуст");
    return {};
  }
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок PNG: не хватает памяти");
    return {};
  }
  auto job = std::make_unique<TPngJob>();
  job->Width = static_cast<png_uint_32>(rgb.width());
  job->Height = static_cast<png_uint_32>(rgb.height());
  job->Rows.reserve(job->Height);
  for (int y = 0; y < rgb.height(); ++y) job->Rows.push_back(rgb.scanLine(y));
  if (!RunPng(job.get(), level)) {
    if (error)
      *error =
          QStringLiteral("Не удалось записать рисунок PNG: %1").arg(QString::fromLocal8Bit(job->Message));
    return {};
  }
  if (error) error->clear();
  return QByteArray(reinterpret_cast<const char*>(job->Out.data()),
                    static_cast<qsizetype>(job->Out.size()));
}

}  // namespace

QByteArray MakePng(const QImage& image, QString* error) { return PngAtLevel(image, 7, error); }

QByteArray MakeQuickPng(const QImage& image, QString* error) { return PngAtLevel(image, 2, error); }
