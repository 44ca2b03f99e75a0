#pragma once
// What every suite has before its own includes (the suites' precompiled header): GoogleTest
// prints Qt's strings as text rather than as the bytes of the object.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& b, std::ostream* os) { *os << '"' << b.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{';
  for (qsizetype i = 0; i < l.size(); ++i) *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
  *os << '}';
}

// Windows' minimal platform, on which the Windows build's widget tests run, has fonts but
// delivers no pointer move without a button held, so hovering cannot be tested there.
#define SKIP_WITHOUT_HOVER()                                                   \
  if (QGuiApplication::platformName() == QLatin1String("minimal"))             \
  GTEST_SKIP() << "the minimal platform delivers no pointer moves without a button"
