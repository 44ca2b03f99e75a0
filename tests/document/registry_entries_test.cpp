#include "document/registry_entries.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistryEntries, TheOpenCommandAndIconOfTheProgram) {
  struct Row {
    const wchar_t* program;
    const wchar_t* command;
    const wchar_t* icon;
  };
  // Unquoted: a document path with blanks reaches the program in pieces, joined again at start.
  const Row rows[] = {
      {L"C:\\Tarvosk\\tarvosk.exe", L"C:\\Tarvosk\\tarvosk.exe %1", L"C:\\Tarvosk\\tarvosk.exe,0"},
      {L"C:\\Program Files\\Plan\\plan.exe", L"C:\\Program Files\\Plan\\plan.exe %1",
       L"C:\\Program Files\\Plan\\plan.exe,0"},
      {L"D:\\Колокольня\\tarvosk.exe", L"D:\\Колокольня\\tarvosk.exe %1", L"D:\\Колокольня\\tarvosk.exe,0"},
      {L"\\\\server\\share\\100%\\t.exe", L"\\\\server\\share\\100%\\t.exe %1",
       L"\\\\server\\share\\100%\\t.exe,0"},
  };
  for (const Row& r : rows) {
    const std::vector<TRegistryValue> expected = {
        {L"Software\\Classes\\.tarvosk\\shell\\open\\command", L"", r.command},
        {L"Software\\Classes\\.tarvosk\\DefaultIcon", L"", r.icon},
    };
    EXPECT_EQ(RegistryEntries(r.program), expected);
  }
}

TEST(RegistryEntries, NothingForAPathNoCommandCanCarry) {
  for (const std::wstring& path : {std::wstring(), std::wstring(L"C:\\a\nb.exe"), std::wstring(L"C:\\a\tb.exe"),
                                  std::wstring(L"C:\\a\0b.exe", 10)}) {
    EXPECT_TRUE(RegistryEntries(path).empty());
  }
}

TEST(RegistryEntries, TheMessageNamesTheValue) {
  EXPECT_EQ(RegistryWriteError(L""), L"Failed to set data for ''");
  EXPECT_EQ(RegistryWriteError(L"Icon"), L"Failed to set data for 'Icon'");
}

}  // namespace
