#include "app/console.h"

#include <QMessageLogger>
#include <cstdio>

#if defined(Q_OS_WIN)
#include <windows.h>
#include <shellapi.h>
#endif

namespace {

#if defined(Q_OS_WIN)
// A standard handle that already leads somewhere: a file or pipe it was redirected to, or a
// console it was given.
bool Leads(DWORD which) {
  const HANDLE h = GetStdHandle(which);
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

void GiveConsole(DWORD which, FILE* stream) {
  FILE* reopened = nullptr;
  if (freopen_s(&reopened, "CONOUT$", "w", stream) != 0) return;
  SetStdHandle(which, CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
}

void Write(DWORD which, FILE* stream, const QString& text) {
  const HANDLE h = GetStdHandle(which);
  DWORD mode = 0;
  if (h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode)) {
    std::fflush(stream);
    const std::wstring wide = text.toStdWString();
    DWORD written = 0;
    WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
  std::fflush(stream);
}
#endif

enum class Stream { Out, Error };

void Print(const QString& text, Stream to) {
  FILE* stream = to == Stream::Out ? stdout : stderr;
#if defined(Q_OS_WIN)
  Write(to == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE, stream, text);
#else
  const QByteArray bytes = text.toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
  std::fflush(stream);
#endif
}

void PrintFatalOnly(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) Print(QStringLiteral("tarvosk: %1\n").arg(message), Stream::Error);
}

}  // namespace

void DropQtMessages() { qInstallMessageHandler(PrintFatalOnly); }

QStringList ProgramArguments(int argc, char** argv) {
  QStringList list;
#if defined(Q_OS_WIN)
  Q_UNUSED(argc);
  Q_UNUSED(argv);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide) {
    for (int i = 1; i < count; ++i) list << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
  }
#else
  for (int i = 1; i < argc; ++i) list << QString::fromLocal8Bit(argv[i]);
#endif
  return list;
}

void AttachParentConsole() {
#if defined(Q_OS_WIN)
  const bool out = Leads(STD_OUTPUT_HANDLE), err = Leads(STD_ERROR_HANDLE);
  if (out && err) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  // Only the streams that led nowhere are given the console; a redirected one keeps its file.
  if (!out) GiveConsole(STD_OUTPUT_HANDLE, stdout);
  if (!err) GiveConsole(STD_ERROR_HANDLE, stderr);
#endif
}

void PrintOut(const QString& text) { Print(text, Stream::Out); }

void PrintError(const QString& text) { Print(text, Stream::Error); }
