#include "platform/jpeg_reader.h"

#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error through error_exit, which must not return. Ours jumps back to
// ReadJpegPicture with GCC's own setjmp, which saves only the frame and resumes without
// unwinding: the C library's longjmp on 64-bit Windows walks the frames with the system's
// unwinder, which cannot pass libjpeg's. Nothing between the two owns a C++ object.
struct TJpegError {
  jpeg_error_mgr Mgr{};
  void* Jump[5] = {};
  char Message[JMSG_LENGTH_MAX] = {};
};

void ErrorExit(j_common_ptr cinfo) {
  TJpegError* err = reinterpret_cast<TJpegError*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->Message);
  __builtin_longjmp(err->Jump, 1);
}

void QuietMessage(j_common_ptr) {}  // a warning does not stop the picture

// The steps that may fail, apart from the QImage that outlives the jump. False with the
// library's message in err.Message.
bool Decode(jpeg_decompress_struct& info, TJpegError& err, QByteArrayView bytes, QImage& image) {
  if (__builtin_setjmp(err.Jump)) return false;
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  if (info.num_components != 1 && info.num_components != 3) {
    std::snprintf(err.Message, sizeof err.Message, "a picture of %d colour components",
                  info.num_components);
    return false;
  }
  // Straight into Qt's 0xffRRGGBB words: blue, green, red, then the byte Qt fills with 0xff.
  info.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&info);
  if (image.width() != static_cast<int>(info.output_width) ||
      image.height() != static_cast<int>(info.output_height))
    return false;  // the size was taken before the jump could happen; see below
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

// The output size, read from the header alone, so the image is made outside Decode's jump.
bool Size(QByteArrayView bytes, int& width, int& height, TJpegError& err) {
  jpeg_decompress_struct info{};
  info.err = jpeg_std_error(&err.Mgr);
  err.Mgr.error_exit = ErrorExit;
  err.Mgr.output_message = QuietMessage;
  if (__builtin_setjmp(err.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_calc_output_dimensions(&info);
  width = static_cast<int>(info.output_width);
  height = static_cast<int>(info.output_height);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage ReadJpegPicture(QByteArrayView bytes, QString* error) {
  auto fail = [error](const char* why) {
    if (error) *error = QStringLiteral("Не удалось прочитать рисунок JPEG: %1").arg(QString::fromLocal8Bit(why));
    return QImage();
  };
  if (bytes.isEmpty()) return fail("no data");
  TJpegError err;
  int width = 0, height = 0;
  if (!Size(bytes, width, height, err)) return fail(err.Message);
  // A picture larger than any the program carries is not worth a gigabyte of memory.
  if (width <= 0 || height <= 0 || qint64(width) * height > 64LL * 1024 * 1024)
    return fail("a picture of an unusable size");
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return fail("not enough memory");
  jpeg_decompress_struct info{};
  TJpegError decodeErr;
  info.err = jpeg_std_error(&decodeErr.Mgr);
  decodeErr.Mgr.error_exit = ErrorExit;
  decodeErr.Mgr.output_message = QuietMessage;
  const bool ok = Decode(info, decodeErr, bytes, image);
  jpeg_destroy_decompress(&info);
  if (!ok) return fail(decodeErr.Message[0] ? decodeErr.Message : "the picture is damaged");
  return image;
}
