#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/files.h"
#include "support/scoped_environment.h"
#include "support/system.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

namespace fs = std::filesystem;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

TEST(Files, FileExistsIsTrueForFilesOnly) {
  TempFolder folder;
  const auto file = folder.write("a.json", "[]");
  fs::create_directory(folder.path() / "games.json");
  EXPECT_TRUE(platform::FileExists(ToText(file)));
  EXPECT_FALSE(platform::FileExists(ToText(folder.path() / "games.json")));
  EXPECT_FALSE(platform::FileExists(ToText(folder.path() / "missing")));
  EXPECT_FALSE(platform::FileExists(u""));
  EXPECT_TRUE(platform::FolderExists(ToText(folder.path() / "games.json")));
  EXPECT_FALSE(platform::FolderExists(ToText(file)));
}

TEST(Files, PathsAreUsedAsTheyAre) {
  TempFolder folder;
  folder.write("assets/post/sub/p.png", "x");
  const std::u16string windowsStyle = folder.text() + u"assets\\post\\sub\\p.png";
#ifdef _WIN32
  EXPECT_TRUE(platform::FileExists(windowsStyle));
#else
  // A folder name may hold a real backslash; only catalog file names are
  // split at one.
  EXPECT_FALSE(platform::FileExists(windowsStyle));
  folder.write("back\\slash/f.txt", "x");
  EXPECT_TRUE(platform::FileExists(folder.text() + u"back\\slash/f.txt"));
#endif
}

TEST(Files, ResolvePathRemovesDotStepsAndKeepsTrailingSeparator) {
  TempFolder folder;
  fs::create_directories(folder.path() / "bin" / "Release");
  const std::u16string sep(1, platform::kPathSeparator);
  const std::u16string start = folder.text() + u"bin" + sep + u"Release" + sep;
  EXPECT_EQ(platform::ResolvePath(start + u".." + sep + u".." + sep), folder.text());
  EXPECT_EQ(platform::ResolvePath(start + u".." + sep + u"." + sep + u"x"),
            folder.text() + u"bin" + sep + u"x");
}

TEST(Files, CreateFoldersMakesParentsAndExplainsFailure) {
  TempFolder folder;
  const auto deep = folder.path() / "a" / "b" / "c";
  EXPECT_TRUE(platform::CreateFolders(ToText(deep)));
  EXPECT_TRUE(fs::is_directory(deep));
  EXPECT_TRUE(platform::CreateFolders(ToText(deep)));  // already there

  const auto blocker = folder.write("file", "x");
  std::string reason;
  EXPECT_FALSE(platform::CreateFolders(ToText(blocker / "sub"), &reason));
  EXPECT_FALSE(reason.empty());
}

TEST(Files, ReadWholeFileReadsBytesAndRefusesWhatItCannot) {
  TempFolder folder;
  const std::string bytes("a\0b\xFF", 4);
  const auto file = folder.write("f.bin", bytes);
  EXPECT_EQ(platform::ReadWholeFile(ToText(file)), bytes);
  EXPECT_FALSE(platform::ReadWholeFile(ToText(folder.path())));           // a folder
  EXPECT_FALSE(platform::ReadWholeFile(ToText(folder.path() / "none")));  // missing
  EXPECT_FALSE(platform::ReadWholeFile(ToText(file), 3));                 // too large
  EXPECT_EQ(platform::ReadWholeFile(ToText(folder.write("empty", ""))), std::string());
}

TEST(Files, WriteFileAtomicallyReplacesWholeAndLeavesNoTemporary) {
  TempFolder folder;
  const auto file = folder.write("favorites.json", "old content that is longer");
  ASSERT_TRUE(platform::WriteFileAtomically(ToText(file), "new"));
  EXPECT_EQ(testing_support::ReadBytes(file), "new");
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(Files, FailedAtomicWriteKeepsTheOldFile) {
  TempFolder folder;
  // A folder that refuses new files, holding a file that refuses writing.
  const std::string failure = testing_support::RunUnprivileged(folder.path(), [&]() -> std::string {
    const auto settings = folder.path() / "settings";
    fs::create_directory(settings);
    const auto file = folder.write("settings/favorites.json", "old");
    fs::permissions(file, fs::perms::owner_read);
    fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_exec);
    if (platform::WriteFileAtomically(ToText(file), "new")) return "the save said true";
    if (testing_support::ReadBytes(file) != "old") return "the old content changed";
    if (platform::WriteFileAtomically(ToText(folder.path() / "missing" / "f"), "x")) {
      return "a save into a missing folder said true";
    }
    return {};
  });
  EXPECT_EQ(failure, "");
}

TEST(Files, AReadOnlyFileInAWritableFolderIsNotReplaced) {
  TempFolder folder;
  const std::string failure = testing_support::RunUnprivileged(folder.path(), [&]() -> std::string {
    const auto file = folder.write("favorites.json", "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (platform::WriteFileAtomically(ToText(file), "new")) return "the save said true";
    if (testing_support::ReadBytes(file) != "old") return "the old content changed";
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.path())) ++entries;
    if (entries != 1) return "a temporary file was left";
    // Made writable again by the user, it is saved as before.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    if (!platform::WriteFileAtomically(ToText(file), "new")) return "the writable file was not saved";
    return testing_support::ReadBytes(file) == "new" ? "" : "the saved content is wrong";
  });
  EXPECT_EQ(failure, "");
}

TEST(Files, ExecutableFolderHoldsThisTest) {
  const std::u16string folder = platform::ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), platform::kPathSeparator);
  EXPECT_TRUE(platform::FolderExists(folder));
}

TEST(Files, SettingsBaseFollowsXdgThenHome) {
  VELMAR_SKIP_ON_WINDOWS("XDG_CONFIG_HOME and HOME say where settings go on Linux; Windows has "
                         "SettingsBaseIsTheRoamingApplicationDataFolder");
  using testing_support::ScopedEnvironment;
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", "/tmp/cfg");
    EXPECT_EQ(platform::SettingsBaseFolder(), u"/tmp/cfg");
  }
  {
    ScopedEnvironment config("XDG_CONFIG_HOME", "relative");  // not absolute: ignored
    ScopedEnvironment home("HOME", "/home/u");
    EXPECT_EQ(platform::SettingsBaseFolder(), u"/home/u/.config");
  }
  ScopedEnvironment config("XDG_CONFIG_HOME", nullptr);
  ScopedEnvironment home("HOME", nullptr);
  EXPECT_EQ(platform::SettingsBaseFolder(), u"");
}

}  // namespace
