// libFuzzer entry for opening a document: the bytes are written to a file and opened in one
// real main window, offscreen, which keeps whatever plan the inputs before left in it.
#include <QApplication>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/tfm_main.h"
#include "fuzz/fuzz_checks.h"

namespace {

TfmMain* gWindow = nullptr;
QString gPath;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  (void)argc;
  new QApplication(qtArgc, qtArgv);  // lives as long as the process
  static QTemporaryDir dir;
  gPath = dir.filePath(QStringLiteral("input.tarvosk"));
  gWindow = MakeFuzzWindow(dir.path());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString why = CheckDocumentInput(
      *gWindow, QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), gPath);
  if (!why.isEmpty()) {
    std::fprintf(stderr, "document check failed: %s\n", qPrintable(why));
    std::abort();
  }
  return 0;
}
