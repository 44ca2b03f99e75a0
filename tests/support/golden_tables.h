#pragma once
// The golden tables of tests/data/golden_tables.txt, worked out by tools/golden_tables.py from
// the written rules alone. One row per line: a kind word, then blank-separated fields.
#include <gtest/gtest.h>

#include <QPoint>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct TGoldenRow {
  std::vector<std::string> Fields;  // without the kind word
  int Line = 0;

  std::int64_t Int(size_t i) const { return std::stoll(Fields.at(i)); }
  int I(size_t i) const { return static_cast<int>(Int(i)); }
  QPoint Point(size_t i) const { return QPoint(I(i), I(i + 1)); }
  const std::string& S(size_t i) const { return Fields.at(i); }
  std::string Where() const { return "golden_tables.txt line " + std::to_string(Line); }
};

// Every row of one kind, in file order.
inline std::vector<TGoldenRow> GoldenRows(const std::string& kind) {
  std::ifstream in(TARVOSK_SOURCE_DIR "/tests/data/golden_tables.txt");
  std::vector<TGoldenRow> rows;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::istringstream words(line);
    std::string first;
    if (!(words >> first) || first != kind) continue;
    TGoldenRow row;
    row.Line = number;
    for (std::string w; words >> w;) row.Fields.push_back(w);
    rows.push_back(std::move(row));
  }
  return rows;
}
