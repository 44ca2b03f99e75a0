#include "plan/naming.h"

QString NumberedName(const QString& base, long long n) {
  const QString number = QString::number(n);
  return base.left(kMaxStoredNameChars - number.size()) + number;
}

QString UniqueName(const QString& base, const std::function<bool(const QString&)>& isFree) {
  if (isFree(base)) return base;
  for (long long n = 1;; ++n) {
    const QString candidate = NumberedName(base, n);
    if (isFree(candidate)) return candidate;
  }
}
