// Files that are not what they seem: pipes and devices where a file should
// be, links, a full disk, a folder that refuses new files, leftovers of a
// killed save.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

#ifndef _WIN32

namespace fs = std::filesystem;
using platform::FileKind;
using testing_support::ReadBytes;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

fs::path MakeFifo(const TempFolder& folder, const char* name) {
  const fs::path path = folder.path() / name;
  if (mkfifo(path.c_str(), 0600) != 0) ADD_FAILURE() << "mkfifo " << path;
  return path;
}

fs::path Link(const TempFolder& folder, const char* name, const fs::path& to) {
  const fs::path path = folder.path() / name;
  fs::create_symlink(to, path);
  return path;
}

bool IsFifo(const fs::path& path) { return fs::is_fifo(fs::symlink_status(path)); }

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(HostileFiles, KindOfTellsRegularFilesFromEverythingElse) {
  TempFolder folder;
  const auto file = folder.write("file", "x");
  const auto fifo = MakeFifo(folder, "fifo");
  const struct {
    fs::path path;
    FileKind kind;
  } cases[] = {
      {file, FileKind::Regular},
      {folder.path(), FileKind::Folder},
      {fifo, FileKind::Other},
      {"/dev/zero", FileKind::Other},
      {Link(folder, "to-file", file), FileKind::Regular},
      {Link(folder, "to-fifo", fifo), FileKind::Other},
      {Link(folder, "to-nothing", folder.path() / "none"), FileKind::Missing},
      {folder.path() / "none", FileKind::Missing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::KindOf(ToText(c.path)), c.kind) << c.path;
    EXPECT_EQ(platform::FileExists(ToText(c.path)), c.kind == FileKind::Regular) << c.path;
  }
}

// Each of these would block for ever (a pipe without a writer) or read up
// to the size limit (a device without end) if it were opened as a file.
TEST(HostileFiles, ReadWholeFileRefusesWhatIsNotARegularFileWithoutWaiting) {
  TempFolder folder;
  const auto fifo = MakeFifo(folder, "fifo");
  for (const fs::path& path :
       {fifo, Link(folder, "to-fifo", fifo), fs::path("/dev/zero"), Link(folder, "zero", "/dev/zero")}) {
    std::string reason;
    EXPECT_FALSE(platform::ReadWholeFile(ToText(path), std::size_t{1} << 30, &reason)) << path;
    EXPECT_EQ(reason, "not a regular file") << path;
  }
}

TEST(HostileFiles, SaveFollowsLinksOnlyToRegularFiles) {
  TempFolder folder;
  const auto real = folder.write("real.json", "old");
  const auto fifo = MakeFifo(folder, "fifo");
  const auto link = Link(folder, "link.json", real);
  const auto chain = Link(folder, "chain.json", link);
  const auto dangling = Link(folder, "dangling.json", folder.path() / "created.json");
  const auto toFifo = Link(folder, "to-fifo.json", fifo);
  const auto loop = Link(folder, "loop-a", folder.path() / "loop-b");
  Link(folder, "loop-b", loop);

  EXPECT_TRUE(platform::WriteFileAtomically(ToText(link), "through a link"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "through a link");

  EXPECT_TRUE(platform::WriteFileAtomically(ToText(chain), "through two links"));
  EXPECT_TRUE(fs::is_symlink(chain) && fs::is_symlink(link));
  EXPECT_EQ(ReadBytes(real), "through two links");

  EXPECT_TRUE(platform::WriteFileAtomically(ToText(dangling), "new file"));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(ReadBytes(folder.path() / "created.json"), "new file");

  EXPECT_FALSE(platform::WriteFileAtomically(ToText(fifo), "x"));
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(toFifo), "x"));
  EXPECT_TRUE(IsFifo(fifo));
  EXPECT_TRUE(fs::is_symlink(toFifo));
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(loop), "x"));
  EXPECT_FALSE(platform::WriteFileAtomically(ToText(folder.path()), "x"));

  EXPECT_EQ(Entries(folder.path()),
            (std::vector<std::string>{"chain.json", "created.json", "dangling.json", "fifo",
                                      "link.json", "loop-a", "loop-b", "real.json",
                                      "to-fifo.json"}));
}

TEST(HostileFiles, SaveKeepsTheFilePermissions) {
  TempFolder folder;
  const auto file = folder.write("favorites.json", "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(platform::WriteFileAtomically(ToText(file), "new"));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The folder refuses the temporary file; the file itself may be written.
TEST(HostileFiles, FolderThatRefusesNewFilesGetsTheFileRewrittenInPlace) {
  TempFolder folder;
  const std::string failure = testing_support::RunUnprivileged(folder.path(), [&]() -> std::string {
    const auto settings = folder.path() / "settings";
    fs::create_directory(settings);
    const auto file = folder.write("settings/favorites.json", "old content, longer than the new");
    fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_exec);
    if (!platform::WriteFileAtomically(ToText(file), "[1,2]")) return "the in-place save failed";
    if (ReadBytes(file) != "[1,2]") return "in place: wrote " + ReadBytes(file);
    if (!platform::WriteFileAtomically(ToText(file), "[1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16]")) {
      return "a longer in-place save failed";
    }
    if (ReadBytes(file) != "[1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16]") return "longer: wrong bytes";
    if (Entries(settings) != std::vector<std::string>{"favorites.json"}) return "files were left";
    return {};
  });
  EXPECT_EQ(failure, "");
}

// A write the system refuses part-way (here: beyond the process's file size
// limit) must not reach the file, and the save must say so.
TEST(HostileFiles, WriteRefusedPartWayKeepsTheOldFile) {
  TempFolder folder;
  const std::string old(3000, 'o');
  const auto file = folder.write("favorites.json", old);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const bool saved_ok = platform::WriteFileAtomically(ToText(file), std::string(8004, 'n'));
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(Entries(folder.path()), std::vector<std::string>{"favorites.json"});
}

// A small file system of its own, mounted for one test.
class SmallDisk {
 public:
  explicit SmallDisk(const fs::path& at) : at_(at) {
    fs::create_directory(at_);
    mounted_ = mount("tmpfs", at_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount2(at_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

  // Fills the disk, then frees `keepFree` bytes of it again.
  void Fill(std::size_t keepFree) {
    const auto filler = at_ / "filler";
    {
      FILE* out = std::fopen(filler.c_str(), "wb");
      const std::string block(4096, 'f');
      while (std::fwrite(block.data(), 1, block.size(), out) == block.size() && std::fflush(out) == 0) {
      }
      std::fclose(out);
    }
    const auto size = fs::file_size(filler);
    fs::resize_file(filler, size > keepFree ? size - keepFree : 0);
  }

 private:
  fs::path at_;
  bool mounted_ = false;
};

TEST(HostileFiles, FullDiskKeepsTheOldFileAndSaysFalse) {
  TempFolder folder;
  SmallDisk disk(folder.path() / "disk");
  if (!disk.mounted()) {
    GTEST_SKIP() << "mounting a small tmpfs needs root; the full-disk case is not run";
  }
  // 8,004 bytes of favourites: about a thousand ids.
  std::string old = "\xEF\xBB\xBF[";
  for (int id = 1000; old.size() < 8003; ++id) old += std::to_string(id) + ",";
  old.resize(8003);
  old += "]";
  const auto file = folder.write("disk/favorites.json", old);
  std::string newer = old;
  newer[5] = '9';

  for (std::size_t free : {std::size_t{4096}, std::size_t{0}}) {
    disk.Fill(free);
    EXPECT_FALSE(platform::WriteFileAtomically(ToText(file), newer)) << free << " bytes free";
    EXPECT_EQ(ReadBytes(file), old) << free << " bytes free";
    EXPECT_EQ(Entries(folder.path() / "disk"), (std::vector<std::string>{"favorites.json", "filler"}));
    fs::remove(folder.path() / "disk" / "filler");
  }
  EXPECT_TRUE(platform::WriteFileAtomically(ToText(file), newer));
  EXPECT_EQ(ReadBytes(file), newer);
}

TEST(HostileFiles, LeftoverTemporariesOfOurOwnNamingAreRemoved) {
  TempFolder folder;
  const auto target = folder.write("favorites.json", "[1]");
  const auto age = [&](const char* name, int seconds) {
    const auto path = folder.write(name, "[1,2]");
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds));
  };
  age("favorites.json.aB3dE9", 120);   // ours, from a killed save: removed
  age("favorites.json.Zz0000", 3600);  // ours: removed
  age("favorites.json.Qw12er", 5);     // may be another copy's save going on: kept
  age("favorites.json.bak", 3600);     // not our naming: kept
  age("favorites.json.aB3dE9x", 3600); // seven characters: kept
  age("favorites.json.aB-dE9", 3600);  // not a letter or digit: kept
  age("other.json.aB3dE9", 3600);      // another file's: kept
  fs::create_directory(folder.path() / "favorites.json.FOLDER");
  Link(folder, "favorites.json.LiNk00", target);  // a link: kept, the file it names too

  platform::RemoveLeftoverTemporaries(ToText(target));
  EXPECT_EQ(Entries(folder.path()),
            (std::vector<std::string>{"favorites.json", "favorites.json.FOLDER",
                                      "favorites.json.LiNk00", "favorites.json.Qw12er",
                                      "favorites.json.aB-dE9", "favorites.json.aB3dE9x",
                                      "favorites.json.bak", "other.json.aB3dE9"}));
  EXPECT_EQ(ReadBytes(target), "[1]");
}

}  // namespace

#else

TEST(HostileFiles, AreAboutPosixThings) {
  GTEST_SKIP() << "FIFOs, devices under /dev, chmod, a full tmpfs and running as root are POSIX "
                  "things; files_windows_test.cpp has the Windows cases (share modes, locked and "
                  "read-only files, devices, long paths)";
}

#endif  // !_WIN32
