// A second editor for the recovery tests: opens an entry in the folder given, writes the
// document file given as its autosave, prints the entry's id and holds the entry until its
// standard input closes or it is killed.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "document/recovery_store.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 4) return 2;
  QFile source(args[2]);
  if (!source.open(QIODevice::ReadOnly)) return 3;
  TRecoveryStore store;
  if (!store.Open(args[1]) || !store.Write(source.readAll(), args[3]).isEmpty()) return 4;
  std::printf("%s\n", qPrintable(store.Id()));
  std::fflush(stdout);
  char buffer[256];
  while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
  }
  store.Remove();
  return 0;
}
