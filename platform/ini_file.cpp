#include "platform/ini_file.h"

#include <QFile>

#include "platform/atomic_file.h"
#include "platform/cp1251.h"

namespace {

// Spreads the bits of a name's hash over a slot table's low bits.
std::uint32_t Mix(std::uint32_t h) {
  h ^= h >> 16;
  h *= 0x85ebca6bu;
  h ^= h >> 13;
  h *= 0xc2b2ae35u;
  h ^= h >> 16;
  return h;
}

// Slots for `items`, at most half of them taken, so a probe meets an empty slot soon.
std::size_t TableSize(std::size_t items) {
  std::size_t n = 8;
  while (n < 2 * items) n *= 2;
  return n;
}

int HexDigit(char16_t u) {
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(QStringView text, bool allowZeroX) {
  const char16_t* t = text.utf16();
  qsizetype i = 0;
  const qsizetype n = text.size();
  bool negative = false;
  if (i < n && (t[i] == u'-' || t[i] == u'+')) {
    negative = t[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && t[i] == u'$') {
    hex = true;
    ++i;
  } else if (allowZeroX && i + 1 < n && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;

  // Accumulate in 64 bits and stop before the limit, so no digit string can overflow.
  std::uint64_t v = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < n; ++i) {
    const int d = hex ? HexDigit(t[i]) : (t[i] >= u'0' && t[i] <= u'9' ? t[i] - u'0' : -1);
    if (d < 0) return std::nullopt;
    v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
    if (v > limit) return std::nullopt;
  }
  std::uint32_t bits = static_cast<std::uint32_t>(v);
  if (negative) bits = 0u - bits;  // wraps in unsigned arithmetic, defined for every value
  return static_cast<std::int32_t>(bits);
}

TIniFile::TIniFile(QByteArrayView bytes) { Parse(bytes); }

void TIniFile::Clear() {
  FText.clear();
  FLines.clear();
  FSections.clear();
  FSectionSlots.clear();
}

bool TIniFile::LoadFromFile(const QString& path, QString* error) {
  Clear();
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) {
    if (error) *error = QStringLiteral("Не удалось открыть файл «%1». %2").arg(path, f.errorString());
    return false;
  }
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) {
    if (error) *error = QStringLiteral("Не удалось прочитать файл «%1». %2").arg(path, f.errorString());
    return false;
  }
  Parse(bytes);
  return true;
}

bool TIniFile::SaveToFile(const QString& path, QString* error) const {
  const QString e = WriteFileAtomically(path, ToBytes());
  if (error) *error = e;
  return e.isEmpty();
}

void TIniFile::Parse(QByteArrayView bytes) {
  Clear();
  // The lines read refer to this text rather than copy it (QString::fromRawData), and their
  // names to the lines; the file keeps it, unchanged, as long as any of them may be read. A line
  // written anew owns its text.
  FText = Cp1251ToString(bytes);
  const QString& text = FText;
  FLines.reserve(static_cast<std::size_t>(text.count(u'\n')) + 1);
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(u'\n', start);
    if (end < 0) end = text.size();
    qsizetype lineEnd = end;
    if (lineEnd > start && text[lineEnd - 1] == u'\r') --lineEnd;
    TLine& l = FLines.emplace_back();
    l.Text = QString::fromRawData(text.constData() + start, lineEnd - start);
    start = end + 1;

    const QStringView t = TIniName::Trim(l.Text);
    if (t.startsWith(u'[')) {
      const qsizetype close = t.lastIndexOf(u']');
      if (close > 0) {
        l.IsHeader = true;
        l.Name = TIniName(t.sliced(1, close - 1));
        continue;
      }
    }
    if (t.isEmpty() || t.startsWith(u';')) continue;
    l.Eq = l.Text.indexOf(u'=');
    l.Name = TIniName(l.Eq < 0 ? QStringView(l.Text) : QStringView(l.Text).first(l.Eq));
    l.IsKey = !l.Name.Text().isEmpty();
  }
  Reindex();
}

void TIniFile::Reindex() {
  std::size_t headers = 0;
  for (const TLine& l : FLines) headers += l.IsHeader ? 1 : 0;
  FSections.clear();
  FSections.reserve(headers);
  FSectionSlots.assign(TableSize(headers), TSlot{});
  const std::size_t mask = FSectionSlots.size() - 1;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    const TLine& l = FLines[i];
    if (!l.IsHeader) {
      // Lines before the first header belong to no section.
      if (!FSections.empty()) FSections.back().HasKey |= l.IsKey;
      continue;
    }
    if (!FSections.empty()) FSections.back().End = i;
    const auto si = static_cast<std::uint32_t>(FSections.size());
    TSection& s = FSections.emplace_back();
    s.Header = i;
    s.Begin = i + 1;
    s.End = FLines.size();
    const std::uint32_t h = Mix(l.Name.Hash());
    std::size_t at = h & mask;
    for (; FSectionSlots[at].Item != 0; at = (at + 1) & mask) {
      const TSlot& slot = FSectionSlots[at];
      if (slot.Hash == h && FLines[FSections[slot.Item - 1].Header].Name == l.Name) break;
    }
    if (FSectionSlots[at].Item == 0) FSectionSlots[at] = {h, si + 1};
  }
}

QByteArray TIniFile::ToBytes() const {
  QString out;
  out.reserve(FText.size() + 2 * static_cast<qsizetype>(FLines.size()) + 64);
  for (const TLine& l : FLines) {
    out += l.Text;
    out += QLatin1String("\r\n");
  }
  return StringToCp1251(out);
}

const TIniFile::TSection* TIniFile::FindSection(QStringView name) const {
  if (FSections.empty()) return nullptr;
  const TIniName n(name);
  const std::uint32_t h = Mix(n.Hash());
  const std::size_t mask = FSectionSlots.size() - 1;
  for (std::size_t at = h & mask; FSectionSlots[at].Item != 0; at = (at + 1) & mask) {
    const TSlot& slot = FSectionSlots[at];
    const TSection& s = FSections[slot.Item - 1];
    if (slot.Hash == h && FLines[s.Header].Name == n) return &s;
  }
  return nullptr;
}

const TIniFile::TLine* TIniFile::FindLine(QStringView section, QStringView key) const {
  const TSection* s = FindSection(section);
  if (!s || !s->HasKey) return nullptr;
  const TIniName k(key);
  for (std::size_t i = s->Begin; i < s->End; ++i) {
    const TLine& l = FLines[i];
    if (l.IsKey && l.Name == k) return &l;
  }
  return nullptr;
}

bool TIniFile::SectionExists(QStringView section) const {
  const TSection* s = FindSection(section);
  return s && s->HasKey;
}

bool TIniFile::KeyExists(QStringView section, QStringView key) const {
  return FindLine(section, key) != nullptr;
}

QStringList TIniFile::SectionNames() const {
  QStringList names;
  names.reserve(static_cast<qsizetype>(FSections.size()));
  for (const TSection& s : FSections) names << FLines[s.Header].Name.Text().toString();
  return names;
}

QStringView TIniFile::ValueOf(const TLine& line) {
  if (line.Eq < 0) return {};
  return TIniName::Trim(QStringView(line.Text).sliced(line.Eq + 1)).left(kMaxValueChars);
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& def) const {
  const TLine* l = FindLine(section, key);
  if (!l) return def;
  return ValueOf(*l).toString();
}

std::int32_t TIniFile::ReadInteger(QStringView section, QStringView key, std::int32_t def) const {
  const TLine* l = FindLine(section, key);
  if (!l) return def;
  return ParseIniInteger(ValueOf(*l)).value_or(def);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(QStringView section, QStringView key, QStringView value) {
  QString v = value.toString();
  v.replace(u'\r', u' ').replace(u'\n', u' ');

  const TSection* s = FindSection(section);
  if (s) {
    if (const TLine* found = FindLine(section, key)) {
      // The name keeps its spelling; the line stays where it is and stays the first of its name.
      TLine& l = FLines[static_cast<std::size_t>(found - FLines.data())];
      const QString name = l.Name.Text().toString();
      l.Text = name + u'=' + v;
      l.Eq = name.size();
      l.Name = TIniName(QStringView(l.Text).first(l.Eq));
      return;
    }
  }
  std::size_t at = FLines.size();
  if (!s) {
    TLine h;
    h.Text = u'[' + section.toString() + u']';
    h.Name = TIniName(QStringView(h.Text).sliced(1, section.size()));
    h.IsHeader = true;
    FLines.push_back(std::move(h));
    at = FLines.size();
  } else {
    // After the last non-blank line, so blank lines that part this section from the next stay
    // between them.
    at = s->End;
    while (at > s->Begin && TIniName::Trim(FLines[at - 1].Text).isEmpty()) --at;
  }
  TLine l;
  const QString name = TIniName::Trim(key).toString();
  l.Text = name + u'=' + v;
  l.Eq = name.size();
  l.Name = TIniName(QStringView(l.Text).first(l.Eq));
  l.IsKey = true;
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(at), std::move(l));
  Reindex();
}

void TIniFile::WriteInteger(QStringView section, QStringView key, std::int32_t value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(QStringView section, QStringView key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}
