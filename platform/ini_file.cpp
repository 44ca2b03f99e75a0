#include "platform/ini_file.h"

#include <QFile>

#include "platform/atomic_file.h"
#include "platform/cp1251.h"

namespace {

bool IsBlank(QChar c) {
  const char16_t u = c.unicode();
  return u == ' ' || u == '\t' || u == '\r' || u == '\v' || u == '\f';
}

// Own trimming: QString::trimmed() would also eat the no-break space (0xA0 in the code page),
// which is part of a value.
QStringView Trim(QStringView s) {
  qsizetype b = 0;
  qsizetype e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.sliced(b, e - b);
}

// Section and key names compare without regard to case. Nearly all are ASCII, folded here
// directly: the general folding was most of the time a save of a large plan took.
QString Fold(QStringView s) {
  const QStringView t = Trim(s);
  QString out(t.size(), Qt::Uninitialized);
  QChar* d = out.data();
  for (qsizetype i = 0; i < t.size(); ++i) {
    const char16_t c = t[i].unicode();
    if (c >= 0x80) return t.toString().toCaseFolded();
    d[i] = QChar(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c);
  }
  return out;
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(QStringView text, bool allowZeroX) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  bool negative = false;
  if (i < n && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && text[i] == u'$') {
    hex = true;
    ++i;
  } else if (allowZeroX && i + 1 < n && text[i] == u'0' &&
             (text[i + 1] == u'x' || text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;

  // Accumulate in 64 bits and stop before the limit, so no digit string can overflow.
  std::uint64_t v = 0;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  for (; i < n; ++i) {
    const int d = hex ? HexDigit(text[i])
                      : (text[i] >= u'0' && text[i] <= u'9' ? text[i].unicode() - '0' : -1);
    if (d < 0) return std::nullopt;
    v = v * (hex ? 16 : 10) + static_cast<std::uint64_t>(d);
    if (v > limit) return std::nullopt;
  }
  std::uint32_t bits = static_cast<std::uint32_t>(v);
  if (negative) bits = 0u - bits;  // wraps in unsigned arithmetic, defined for every value
  return static_cast<std::int32_t>(bits);
}

TIniFile::TIniFile(QByteArrayView bytes) { Parse(bytes); }

bool TIniFile::LoadFromFile(const QString& path, QString* error) {
  FSections.clear();
  FFirstSection.clear();
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

QStringView TIniFile::KeyOf(const TLine& line) {
  return Trim(line.Eq < 0 ? QStringView(line.Text) : QStringView(line.Text).first(line.Eq));
}

void TIniFile::AddLine(TSection& s, TLine line) {
  if (line.IsKey) {
    QString folded = Fold(KeyOf(line));
    const auto it = s.FirstKey.constFind(folded);
    if (it == s.FirstKey.cend()) s.FirstKey.insert(std::move(folded), s.Lines.size());
  }
  s.Lines.push_back(std::move(line));
}

void TIniFile::Parse(QByteArrayView bytes) {
  FSections.clear();
  FFirstSection.clear();
  FSections.push_back({});
  // The lines read refer to this text rather than copy it (QString::fromRawData); the file
  // keeps it, unchanged, as long as any of them may be read. A line written anew owns its text.
  FText = Cp1251ToString(bytes);
  const QString& text = FText;
  qsizetype start = 0;
  while (start < text.size()) {
    qsizetype end = text.indexOf(u'\n', start);
    if (end < 0) end = text.size();
    qsizetype lineEnd = end;
    if (lineEnd > start && text[lineEnd - 1] == u'\r') --lineEnd;
    QString line = QString::fromRawData(text.constData() + start, lineEnd - start);
    start = end + 1;

    const QStringView t = Trim(line);
    if (t.startsWith(u'[')) {
      const qsizetype close = t.lastIndexOf(u']');
      if (close > 0) {
        TSection s;
        s.Name = Trim(t.sliced(1, close - 1)).toString();
        s.HeaderText = std::move(line);
        const QString folded = Fold(s.Name);
        if (!FFirstSection.contains(folded)) FFirstSection.insert(folded, FSections.size());
        FSections.push_back(std::move(s));
        continue;
      }
    }
    TLine l;
    const bool content = !t.isEmpty() && !t.startsWith(u';');
    if (content) l.Eq = line.indexOf(u'=');
    l.Text = std::move(line);
    l.IsKey = content && !KeyOf(l).isEmpty();
    AddLine(FSections.back(), std::move(l));
  }
}

QByteArray TIniFile::ToBytes() const {
  QString out;
  for (const TSection& s : FSections) {
    if (!s.HeaderText.isEmpty()) {
      out += s.HeaderText;
      out += QLatin1String("\r\n");
    }
    for (const TLine& l : s.Lines) {
      out += l.Text;
      out += QLatin1String("\r\n");
    }
  }
  return StringToCp1251(out);
}

const TIniFile::TSection* TIniFile::FindSection(QStringView name) const {
  const auto it = FFirstSection.constFind(Fold(name));
  return it == FFirstSection.cend() ? nullptr : &FSections[*it];
}

const TIniFile::TLine* TIniFile::FindLine(QStringView section, QStringView key) const {
  const TSection* s = FindSection(section);
  if (!s) return nullptr;
  const auto it = s->FirstKey.constFind(Fold(key));
  return it == s->FirstKey.cend() ? nullptr : &s->Lines[*it];
}

bool TIniFile::SectionExists(QStringView section) const {
  const TSection* s = FindSection(section);
  return s && !s->FirstKey.isEmpty();
}

bool TIniFile::KeyExists(QStringView section, QStringView key) const {
  return FindLine(section, key) != nullptr;
}

QStringList TIniFile::SectionNames() const {
  QStringList names;
  for (const TSection& s : FSections) {
    if (!s.HeaderText.isEmpty()) names << s.Name;
  }
  return names;
}

QStringView TIniFile::ValueOf(const TLine& line) {
  if (line.Eq < 0) return {};
  return Trim(QStringView(line.Text).sliced(line.Eq + 1)).left(kMaxValueChars);
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& def) const {
  const TLine* l = FindLine(section, key);
  if (!l) return def;
  return ValueOf(*l).toString();
}

std::int32_t TIniFile::ReadInteger(QStringView section, QStringView key, std::int32_t def) const {
  if (!FindLine(section, key)) return def;
  return ParseIniInteger(ReadString(section, key)).value_or(def);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(QStringView section, QStringView key, QStringView value) {
  QString v = value.toString();
  v.replace(u'\r', u' ').replace(u'\n', u' ');

  const auto sit = FFirstSection.constFind(Fold(section));
  std::size_t si;
  if (sit == FFirstSection.cend()) {
    TSection s;
    s.Name = section.toString();
    s.HeaderText = u'[' + s.Name + u']';
    si = FSections.size();
    FFirstSection.insert(Fold(section), si);
    FSections.push_back(std::move(s));
  } else {
    si = *sit;
  }
  TSection& s = FSections[si];

  const auto kit = s.FirstKey.constFind(Fold(key));
  if (kit != s.FirstKey.cend()) {
    TLine& l = s.Lines[*kit];
    const QString name = KeyOf(l).toString();
    l.Text = name + u'=' + v;
    l.Eq = name.size();
    return;
  }
  TLine l;
  const QString name = Trim(key).toString();
  l.Text = name + u'=' + v;
  l.Eq = name.size();
  l.IsKey = true;
  // After the last non-blank line, so blank lines that part this section from the next stay
  // between them; only blank lines move, so the remembered key positions stay right.
  std::size_t at = s.Lines.size();
  while (at > 0 && Trim(s.Lines[at - 1].Text).isEmpty()) --at;
  s.FirstKey.insert(Fold(name), at);
  s.Lines.insert(s.Lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(l));
}

void TIniFile::WriteInteger(QStringView section, QStringView key, std::int32_t value) {
  WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(QStringView section, QStringView key, bool value) {
  WriteString(section, key, value ? u"1" : u"0");
}
