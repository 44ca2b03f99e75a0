// libFuzzer entry for opening a document: the bytes opened and saved through the document
// functions alone, as the editor and every headless run open them. No window, no application.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString why =
      CheckDocumentBytes(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!why.isEmpty()) {
    std::fprintf(stderr, "document check failed: %s\n", qPrintable(why));
    std::abort();
  }
  return 0;
}
