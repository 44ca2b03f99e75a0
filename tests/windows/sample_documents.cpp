// Writes the plans whose exports are compared between the Windows and the Linux build into the
// folder named on the command line: five bells, a six- and an eight-sided tower with chord beams
// and bells, and the full plan. Each export fixes the arrangement, so each has its lines.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "support/sample_plans.h"

namespace {

QByteArray WithWallType(const QByteArray& document, std::uint8_t type) {
  TDocumentContent content = ParseDocument(document, FBellDiameters);
  if (!content.Ok() || content.Objects.empty()) return {};
  content.Objects[0].WallType = type;
  return DocumentToBytes(content.Objects);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: sample_documents FOLDER\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const struct {
    const char* Name;
    QByteArray Bytes;
  } plans[] = {
      {"five_bells.tarvosk", PlanDocumentBytes(5, 0, 0)},
      {"six_sided.tarvosk", WithWallType(PlanDocumentBytes(9, 12, 0), 1)},
      {"eight_sided.tarvosk", WithWallType(PlanDocumentBytes(14, 24, 3), 2)},
      {"full.tarvosk", FullDocumentBytes()},
  };
  for (const auto& plan : plans) {
    QFile f(folder.filePath(QString::fromLatin1(plan.Name)));
    if (plan.Bytes.isEmpty() || !f.open(QIODevice::WriteOnly) || f.write(plan.Bytes) != plan.Bytes.size()) {
      std::fprintf(stderr, "sample_documents: cannot write %s\n", plan.Name);
      return 1;
    }
  }
  return 0;
}
