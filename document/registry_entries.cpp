#include "document/registry_entries.h"

#include <algorithm>

namespace {

const std::wstring kClasses = L"Software\\Classes\\.tarvosk";

}  // namespace

std::vector<TRegistryValue> RegistryEntries(const std::wstring& programPath) {
  if (programPath.empty()) return {};
  if (std::any_of(programPath.begin(), programPath.end(), [](wchar_t c) { return c < 0x20; }))
    return {};
  return {
      {kClasses + L"\\shell\\open\\command", L"", programPath + L" %1"},
      {kClasses + L"\\DefaultIcon", L"", programPath + L",0"},
  };
}

std::wstring RegistryWriteError(const std::wstring& name) {
  return L"Failed to set data for '" + name + L"'";
}
