#include <QImage>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "document/image_writers.h"

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>
// after jpeglib.h, which it extends
#include <jerror.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, whose default ends the process. Ours
// jumps back to the encoder, which then frees the compressor and reports the library's text.
// Nothing between the setjmp and the library's frames owns a C++ object, so the jump skips no
// destructor.
// The error manager comes first in TJpegError, so the library's pointer to it is a pointer to
// the whole, even while jpeg_create_compress has not yet set client_data.
struct TJpegError {
  jpeg_error_mgr Mgr{};
  std::jmp_buf Jump{};
  char Message[JMSG_LENGTH_MAX] = {};
};

struct TJpegJob {
  jpeg_compress_struct Info{};
  TJpegError Err;
  jpeg_destination_mgr Dest{};
  // The library writes straight into Out, which doubles when full; Written counts what it holds.
  QByteArray Out;
  qsizetype Written = 0;
  std::vector<JSAMPROW> Rows;
  JDIMENSION Width = 0;
  JDIMENSION Height = 0;
  int Components = 3;
  J_COLOR_SPACE ColorSpace = JCS_RGB;
  int Quality = 75;
};

TJpegJob* JobOf(j_compress_ptr cinfo) { return static_cast<TJpegJob*>(cinfo->client_data); }

void JpegErrorExit(j_common_ptr cinfo) {
  TJpegError* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}  // warnings are not worth a line on stderr

JOCTET* OutAt(TJpegJob* job, qsizetype at) {
  return reinterpret_cast<JOCTET*>(job->Out.data()) + at;
}

void InitDestination(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  cinfo->dest->next_output_byte = OutAt(job, job->Written);
  cinfo->dest->free_in_buffer = static_cast<std::size_t>(job->Out.size() - job->Written);
}

// Doubles the output; false when memory ran out.
bool Grow(TJpegJob* job) {
  try {
    job->Out.resize(job->Out.size() * 2);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  // The library calls this only when the whole buffer is full.
  job->Written = job->Out.size();
  // The exception is caught before the library's frames; only then may its error path run.
  if (!Grow(job)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  InitDestination(cinfo);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  job->Written = job->Out.size() - static_cast<qsizetype>(cinfo->dest->free_in_buffer);
}

bool RunJpeg(TJpegJob* job) {
  job->Info.err = jpeg_std_error(&job->Err.Mgr);
  job->Err.Mgr.error_exit = JpegErrorExit;
  job->Err.Mgr.output_message = JpegOutputMessage;
  if (setjmp(job->Err.Jump)) {
    jpeg_destroy_compress(&job->Info);
    return false;
  }
  jpeg_create_compress(&job->Info);
  job->Info.client_data = job;
  job->Dest.init_destination = InitDestination;
  job->Dest.empty_output_buffer = EmptyOutputBuffer;
  job->Dest.term_destination = TermDestination;
  job->Info.dest = &job->Dest;

  job->Info.image_width = job->Width;
  job->Info.image_height = job->Height;
  job->Info.input_components = job->Components;
  job->Info.in_color_space = job->ColorSpace;
  jpeg_set_defaults(&job->Info);
  jpeg_set_quality(&job->Info, job->Quality, TRUE);
  job->Info.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&job->Info, TRUE);
  while (job->Info.next_scanline < job->Info.image_height) {
    jpeg_write_scanlines(&job->Info, job->Rows.data() + job->Info.next_scanline,
                         job->Info.image_height - job->Info.next_scanline);
  }
  jpeg_finish_compress(&job->Info);
  jpeg_destroy_compress(&job->Info);
  return true;
}

}  // namespace

QByteArray MakeJpeg(const QImage& image, int quality, QString* error) {
  if (image.isNull()) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок JPEG: рисунок пуст");
    return {};
  }
  auto job = std::make_unique<TJpegJob>();
  // The plan is composed as xRGB words; the library reads those in place when it knows the
  // byte order, which spares a converted copy of the whole picture.
  QImage source = image;
#if defined(JCS_EXTENSIONS)
  if (image.format() == QImage::Format_RGB32) {
    job->Components = 4;
    job->ColorSpace = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
  }
#endif
  if (job->Components == 3) source = image.convertToFormat(QImage::Format_RGB888);
  if (source.isNull()) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок JPEG: не хватает памяти");
    return {};
  }
  job->Width = static_cast<JDIMENSION>(source.width());
  job->Height = static_cast<JDIMENSION>(source.height());
  job->Quality = std::clamp(quality, 1, 100);
  try {
    // A plan compresses to about a tenth of its pixels' bytes; one doubling is usually all.
    job->Out.resize(std::max<qsizetype>(64 * 1024, source.sizeInBytes() / 16));
    job->Rows.reserve(job->Height);
  } catch (const std::bad_alloc&) {
    if (error) *error = QStringLiteral("Не удалось записать рисунок JPEG: не хватает памяти");
    return {};
  }
  // The library only reads the rows; constScanLine keeps a shared picture from being copied.
  for (int y = 0; y < source.height(); ++y)
    job->Rows.push_back(const_cast<JSAMPROW>(source.constScanLine(y)));
  if (!RunJpeg(job.get())) {
    if (error)
      *error = QStringLiteral("Не удалось записать рисунок JPEG: %1")
                   .arg(QString::fromLocal8Bit(job->Err.Message));
    return {};
  }
  if (error) error->clear();
  job->Out.truncate(job->Written);
  return std::move(job->Out);
}
