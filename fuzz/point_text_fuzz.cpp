// libFuzzer entry for the document's point text ("x,y").
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString why =
      CheckPointInput(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!why.isEmpty()) {
    std::fprintf(stderr, "point check failed: %s\n", qPrintable(why));
    std::abort();
  }
  return 0;
}
