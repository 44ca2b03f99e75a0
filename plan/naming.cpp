#include "plan/naming.h"

QString UniqueName(const QString& base, const std::function<bool(const QString&)>& isFree) {
  if (isFree(base)) return base;
  for (long long n = 1;; ++n) {
    const QString candidate = base + QString::number(n);
    if (isFree(candidate)) return candidate;
  }
}
