#include "document/file_association.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <functional>
#include <QStandardPaths>

#include "platform/atomic_file.h"

#if defined(Q_OS_WIN)
#include "document/file_association_win32.h"
#endif

namespace {

const QString kBaseName = QStringLiteral("tarvosk");
const QString kIconName = QStringLiteral("tarvosk");

// Writes only when the content differs, so an unchanged registration costs no cache refresh.
// Returns whether the file changed, or nullopt on failure.
std::optional<bool> WriteIfChanged(const QString& dir, const QString& name,
                                   const QByteArray& content) {
  if (!QDir().mkpath(dir)) return std::nullopt;
  const QString path = dir + u'/' + name;
  QFile existing(path);
  if (existing.open(QIODevice::ReadOnly) && existing.size() == content.size() &&
      existing.readAll() == content) {
    return false;
  }
  existing.close();
  if (!WriteFileAtomically(path, content).isEmpty()) return std::nullopt;
  return true;
}

void RunTool(const QString& tool, const QString& folder, TDesktopUpdate update) {
  const QString program = QStandardPaths::findExecutable(tool);
  if (program.isEmpty()) return;
  QProcess p;
  p.setProgram(program);
  p.setArguments({folder});
  p.setStandardOutputFile(QProcess::nullDevice());
  p.setStandardErrorFile(QProcess::nullDevice());
  if (update == TDesktopUpdate::Detached) {
    p.startDetached();
    return;
  }
  p.start();
  if (!p.waitForFinished(30000)) {
    p.kill();
    p.waitForFinished(1000);
  }
}

QString XmlEscaped(const QString& s) { return s.toHtmlEscaped(); }

const QString kUserIcon = QStringLiteral("/icons/hicolor/48x48/apps/tarvosk.png");

// The icon as RegisterFileTypeIn writes it: 48 pixels, PNG.
QByteArray UserIconPng(const QImage& icon) {
  if (icon.isNull()) return {};
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  const QImage scaled = icon.scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return scaled.save(&buffer, "PNG") ? png : QByteArray();
}

QByteArray ReadSmallFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly) || f.size() > 64 * 1024) return {};
  return f.readAll();
}

// Removes the file when `own` says this program wrote it; true when it went.
bool RemoveIfOwn(const QString& path, const std::function<bool(const QByteArray&)>& own) {
  const QFileInfo info(path);
  if (!info.isFile() || info.isSymLink()) return false;
  return own(ReadSmallFile(path)) && QFile::remove(path);
}

}  // namespace

QString XdgDataHome() {
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  const QString home = qEnvironmentVariable("HOME");
  if (home.isEmpty() || !QDir::isAbsolutePath(home)) return {};
  return QDir::cleanPath(home + QStringLiteral("/.local/share"));
}

QString DesktopExecArgument(const QString& path) {
  QString quoted = QStringLiteral("\"");
  for (const QChar c : path) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return {};
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
      quoted += u'\\';
      quoted += c;
    } else if (c == u'%') {
      quoted += QStringLiteral("%%");
    } else {
      quoted += c;
    }
  }
  quoted += u'"';
  // The Exec value is a desktop-entry string first: its own backslashes are escaped once more.
  return quoted.replace(u'\\', QStringLiteral("\\\\"));
}

QByteArray MimePackageText(const QString& iconName) {
  QString s = QStringLiteral(
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                  "  <mime-type type=\"%1\">\n"
                  "    <comment>Tarvosk plan</comment>\n"
                  "    <comment xml:lang=\"ru\">План Тарвоск</comment>\n"
                  "    <sub-class-of type=\"text/plain\"/>\n"
                  "    <glob pattern=\"*.tarvosk\"/>\n")
                  .arg(QLatin1String(kDocumentMimeType));
  if (!iconName.isEmpty())
    s += QStringLiteral("    <icon name=\"%1\"/>\n").arg(XmlEscaped(iconName));
  s += QStringLiteral("  </mime-type>\n</mime-info>\n");
  return s.toUtf8();
}

std::optional<QByteArray> DesktopEntryText(const QString& programPath, const QString& iconName) {
  const QString exec = DesktopExecArgument(programPath);
  if (exec.isEmpty()) return std::nullopt;
  // %f hands the document over as one argument; the start-up joins its arguments with blanks,
  // so one argument is the path unchanged. NoDisplay: this registers documents, not a menu item.
  QString s = QStringLiteral(
                  "[Desktop Entry]\n"
                  "Type=Application\n"
                  "Name=Тарвоск\n"
                  "Comment=План яруса звона\n"
                  "Exec=%1 %f\n"
                  "MimeType=%2;\n"
                  "Terminal=false\n"
                  "NoDisplay=true\n")
                  .arg(exec, QLatin1String(kDocumentMimeType));
  if (!iconName.isEmpty()) s += QStringLiteral("Icon=%1\n").arg(iconName);
  return s.toUtf8();
}

bool RegisterFileTypeIn(const QString& dataHome, const QString& programPath, const QImage& icon,
                        TDesktopUpdate update) {
  if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome) || programPath.isEmpty()) return false;
  QString iconName;
  bool iconChanged = false;
  if (!icon.isNull()) {
    const QByteArray png = UserIconPng(icon);
    if (!png.isEmpty()) {
      const std::optional<bool> changed =
          WriteIfChanged(dataHome + QStringLiteral("/icons/hicolor/48x48/apps"),
                         kIconName + QStringLiteral(".png"), png);
      if (changed) {
        iconName = kIconName;
        iconChanged = *changed;
      }
    }
  }
  const std::optional<QByteArray> entry = DesktopEntryText(programPath, iconName);
  if (!entry) return false;
  const std::optional<bool> mimeChanged =
      WriteIfChanged(dataHome + QStringLiteral("/mime/packages"),
                     kBaseName + QStringLiteral(".xml"), MimePackageText(iconName));
  const std::optional<bool> entryChanged = WriteIfChanged(
      dataHome + QStringLiteral("/applications"), kBaseName + QStringLiteral(".desktop"), *entry);
  if (update != TDesktopUpdate::None) {
    if (mimeChanged.value_or(false) || iconChanged) {
      RunTool(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"), update);
    }
    if (entryChanged.value_or(false)) {
      RunTool(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"),
              update);
    }
  }
  return mimeChanged.has_value() && entryChanged.has_value();
}

QString InstalledDataDir(const QString& programPath) {
  const QFileInfo program(programPath);
  if (!program.isAbsolute() || program.fileName() != kBaseName) return {};
  QDir bin = program.absoluteDir();
  if (bin.dirName() != QLatin1String("bin") || !bin.cdUp()) return {};
  const QString share = bin.absolutePath() + QStringLiteral("/share");
  for (const char* file : {kInstalledDesktopEntry, kInstalledMimePackage}) {
    if (!QFileInfo(share + u'/' + QLatin1String(file)).isFile()) return {};
  }
  return share;
}

bool IsOwnDesktopEntry(const QByteArray& content) {
  // Exactly what DesktopEntryText writes, for any program path, with or without the icon.
  static const QRegularExpression own(QStringLiteral(
      "^\\[Desktop Entry\\]\nType=Application\nName=Тарвоск\nComment=План яруса звона\n"
      "Exec=\"[^\\n]*\" %f\nMimeType=application/x-tarvosk;\nTerminal=false\nNoDisplay=true\n"
      "(Icon=tarvosk\\n)?\\z"));
  return own.match(QString::fromUtf8(content)).hasMatch();
}

bool IsOwnMimePackage(const QByteArray& content) {
  return content == MimePackageText({}) || content == MimePackageText(kIconName);
}

bool RemoveUserRegistrationIn(const QString& dataHome, const QImage& icon, TDesktopUpdate update) {
  if (dataHome.isEmpty() || !QDir::isAbsolutePath(dataHome)) return false;
  const bool entry = RemoveIfOwn(dataHome + QStringLiteral("/applications/") + kBaseName +
                                     QStringLiteral(".desktop"),
                                 IsOwnDesktopEntry);
  const bool mime = RemoveIfOwn(
      dataHome + QStringLiteral("/mime/packages/") + kBaseName + QStringLiteral(".xml"),
      IsOwnMimePackage);
  const QByteArray png = UserIconPng(icon);
  const bool iconGone =
      !png.isEmpty() && RemoveIfOwn(dataHome + kUserIcon,
                                    [&png](const QByteArray& content) { return content == png; });
  if (update != TDesktopUpdate::None) {
    if (mime || iconGone) RunTool(QStringLiteral("update-mime-database"), dataHome + QStringLiteral("/mime"), update);
    if (entry) {
      RunTool(QStringLiteral("update-desktop-database"), dataHome + QStringLiteral("/applications"),
              update);
    }
  }
  return entry || mime || iconGone;
}

bool RegisterFileTypeFor(const QString& programPath, const QString& dataHome, const QImage& icon,
                         TDesktopUpdate update) {
  if (InstalledDataDir(programPath).isEmpty())
    return RegisterFileTypeIn(dataHome, programPath, icon, update);
  RemoveUserRegistrationIn(dataHome, icon, update);
  return true;
}

void RegisterFileType(const QImage& icon) {
  const QString program = QCoreApplication::applicationFilePath();
#if defined(Q_OS_WIN)
  Q_UNUSED(icon);
  // Quiet like the desktop registration: a start-up never stops for the file association.
  WriteRegistryEntriesWin32(QDir::toNativeSeparators(program).toStdWString());
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  RegisterFileTypeFor(program, XdgDataHome(), icon, TDesktopUpdate::Detached);
#else
  Q_UNUSED(icon);
  Q_UNUSED(program);
#endif
}
