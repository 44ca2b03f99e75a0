// The Windows side of the file association: only the Win32 API, so that it builds with any
// Windows compiler and is compiled on every check with a cross compiler.
#include "document/file_association_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "document/registry_entries.h"

namespace {

// Creates the key if it does not exist, writes the string value and flushes it to disk.
bool WriteValue(const TRegistryValue& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, value.Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const DWORD bytes = static_cast<DWORD>((value.Data.size() + 1) * sizeof(wchar_t));
  const LONG set = RegSetValueExW(key, value.Name.empty() ? nullptr : value.Name.c_str(), 0,
                                  REG_SZ, reinterpret_cast<const BYTE*>(value.Data.c_str()), bytes);
  const LONG flushed = set == ERROR_SUCCESS ? RegFlushKey(key) : set;
  RegCloseKey(key);
  return set == ERROR_SUCCESS && flushed == ERROR_SUCCESS;
}

}  // namespace

std::wstring WriteRegistryEntriesWin32(const std::wstring& programPath) {
  const std::vector<TRegistryValue> entries = RegistryEntries(programPath);
  if (entries.empty()) return RegistryWriteError(L"");
  for (const TRegistryValue& value : entries) {
    if (!WriteValue(value)) return RegistryWriteError(value.Name);
  }
  // Explorer and the other top-level windows reread the associations. A window that hangs must
  // not hang the start-up: each is given five seconds at most. The shell redraws the documents'
  // icons only when told that an association changed.
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0,
                      reinterpret_cast<LPARAM>(L"RegistrySection"), SMTO_ABORTIFHUNG, 5000,
                      &result);
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
  return {};
}
