// What Windows shows of velmar.exe (Explorer's properties, the taskbar): its
// version resource and its icon, read as the system reads them.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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

// The resource `id` of `type` in velmar.exe, as bytes; empty when absent.
std::string Resource(const wchar_t* type, const wchar_t* id) {
  const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return {};
  std::string bytes;
  if (const HRSRC found = FindResourceW(program, id, type)) {
    const HGLOBAL loaded = LoadResource(program, found);
    const char* data = static_cast<const char*>(LockResource(loaded));
    if (data) bytes.assign(data, SizeofResource(program, found));
  }
  FreeLibrary(program);
  return bytes;
}

int ResourceCount(const wchar_t* type) {
  const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return -1;
  int count = 0;
  EnumResourceNamesW(program, type,
                     [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR counter) -> BOOL {
                       ++*reinterpret_cast<int*>(counter);
                       return TRUE;
                     },
                     reinterpret_cast<LONG_PTR>(&count));
  FreeLibrary(program);
  return count;
}

const wchar_t* const kIconType = MAKEINTRESOURCEW(3);        // RT_ICON
const wchar_t* const kIconGroupType = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON
const wchar_t* const kManifestType = MAKEINTRESOURCEW(24);   // RT_MANIFEST

TEST(VersionResource, CarriesTheApplicationIconFrom16To256Pixels) {
  ASSERT_EQ(ResourceCount(kIconGroupType), 1);
  // The group lists its pictures: a 6-byte head, then 14 bytes a picture
  // whose first byte is the width (0 for 256).
  const HMODULE program = LoadLibraryExW(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_TRUE(program);
  std::wstring groupName;
  EnumResourceNamesW(program, kIconGroupType,
                     [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) -> BOOL {
                       auto* text = reinterpret_cast<std::wstring*>(out);
                       *text = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(LOWORD(name)) : name;
                       return FALSE;
                     },
                     reinterpret_cast<LONG_PTR>(&groupName));
  FreeLibrary(program);
  const std::string group =
      groupName.starts_with(L"#")
          ? Resource(kIconGroupType, MAKEINTRESOURCEW(std::stoi(groupName.substr(1))))
          : Resource(kIconGroupType, groupName.c_str());
  ASSERT_GE(group.size(), 6u);
  const int count = static_cast<unsigned char>(group[4]) | static_cast<unsigned char>(group[5]) << 8;
  ASSERT_EQ(group.size(), 6u + 14u * count);
  std::vector<int> widths;
  for (int i = 0; i < count; ++i) {
    const int width = static_cast<unsigned char>(group[6 + 14 * i]);
    widths.push_back(width == 0 ? 256 : width);
  }
  std::sort(widths.begin(), widths.end());
  EXPECT_EQ(widths, (std::vector<int>{16, 32, 48, 64, 256}));
  EXPECT_EQ(ResourceCount(kIconType), count);
}

TEST(VersionResource, CarriesOneManifestWithWhatWindowsAsks) {
  EXPECT_EQ(ResourceCount(kManifestType), 1);
  const std::string manifest = Resource(kManifestType, MAKEINTRESOURCEW(1));
  for (const char* part : {
           "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
           "PerMonitorV2</dpiAwareness>",
           "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",
           "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
           "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true"
           "</longPathAware>"}) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

}  // namespace
