// Writes the plans whose exports are compared between the Windows and the Linux build into the
// folder named on the command line: five bells, a six- and an eight-sided tower with chord beams
// and bells, and the full plan. Each export fixes the arrangement, so each has its lines.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "bells/bell_catalogue.h"
#include "document/document_file.h"
#include "support/sample_plans.h"

namespace {

// The plan with the walls of `type` and its bells hung round the courtyard, apart from each
// other and from the pedestal, so that the fixing's lines and every weight show in the picture.
QByteArray Spread(const QByteArray& document, std::uint8_t type) {
  TDocumentContent content = ParseDocument(document, FBellDiameters);
  if (!content.Ok() || content.Objects.empty()) return {};
  content.Objects[0].WallType = type;
  std::vector<TPlanObject*> bells;
  for (TPlanObject& o : content.Objects)
    if (o.ObjType == okBell) bells.push_back(&o);
  const double centre = content.Objects[0].WallDiameterOuter / 2.0;
  for (std::size_t i = 0; i < bells.size(); ++i) {
    // half a circle on the side away from the pedestal, the heavy bells outermost
    const double angle = std::numbers::pi * (0.15 + 0.7 * double(i) / double(std::max<std::size_t>(1, bells.size() - 1)));
    const double radius = 900 + 500 * double(i % 2);
    bells[i]->BellPosition = QPoint(int(centre + radius * std::cos(angle)), int(centre - radius * std::sin(angle)));
  }
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
      {"five_bells.tarvosk", Spread(PlanDocumentBytes(5, 0, 0), 0)},
      {"six_sided.tarvosk", Spread(PlanDocumentBytes(9, 12, 0), 1)},
      {"eight_sided.tarvosk", Spread(PlanDocumentBytes(14, 24, 3), 2)},
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
