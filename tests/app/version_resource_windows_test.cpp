// What Windows shows of velmar.exe (Explorer's properties, the taskbar): its
// version resource and its icon, read as the system reads them.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const std::wstring kProgram = [] {
  const std::string path = VELMAR_EXE;
  return std::wstring(path.begin(), path.end());
}();

std::wstring VersionText(const std::vector<char>& info, const wchar_t* name) {
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &size) || size < sizeof *translation) {
    return L"(no translation)";
  }
  wchar_t key[128];
  swprintf(key, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
           translation->codePage, name);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &size)) return L"(none)";
  return std::wstring(value);
}

TEST(VersionResource, NamesVelmarAtVersionOne) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(kProgram.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(kProgram.c_str(), 0, size, info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(VersionText(info, L"FileVersion"), L"1.0.0.0");
  EXPECT_EQ(VersionText(info, L"ProductVersion"), L"1.0.0.0");
  EXPECT_EQ(VersionText(info, L"CompanyName"), L"Velmar");
  EXPECT_EQ(VersionText(info, L"ProductName"), L"Velmar");
}

TEST(VersionResource, CarriesTheApplicationIconAtSeveralSizes) {
  const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(program);
  int groups = 0;
  EnumResourceNamesW(program, MAKEINTRESOURCEW(14),  // RT_GROUP_ICON
                     [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
                       ++*reinterpret_cast<int*>(count);
                       return TRUE;
                     },
                     reinterpret_cast<LONG_PTR>(&groups));
  int images = 0;
  EnumResourceNamesW(program, MAKEINTRESOURCEW(3),  // RT_ICON
                     [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) -> BOOL {
                       ++*reinterpret_cast<int*>(count);
                       return TRUE;
                     },
                     reinterpret_cast<LONG_PTR>(&images));
  FreeLibrary(program);
  EXPECT_EQ(groups, 1);
  EXPECT_GE(images, 2) << "one picture per icon size";
}

}  // namespace
