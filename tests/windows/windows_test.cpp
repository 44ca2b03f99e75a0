// What only Windows has: the registry association as the shell reads it back, the program's
// resources as Explorer and the file's properties show them, and the per-user folders.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/view_settings.h"
#include "document/file_association_win32.h"
#include "document/registry_entries.h"
#include "platform/user_folders.h"

namespace {

std::wstring ReadDefault(const std::wstring& key) {
  wchar_t data[1024];
  DWORD bytes = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, data, &bytes) !=
      ERROR_SUCCESS)
    return L"<missing>";
  return data;
}

QString KnownFolder(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  if (SHGetKnownFolderPath(id, 0, nullptr, &path) != S_OK) return {};
  const QString result = QDir::fromNativeSeparators(QString::fromWCharArray(path));
  CoTaskMemFree(path);
  return result;
}

// One string of the program's version resource, in its Russian block.
QString VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
  const std::wstring query = std::wstring(L"\\StringFileInfo\\041904B0\\") + name;
  void* value = nullptr;
  UINT chars = 0;
  if (!VerQueryValueW(block.data(), query.c_str(), &value, &chars) || chars == 0) return {};
  return QString::fromWCharArray(static_cast<const wchar_t*>(value));
}

struct TRegistryKeyGuard {
  ~TRegistryKeyGuard() { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Classes\\.tarvosk"); }
};

TEST(WindowsRegistry, TheAssociationReadsBackAsWrittenAndTheLastProgramWins) {
  TRegistryKeyGuard guard;
  const std::wstring command = L"Software\\Classes\\.tarvosk\\shell\\open\\command";
  const std::wstring icon = L"Software\\Classes\\.tarvosk\\DefaultIcon";
  struct TCase {
    std::wstring Program;
  } cases[] = {{L"C:\\Program Files\\Plan\\plan.exe"}, {L"D:\\Колокола\\tarvosk.exe"}};
  for (const TCase& c : cases) {
    ASSERT_EQ(WriteRegistryEntriesWin32(c.Program), L"");
    // unquoted, so that the shell splits a path with blanks and the start-up joins it again
    EXPECT_EQ(ReadDefault(command), c.Program + L" %1");
    EXPECT_EQ(ReadDefault(icon), c.Program + L",0");
  }
  // a path the registry cannot carry as a command line writes nothing and says so
  EXPECT_EQ(WriteRegistryEntriesWin32(std::wstring(L"C:\\a\nb.exe")), RegistryWriteError(L""));
  EXPECT_EQ(ReadDefault(command), cases[1].Program + L" %1");
}

TEST(WindowsResources, TheProgramCarriesItsIconsAndARussianVersion) {
  const std::wstring program = QDir::toNativeSeparators(QStringLiteral(TARVOSK_PROGRAM)).toStdWString();
  // the program's icon first (",0" in the association), the document's second
  EXPECT_EQ(ExtractIconExW(program.c_str(), -1, nullptr, nullptr, 0), 2u);
  HMODULE module = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  HICON large = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 256, 256, 0));
  EXPECT_NE(large, nullptr) << "no 256-pixel program icon";
  if (large) DestroyIcon(large);
  FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, block.data()));
  EXPECT_EQ(VersionString(block, L"ProductName"), QStringLiteral("Тарвоск"));
  EXPECT_TRUE(VersionString(block, L"FileDescription").contains(QStringLiteral("редактор")));
  EXPECT_EQ(VersionString(block, L"FileVersion"), QStringLiteral(TARVOSK_VERSION));
  EXPECT_EQ(VersionString(block, L"OriginalFilename"), QStringLiteral("tarvosk.exe"));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  const QStringList parts = QStringLiteral(TARVOSK_VERSION).split(u'.');
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), parts.value(0).toUInt());
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), parts.value(1).toUInt());
  EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), parts.value(2).toUInt());
}

TEST(WindowsFolders, SettingsRoamAndStateStaysOnTheMachine) {
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_STATE_HOME");
  const QString roaming = KnownFolder(FOLDERID_RoamingAppData);
  const QString local = KnownFolder(FOLDERID_LocalAppData);
  ASSERT_FALSE(roaming.isEmpty());
  ASSERT_FALSE(local.isEmpty());
  ASSERT_NE(roaming, local);
  const QString settings = UserFolder(TUserFolder::Settings), state = UserFolder(TUserFolder::State);
  EXPECT_TRUE(settings.startsWith(roaming + u'/', Qt::CaseInsensitive)) << settings.toStdString();
  EXPECT_TRUE(state.startsWith(local + u'/', Qt::CaseInsensitive)) << state.toStdString();
  EXPECT_TRUE(settings.endsWith(QStringLiteral("/tarvosk")));
  EXPECT_TRUE(state.endsWith(QStringLiteral("/tarvosk")));
  // a run that names its own folders is obeyed, as on Linux
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
  EXPECT_EQ(UserFolder(TUserFolder::Settings), QDir::cleanPath(dir.path()) + QStringLiteral("/tarvosk"));
  qunsetenv("XDG_CONFIG_HOME");
}

TEST(WindowsFolders, AFolderIsWritableOnlyWhenAFileCanBeMadeThere) {
  QTemporaryDir dir;
  EXPECT_TRUE(FolderTakesNewFiles(dir.path()));
  EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "the probe left a file behind";
  EXPECT_FALSE(FolderTakesNewFiles(dir.filePath(QStringLiteral("missing"))));
  // a folder that is a file
  QFile file(dir.filePath(QStringLiteral("file")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(FolderTakesNewFiles(file.fileName()));
}

}  // namespace
