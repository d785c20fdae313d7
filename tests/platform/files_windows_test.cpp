// Files on Windows: what other programs' handles, the read-only attribute,
// devices, long and Cyrillic paths do to reading and saving.

#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

// Another program's handle on a file, with the sharing it allows.
class OtherHandle {
 public:
  OtherHandle(const fs::path& file, DWORD access, DWORD share)
      : handle_(CreateFileW(file.c_str(), access, share, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~OtherHandle() { Close(); }
  bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (Open()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_;
};

int EntryCount(const fs::path& folder) {
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
  return entries;
}

TEST(FilesWindows, ReadingFailsWhileAnotherProgramWritesTheFile) {
  TempFolder folder;
  const auto file = folder.write("games.json", "[]");
  {
    OtherHandle writer(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.Open());
    std::string reason;
    EXPECT_FALSE(platform::ReadWholeFile(ToText(file), 1 << 20, &reason));
    EXPECT_FALSE(reason.empty());
  }
  // A reader that lets others read is no obstacle, and once the writer is
  // gone the file reads.
  OtherHandle reader(file, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(reader.Open());
  EXPECT_EQ(platform::ReadWholeFile(ToText(file)), "[]");
}

TEST(FilesWindows, WhileTheFileIsReadOthersCannotWriteIt) {
  // The reading handle shares reading only: a writer that comes while it is
  // open is refused. ReadWholeFile keeps its handle inside, so its sharing is
  // shown by one opened the same way.
  TempFolder folder;
  const auto file = folder.write("favorites.json", "[1]");
  OtherHandle reading(file, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(reading.Open());
  OtherHandle writer(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
  EXPECT_FALSE(writer.Open());
  EXPECT_EQ(platform::ReadWholeFile(ToText(file)), "[1]");
}

TEST(FilesWindows, SaveThatMeetsAHeldFileFailsAndKeepsItByteForByte) {
  TempFolder folder;
  const auto file = folder.write("favorites.json", "old");
  OtherHandle holder(file, GENERIC_READ, FILE_SHARE_READ);  // no sharing of deletion
  ASSERT_TRUE(holder.Open());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(file), "new"));
  // Tried again for a moment, not for ever.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  holder.Close();
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(EntryCount(folder.path()), 1) << "a temporary file was left";
}

TEST(FilesWindows, SaveWaitsForAProgramThatHoldsTheFileForAMoment) {
  TempFolder folder;
  const auto file = folder.write("favorites.json", "old");
  auto holder = std::make_unique<OtherHandle>(file, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_TRUE(holder->Open());
  // A virus scanner lets go after a short look.
  std::thread scanner([&holder] {
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    holder->Close();
  });
  EXPECT_TRUE(platform::WriteFileAtomically(ToText(file), "new"));
  scanner.join();
  EXPECT_EQ(ReadBytes(file), "new");
  EXPECT_EQ(EntryCount(folder.path()), 1);
}

TEST(FilesWindows, AReadOnlyFileIsNotReplaced) {
  TempFolder folder;
  const auto file = folder.write("favorites.json", "old");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(file), "new"));
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(EntryCount(folder.path()), 1);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FilesWindows, AFolderThatRefusesNewFilesKeepsTheOldFile) {
  TempFolder folder;
  const auto settings = folder.path() / "Velmar";
  fs::create_directory(settings);
  const auto file = folder.write("Velmar/favorites.json", "old");
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
  // Nobody may add files to the folder.
  EXPLICIT_ACCESSW deny{};
  BuildExplicitAccessWithNameW(&deny, const_cast<wchar_t*>(L"EVERYONE"),
                               FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY, DENY_ACCESS, NO_INHERITANCE);
  PACL acl = nullptr;
  ASSERT_EQ(SetEntriesInAclW(1, &deny, nullptr, &acl), ERROR_SUCCESS);
  const DWORD set = SetNamedSecurityInfoW(const_cast<wchar_t*>(settings.c_str()), SE_FILE_OBJECT,
                                          DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
  LocalFree(acl);
  const auto probe = settings / "probe";
  const HANDLE probed = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (set != ERROR_SUCCESS || probed != INVALID_HANDLE_VALUE) {
    if (probed != INVALID_HANDLE_VALUE) CloseHandle(probed);
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    GTEST_SKIP() << "this system does not hold a folder to its permissions (Wine keeps the "
                    "permissions of Linux, which its root user passes)";
  }
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(file), "new"));
  EXPECT_EQ(ReadBytes(file), "old");
  EXPECT_EQ(EntryCount(settings), 1);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  SetNamedSecurityInfoW(const_cast<wchar_t*>(settings.c_str()), SE_FILE_OBJECT,
                        DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION, nullptr,
                        nullptr, nullptr, nullptr);
}

TEST(FilesWindows, DevicesAreNotFiles) {
  // NUL and CON answer to their name in every folder.
  TempFolder folder;
  for (const char16_t* name : {u"NUL", u"CON"}) {
    const std::u16string path = folder.text() + name;
    EXPECT_NE(platform::KindOf(path), platform::FileKind::Regular);
    EXPECT_FALSE(platform::ReadWholeFile(path));
    EXPECT_FALSE(platform::StampOf(path));
  }
}

TEST(FilesWindows, PathsLongerThanTheOldLimitWork) {
  TempFolder folder;
  std::u16string deep = folder.text();
  while (deep.size() < 320) deep += u"папка-с-длинным-именем\\";
  ASSERT_TRUE(platform::CreateFolders(deep));
  EXPECT_TRUE(platform::FolderExists(deep));
  const std::u16string file = deep + u"favorites.json";
  ASSERT_TRUE(platform::WriteFileAtomically(file, "[1]"));
  EXPECT_TRUE(platform::FileExists(file));
  EXPECT_EQ(platform::ReadWholeFile(file), "[1]");
  EXPECT_TRUE(platform::StampOf(file));
  EXPECT_EQ(platform::FindEntryIgnoringCase(deep, u"FAVORITES.JSON"), u"favorites.json");
  ASSERT_TRUE(platform::WriteFileAtomically(file, "[2]"));
  EXPECT_EQ(platform::ReadWholeFile(file), "[2]");
}

TEST(FilesWindows, BothSlashesSeparateAndTheNameOnDiskIsFound) {
  TempFolder folder;
  folder.write("assets/post/sub/Pixel-Drift.JPG", "x");
  EXPECT_TRUE(platform::FileExists(folder.text() + u"assets/post\\sub/Pixel-Drift.JPG"));
  // The system matches any letter case and tells the name as it is on disk.
  EXPECT_EQ(platform::FindEntryIgnoringCase(folder.text() + u"assets\\post\\sub", u"pixel-drift.jpg"),
            u"Pixel-Drift.JPG");
  EXPECT_EQ(platform::FindEntryIgnoringCase(folder.text() + u"assets\\post\\sub", u"*.JPG"), u"");
  EXPECT_EQ(platform::FindEntryIgnoringCase(folder.text() + u"assets\\post\\sub", u"none.jpg"), u"");
}

TEST(FilesWindows, SettingsBaseIsTheRoamingApplicationDataFolder) {
  const std::u16string base = platform::SettingsBaseFolder();
  ASSERT_FALSE(base.empty());
  EXPECT_TRUE(base.ends_with(u"\\AppData\\Roaming"));
  EXPECT_TRUE(platform::FolderExists(base));
}

TEST(FilesWindows, ExecutableFolderIsAPlainPath) {
  const std::u16string folder = platform::ExecutableFolder();
  EXPECT_FALSE(folder.starts_with(u"\\\\?\\"));
  EXPECT_EQ(folder.back(), u'\\');
  EXPECT_TRUE(platform::FileExists(folder + u"platform_services_test.exe"));
}

}  // namespace
