// libFuzzer entry for drawing a document: each accepted input opened and drawn off screen on a
// small panel, the arrangement fixed, as the picture export and the thumbnail draw it. A plain
// Qt Gui application on the offscreen platform: no widget.
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_checks.h"
#include "platform/canvas.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  (void)argc;
  new QGuiApplication(qtArgc, qtArgv);  // lives as long as the process
  RegisterPlanFonts();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString why = CheckDocumentPicture(
      QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), QSize(240, 180));
  if (!why.isEmpty()) {
    std::fprintf(stderr, "document drawing check failed: %s\n", qPrintable(why));
    std::abort();
  }
  return 0;
}
