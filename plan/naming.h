#pragma once

#include <QString>
#include <functional>

// The object-naming rule: `base` itself when free, else base1, base2, ... (no separator), the
// first that `isFree` accepts. Names compare exactly, case included.
QString UniqueName(const QString& base, const std::function<bool(const QString&)>& isFree);
