// libFuzzer entry for the INI reader: any bytes are a settings file or a document.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString why =
      CheckIniInput(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!why.isEmpty()) {
    std::fprintf(stderr, "ini check failed: %s\n", qPrintable(why));
    std::abort();
  }
  return 0;
}
