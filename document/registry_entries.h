#pragma once

// The registry values that let the Windows shell open *.tarvosk documents with this program and
// show them with its icon, written per user under HKEY_CURRENT_USER\Software\Classes (a
// per-user association needs no administrator and wins over a machine-wide one). Plain C++ with
// no Qt and no Windows header: the table is computed and tested on every system, and only
// document/file_association_win32.cpp writes it.

#include <string>
#include <vector>

struct TRegistryValue {
  std::wstring Key;   // below HKEY_CURRENT_USER
  std::wstring Name;  // empty: the key's default value
  std::wstring Data;  // a REG_SZ string
  bool operator==(const TRegistryValue&) const = default;
};

// The document's open command and icon for the program at `programPath`. The path is written
// as it is, not quoted, followed by " %1": the shell then splits a document path at its blanks
// and the start-up joins the pieces again. Empty when the path is empty or holds a character
// below U+0020, which no registry string read back as a command line could carry.
std::vector<TRegistryValue> RegistryEntries(const std::wstring& programPath);

// The one message for a value that could not be written; `name` is empty for a default value.
std::wstring RegistryWriteError(const std::wstring& name);
