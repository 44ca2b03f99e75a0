#pragma once

#include <QString>
#include <functional>

#include "platform/ini_file.h"

// The object-naming rule: `base` itself when free, else base1, base2, ... (no separator), the
// first that `isFree` accepts. Names compare exactly, case included.
QString UniqueName(const QString& base, const std::function<bool(const QString&)>& isFree);

// The n-th numbered name of `base`: base followed by n. A document stores at most
// kMaxStoredNameChars characters of a name, so a base too long for its number is cut first;
// otherwise the name would come back from the document shorter, and no longer unique.
inline constexpr qsizetype kMaxStoredNameChars = TIniFile::kMaxValueChars;
QString NumberedName(const QString& base, long long n);
