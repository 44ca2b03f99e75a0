#pragma once

#include <QImage>
#include <array>
#include <cstddef>

// The material pictures of the walls and the beams (":/Material1" to ":/Material8"), each read
// when it is first asked for: a plan shows one or two of the eight, and reading them all before
// the window was shown cost a millisecond of every start.
class TMaterialPictures {
 public:
  // Material i's picture in RGB32; null for a picture the program does not carry.
  const QImage& operator[](std::size_t material) const;
  // The same with white keyed out, for beams painted straight onto the panel (KeyedPattern).
  const QImage& Keyed(std::size_t material) const;
  static constexpr std::size_t size() { return kCount; }

 private:
  static constexpr std::size_t kCount = 8;  // kMaterialCount of walls/wall_rules.h
  void Read(std::size_t material) const;

  mutable std::array<QImage, kCount> FPictures;
  mutable std::array<QImage, kCount> FKeyed;
  mutable std::array<bool, kCount> FRead{};
};
