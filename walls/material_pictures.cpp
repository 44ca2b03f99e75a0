#include "walls/material_pictures.h"

#include "platform/pattern.h"
#include "platform/resource_picture.h"
#include "walls/wall_rules.h"

static_assert(TMaterialPictures::size() == kMaterialCount);

const QImage& TMaterialPictures::operator[](std::size_t material) const {
  Read(material);
  return FPictures.at(material);
}

const QImage& TMaterialPictures::Keyed(std::size_t material) const {
  Read(material);
  return FKeyed.at(material);
}

void TMaterialPictures::Read(std::size_t material) const {
  if (FRead.at(material)) return;
  FRead[material] = true;
  FPictures[material] =
      ResourcePicture(MaterialResource(static_cast<int>(material))).convertToFormat(QImage::Format_RGB32);
  FKeyed[material] = KeyedPattern(FPictures[material]);
}
