#pragma once

#include <string>

// Writes RegistryEntries(programPath) under HKEY_CURRENT_USER and tells the running programs
// that file associations changed. Windows only; needs nothing beyond the Win32 API. Returns an
// empty string on success, else the message of the first value that could not be written.
std::wstring WriteRegistryEntriesWin32(const std::wstring& programPath);
