#include "document/document_place.h"

QString ObjectSectionName(std::size_t n) { return QStringLiteral("Object") + QString::number(n); }

QString DocumentPlaceText(const QString& fileName, std::size_t section, QStringView key,
                          QStringView value) {
  QString text;
  if (!fileName.isEmpty()) text = QStringLiteral("Файл «%1», раздел").arg(fileName);
  else text = QStringLiteral("Раздел");
  text += QStringLiteral(" [%1]").arg(ObjectSectionName(section));
  if (!key.isEmpty()) text += QStringLiteral(", ключ %1 = %2").arg(key, value);
  return text;
}

QString DocumentNote(const QString& fileName, std::size_t section, QStringView key,
                     QStringView value, const QString& what) {
  return DocumentPlaceText(fileName, section, key, value) + QStringLiteral(". ") + what;
}
