#pragma once

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of the built program (TARVOSK_PROGRAM, defined by the test target) as a user would
// start it from a shell with no display: its user folders under `home`, its output collected.
struct TRun {
  int ExitCode = -1;  // -1: did not finish, or crashed
  QString Out;
  QString Err;
};

inline TRun RunProgram(const QStringList& arguments, const QString& home) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
  env.insert(QStringLiteral("XDG_CONFIG_HOME"), QDir(home).filePath(QStringLiteral("config")));
  env.insert(QStringLiteral("XDG_DATA_HOME"), QDir(home).filePath(QStringLiteral("data")));
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(TARVOSK_PROGRAM), arguments);
  TRun r;
  if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.ExitCode = p.exitCode();
  // What the program sends to a pipe is UTF-8 on every system (on Windows only a console gets
  // its own encoding).
  r.Out = QString::fromUtf8(p.readAllStandardOutput());
  r.Err = QString::fromUtf8(p.readAllStandardError());
#if defined(Q_OS_WIN)
  // and its lines end as text lines do there
  r.Out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  r.Err.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
  return r;
}
