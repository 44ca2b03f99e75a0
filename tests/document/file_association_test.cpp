#include "document/file_association.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "support/test_files.h"

namespace {

QString ReadText(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList FilesUnder(const QString& root) {
  QStringList files;
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) files << QDir(root).relativeFilePath(it.next());
  files.sort();
  return files;
}

TEST(FileAssociation, DataHomeFollowsTheXdgRules) {
  QTemporaryDir dir;
  {
    TEnv xdg("XDG_DATA_HOME", QFile::encodeName(dir.path()) + "/data/");
    EXPECT_EQ(XdgDataHome(), dir.path() + QStringLiteral("/data"));
  }
  TEnv home("HOME", QFile::encodeName(dir.path()));
  {
    TEnv xdg("XDG_DATA_HOME", "relative/path");  // not absolute: ignored
    EXPECT_EQ(XdgDataHome(), dir.path() + QStringLiteral("/.local/share"));
  }
  TEnv xdg("XDG_DATA_HOME", "");
  EXPECT_EQ(XdgDataHome(), dir.path() + QStringLiteral("/.local/share"));
}

TEST(FileAssociation, ExecArgumentsAreQuotedAndEscaped) {
  struct Case {
    const char* path;
    const char* exec;
  };
  const Case cases[] = {
      {"/usr/bin/tarvosk", R"("/usr/bin/tarvosk")"},
      {"/opt/My Plans/tarvosk", R"("/opt/My Plans/tarvosk")"},
      {"/a\"b", R"("/a\\"b")"},
      {"/a$b`c", R"("/a\\$b\\`c")"},
      {"/a\\b", R"("/a\\\\b")"},
      {"/100%/t", R"("/100%%/t")"},
      {"/план/тарвоск", "\"/план/тарвоск\""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DesktopExecArgument(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec)) << c.path;
  EXPECT_EQ(DesktopExecArgument(QStringLiteral("/a\nb")), QString());
  EXPECT_FALSE(DesktopEntryText(QStringLiteral("/a\tb"), {}).has_value());
}

TEST(FileAssociation, WritesOnlyUnderTheDataHome) {
  QTemporaryDir dir;
  const QString data = dir.filePath(QStringLiteral("share"));
  ASSERT_TRUE(
      RegisterFileTypeIn(data, QStringLiteral("/opt/My Plans/tarvosk"), {}, TDesktopUpdate::None));
  EXPECT_EQ(FilesUnder(dir.path()),
            QStringList({"share/applications/tarvosk.desktop", "share/mime/packages/tarvosk.xml"}));

  const QString entry = ReadText(data + QStringLiteral("/applications/tarvosk.desktop"));
  EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
  EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/opt/My Plans/tarvosk\" %f\n")));
  EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-tarvosk;\n")));
  EXPECT_FALSE(entry.contains(QStringLiteral("Icon=")));
  const QString mime = ReadText(data + QStringLiteral("/mime/packages/tarvosk.xml"));
  EXPECT_TRUE(mime.contains(QStringLiteral("<mime-type type=\"application/x-tarvosk\">")));
  EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.tarvosk\"/>")));
}

TEST(FileAssociation, RewritesOnlyWhatChanged) {
  QTemporaryDir dir;
  const QString entryPath = dir.filePath(QStringLiteral("applications/tarvosk.desktop"));
  const QString mimePath = dir.filePath(QStringLiteral("mime/packages/tarvosk.xml"));
  ASSERT_TRUE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/one/tarvosk"), {}, TDesktopUpdate::None));
  const QDateTime old = QDateTime::currentDateTimeUtc().addDays(-3);
  for (const QString& p : {entryPath, mimePath}) {
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
  }
  ASSERT_TRUE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/one/tarvosk"), {}, TDesktopUpdate::None));
  EXPECT_LT(QFileInfo(entryPath).lastModified(), old.addSecs(1));
  EXPECT_LT(QFileInfo(mimePath).lastModified(), old.addSecs(1));

  // Another copy of the program started: the entry now names it.
  ASSERT_TRUE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/two/tarvosk"), {}, TDesktopUpdate::None));
  EXPECT_TRUE(ReadText(entryPath).contains(QStringLiteral("Exec=\"/two/tarvosk\" %f")));
  EXPECT_LT(QFileInfo(mimePath).lastModified(), old.addSecs(1));
}

TEST(FileAssociation, IconNamesProgramAndDocuments) {
  QTemporaryDir dir;
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::darkYellow);
  ASSERT_TRUE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/opt/tarvosk"), icon, TDesktopUpdate::None));
  EXPECT_EQ(QImage(dir.filePath(QStringLiteral("icons/hicolor/48x48/apps/tarvosk.png"))).size(),
            QSize(48, 48));
  EXPECT_TRUE(ReadText(dir.filePath(QStringLiteral("applications/tarvosk.desktop")))
                  .contains(QStringLiteral("\nIcon=tarvosk\n")));
  EXPECT_TRUE(ReadText(dir.filePath(QStringLiteral("mime/packages/tarvosk.xml")))
                  .contains(QStringLiteral("<icon name=\"tarvosk\"/>")));
}

TEST(FileAssociation, FailuresAreQuiet) {
  QTemporaryDir dir;
  const QString notADir = dir.filePath(QStringLiteral("file"));
  {
    QFile f(notADir);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  EXPECT_FALSE(
      RegisterFileTypeIn(notADir, QStringLiteral("/opt/tarvosk"), {}, TDesktopUpdate::Wait));
  EXPECT_FALSE(RegisterFileTypeIn(QStringLiteral("relative"), QStringLiteral("/opt/tarvosk"), {},
                                  TDesktopUpdate::None));
  EXPECT_FALSE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/opt/a\nb"), {}, TDesktopUpdate::None));
  EXPECT_EQ(FilesUnder(dir.path()), QStringList{"file"});
}

#if !defined(Q_OS_WIN)  // on Windows the start-up writes the registry (tests/windows)
TEST(FileAssociation, StartUpRegistersUnderXdgDataHome) {
  QTemporaryDir dir;
  TEnv xdg("XDG_DATA_HOME", QFile::encodeName(dir.path()));
  TEnv path("PATH", "");  // no cache tools: nothing is left running after the test
  RegisterFileType();
  EXPECT_TRUE(
      ReadText(dir.filePath(QStringLiteral("applications/tarvosk.desktop")))
          .contains(QStringLiteral("Exec=\"") + QCoreApplication::applicationFilePath() + u'"'));
}
#endif

TEST(FileAssociation, DesktopCachesLearnTheType) {
  if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
    GTEST_SKIP() << "update-mime-database is not installed";
  }
  QTemporaryDir dir;
  ASSERT_TRUE(
      RegisterFileTypeIn(dir.path(), QStringLiteral("/opt/tarvosk"), {}, TDesktopUpdate::Wait));
  const QString globs = ReadText(dir.filePath(QStringLiteral("mime/globs2")));
  EXPECT_TRUE(globs.contains(QStringLiteral("application/x-tarvosk:*.tarvosk")))
      << globs.toStdString();
}

}  // namespace

namespace {

bool Touch(const QString& path, const QByteArray& content = {}) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
}

TEST(FileAssociation, AnInstallationIsAPrefixWithItsEntryAndType) {
  QTemporaryDir dir;
  const QString prefix = dir.filePath(QStringLiteral("usr"));
  const QString entry = prefix + QStringLiteral("/share/") + QLatin1String(kInstalledDesktopEntry);
  const QString mime = prefix + QStringLiteral("/share/") + QLatin1String(kInstalledMimePackage);
  const QString program = prefix + QStringLiteral("/bin/tarvosk");
  ASSERT_TRUE(Touch(program));
  EXPECT_EQ(InstalledDataDir(program), QString());  // neither file
  ASSERT_TRUE(Touch(entry));
  EXPECT_EQ(InstalledDataDir(program), QString());  // no MIME package
  ASSERT_TRUE(Touch(mime));
  EXPECT_EQ(InstalledDataDir(program), prefix + QStringLiteral("/share"));
  struct Row {
    const char* name;
    QString program;
  };
  const Row rows[] = {
      {"another name", prefix + QStringLiteral("/bin/tarvosk-old")},
      {"not in bin", prefix + QStringLiteral("/share/tarvosk")},
      {"a build folder", dir.filePath(QStringLiteral("build/app/tarvosk"))},
      {"relative", QStringLiteral("usr/bin/tarvosk")},
      {"empty", QString()},
  };
  for (const Row& r : rows) EXPECT_EQ(InstalledDataDir(r.program), QString()) << r.name;
  ASSERT_TRUE(QFile::remove(entry));
  ASSERT_TRUE(QDir().mkpath(entry));  // a folder of that name is no entry
  EXPECT_EQ(InstalledDataDir(program), QString());
}

TEST(FileAssociation, OwnFilesAreExactlyWhatThisProgramWrites) {
  for (const char* path : {"/usr/bin/tarvosk", "/opt/My Plans/tarvosk", "/a\"$`\\b/100%/t"}) {
    for (const char* icon : {"", "tarvosk"}) {
      const std::optional<QByteArray> entry = DesktopEntryText(QString::fromUtf8(path), QLatin1String(icon));
      ASSERT_TRUE(entry.has_value());
      EXPECT_TRUE(IsOwnDesktopEntry(*entry)) << path << icon;
      EXPECT_FALSE(IsOwnDesktopEntry(*entry + "Hidden=true\n")) << path;
      EXPECT_FALSE(IsOwnDesktopEntry(QByteArray(*entry).replace("Name=", "Name[ru]="))) << path;
      EXPECT_FALSE(IsOwnDesktopEntry(QByteArray(*entry).replace("NoDisplay=true\n", ""))) << path;
      EXPECT_TRUE(IsOwnMimePackage(MimePackageText(QLatin1String(icon))));
    }
  }
  EXPECT_FALSE(IsOwnDesktopEntry(QByteArray()));
  EXPECT_FALSE(IsOwnDesktopEntry(*DesktopEntryText(QStringLiteral("/t"), QStringLiteral("other"))));
  QFile installed(QStringLiteral(TARVOSK_SOURCE_DIR "/packaging/org.tarvosk.Tarvosk.desktop"));
  ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
  EXPECT_FALSE(IsOwnDesktopEntry(installed.readAll()));
  EXPECT_FALSE(IsOwnMimePackage(QByteArray()));
  EXPECT_FALSE(IsOwnMimePackage(MimePackageText({}) + "<!-- mine -->\n"));
  EXPECT_FALSE(IsOwnMimePackage(MimePackageText(QStringLiteral("other"))));
}

// The installed files declare the type the start-up registration declares.
TEST(FileAssociation, TheInstalledTypeIsTheRegisteredOne) {
  QFile installed(QStringLiteral(TARVOSK_SOURCE_DIR "/packaging/tarvosk.xml"));
  ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
  EXPECT_EQ(installed.readAll(), MimePackageText({}));
}

TEST(FileAssociation, AnInstalledProgramTakesAwayOnlyWhatAnEarlierRunWrote) {
  QTemporaryDir dir;
  const QString prefix = dir.filePath(QStringLiteral("usr"));
  const QString program = prefix + QStringLiteral("/bin/tarvosk");
  const QString home = dir.filePath(QStringLiteral("home"));
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::darkYellow);
  // A run from the build folder registered itself, and the user has a desktop file of their own.
  ASSERT_TRUE(RegisterFileTypeFor(dir.filePath(QStringLiteral("build/tarvosk")), home, icon, TDesktopUpdate::None));
  ASSERT_TRUE(Touch(home + QStringLiteral("/applications/editor.desktop"), "[Desktop Entry]\n"));
  EXPECT_EQ(FilesUnder(home), QStringList({"applications/editor.desktop", "applications/tarvosk.desktop",
                                           "icons/hicolor/48x48/apps/tarvosk.png", "mime/packages/tarvosk.xml"}));

  // Not installed yet: the program at the prefix registers itself like any other.
  ASSERT_TRUE(Touch(program));
  ASSERT_TRUE(RegisterFileTypeFor(program, home, icon, TDesktopUpdate::None));
  EXPECT_TRUE(ReadText(home + QStringLiteral("/applications/tarvosk.desktop")).contains(program));

  // Installed: its own entry and type are there, so the user's copies go, and nothing else.
  ASSERT_TRUE(Touch(prefix + QStringLiteral("/share/") + QLatin1String(kInstalledDesktopEntry)));
  ASSERT_TRUE(Touch(prefix + QStringLiteral("/share/") + QLatin1String(kInstalledMimePackage)));
  ASSERT_TRUE(RegisterFileTypeFor(program, home, icon, TDesktopUpdate::None));
  EXPECT_EQ(FilesUnder(home), QStringList{"applications/editor.desktop"});
  // and once more: nothing left to take
  EXPECT_FALSE(RemoveUserRegistrationIn(home, icon, TDesktopUpdate::None));
}

TEST(FileAssociation, FilesTheUserChangedAreKept) {
  QTemporaryDir dir;
  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::darkYellow);
  ASSERT_TRUE(RegisterFileTypeIn(dir.path(), QStringLiteral("/opt/tarvosk"), icon, TDesktopUpdate::None));
  const QString entry = dir.filePath(QStringLiteral("applications/tarvosk.desktop"));
  const QString mime = dir.filePath(QStringLiteral("mime/packages/tarvosk.xml"));
  const QString png = dir.filePath(QStringLiteral("icons/hicolor/48x48/apps/tarvosk.png"));
  ASSERT_TRUE(Touch(entry, ReadText(entry).toUtf8() + "Hidden=true\n"));
  QImage other(48, 48, QImage::Format_ARGB32);
  other.fill(Qt::red);
  ASSERT_TRUE(other.save(png, "PNG"));
  EXPECT_TRUE(RemoveUserRegistrationIn(dir.path(), icon, TDesktopUpdate::None));  // the type went
  EXPECT_EQ(FilesUnder(dir.path()),
            QStringList({"applications/tarvosk.desktop", "icons/hicolor/48x48/apps/tarvosk.png"}));
  EXPECT_FALSE(QFile::exists(mime));
#if !defined(Q_OS_WIN)  // a link there is a shortcut file, not a symbolic link
  // A link in its place is never followed nor removed.
  ASSERT_TRUE(QFile::remove(entry));
  const QString target = dir.filePath(QStringLiteral("elsewhere.desktop"));
  ASSERT_TRUE(Touch(target, *DesktopEntryText(QStringLiteral("/opt/tarvosk"), {})));
  ASSERT_TRUE(QFile::link(target, entry));
  EXPECT_FALSE(RemoveUserRegistrationIn(dir.path(), {}, TDesktopUpdate::None));
  EXPECT_TRUE(QFileInfo(entry).isSymLink());
  EXPECT_TRUE(QFile::exists(target));
#endif
}

}  // namespace
