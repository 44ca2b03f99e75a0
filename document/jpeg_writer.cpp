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
  std::vector<JOCTET> Out;
  std::vector<JOCTET> Buffer;
  std::vector<JSAMPROW> Rows;
  JDIMENSION Width = 0;
  JDIMENSION Height = 0;
  int Quality = 75;
};

TJpegJob* JobOf(j_compress_ptr cinfo) { return static_cast<TJpegJob*>(cinfo->client_data); }

void JpegErrorExit(j_common_ptr cinfo) {
  TJpegError* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  std::longjmp(err->Jump, 1);
}

void JpegOutputMessage(j_common_ptr) {}  // warnings are not worth a line on stderr

void InitDestination(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  cinfo->dest->next_output_byte = job->Buffer.data();
  cinfo->dest->free_in_buffer = job->Buffer.size();
}

// Appends n bytes of the buffer to the output; false when memory ran out.
bool Flush(TJpegJob* job, std::size_t n) {
  try {
    job->Out.insert(job->Out.end(), job->Buffer.begin(),
                    job->Buffer.begin() + static_cast<std::ptrdiff_t>(n));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  // The exception is caught before the library's frames; only then may its error path run.
  if (!Flush(job, job->Buffer.size())) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
  InitDestination(cinfo);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  TJpegJob* job = JobOf(cinfo);
  if (!Flush(job, job->Buffer.size() - cinfo->dest->free_in_buffer))
    ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
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
  job->Info.input_components = 3;
  job->Info.in_color_space = JCS_RGB;
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
    if (error) *error = QStringLiteral("Cannot write a JPEG image: the picture is empty");
    return {};
  }
  QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  if (rgb.isNull()) {
    if (error) *error = QStringLiteral("Cannot write a JPEG image: out of memory");
    return {};
  }
  auto job = std::make_unique<TJpegJob>();
  job->Width = static_cast<JDIMENSION>(rgb.width());
  job->Height = static_cast<JDIMENSION>(rgb.height());
  job->Quality = std::clamp(quality, 1, 100);
  job->Buffer.resize(64 * 1024);
  job->Rows.reserve(job->Height);
  for (int y = 0; y < rgb.height(); ++y) job->Rows.push_back(rgb.scanLine(y));
  if (!RunJpeg(job.get())) {
    if (error)
      *error = QStringLiteral("Cannot write a JPEG image: %1")
                   .arg(QString::fromLocal8Bit(job->Err.Message));
    return {};
  }
  if (error) error->clear();
  return QByteArray(reinterpret_cast<const char*>(job->Out.data()),
                    static_cast<qsizetype>(job->Out.size()));
}
