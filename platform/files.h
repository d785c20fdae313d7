#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// File-system services over text paths. Paths are UTF-16 like every other
// text of the program and are used as they are: a '\' is part of a name where
// the system says so. Only regular files are ever read or replaced: a FIFO,
// a device or a socket counts as "not there", so no call here can block or
// read forever.
namespace platform {

// The separator the system writes, and every one it reads.
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
inline constexpr std::u16string_view kPathSeparators = u"\\/";
#else
inline constexpr char16_t kPathSeparator = u'/';
inline constexpr std::u16string_view kPathSeparators = u"/";
#endif

// A folder as the program holds folders: the system's own separators, and
// one at the end.
std::u16string FolderPath(std::u16string_view path);

// What a path leads to, symbolic links followed.
enum class FileKind { Missing, Regular, Folder, Other };
FileKind KindOf(std::u16string_view path);

// What tells whether a regular file changed since it was last read: its
// size, its last modification and which file it is (device and inode, with
// the time its status last changed, on POSIX; volume, file index and change
// time on Windows), so that a file replaced by one of the same size and
// time, or rewritten in place with its old time put back, differs too.
// Nothing for anything but a regular file.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modifiedNanoseconds = 0;
  std::uint64_t volume = 0, file = 0;
  std::int64_t changedNanoseconds = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
std::optional<FileStamp> StampOf(std::u16string_view path);

// A regular file exists at the path.
bool FileExists(std::u16string_view path);
bool FolderExists(std::u16string_view path);

// The path with every symbolic link, "." and ".." resolved, or empty when a
// part of it does not exist.
std::u16string CanonicalPath(std::u16string_view path);

// `path` is `folder` itself or lies inside it; both canonical.
bool IsInsideFolder(std::u16string_view path, std::u16string_view folder);

// The name of the entry of `folder` that `name` means: `name` itself when it
// exists, else the one entry whose name equals it ignoring letter case. Empty
// when there is none or more than one, so the answer never depends on the
// order in which the system lists a folder.
std::u16string FindEntryIgnoringCase(std::u16string_view folder, std::u16string_view name);

// FindEntryIgnoringCase for many names in folders that do not change
// meanwhile (a check of a whole catalog): where the system cannot look a
// name up ignoring case, each folder's listing is read once and indexed.
class FolderIndex {
 public:
  FolderIndex();
  ~FolderIndex();
  FolderIndex(const FolderIndex&) = delete;
  FolderIndex& operator=(const FolderIndex&) = delete;
  std::u16string FindEntryIgnoringCase(std::u16string_view folder, std::u16string_view name);

 private:
  struct Listings;
  std::unique_ptr<Listings> listings_;
};

// How many times this process has read a folder's listing to look a name up.
std::size_t FolderListingsRead();

// The path made absolute with "." and ".." steps resolved; a trailing
// separator stays.
std::u16string ResolvePath(std::u16string_view path);

// Creates the folder and its missing parents. On failure `reason` gets the
// operating system's explanation.
bool CreateFolders(std::u16string_view path, std::string* reason = nullptr);

// The whole file, read while others are kept from writing to it where the
// system allows that. Fails for anything but a readable regular file of at
// most `maxBytes`; opening never waits for a writer (a FIFO swapped in after
// the check is refused, not waited on).
std::optional<std::string> ReadWholeFile(std::u16string_view path,
                                         std::size_t maxBytes = std::size_t{1} << 30,
                                         std::string* reason = nullptr);

// Writes the bytes to a temporary file beside the target ("<name>.XXXXXX"),
// checks every write, syncs it to the disk and renames it over the target, so
// the target is either the old file or the new one, never a truncated mix.
// True only when the new content is wholly on disk. A symbolic link is
// followed to the regular file it names; anything else that is not a regular
// file is never replaced, nor is a file that may not be written (read-only).
// Where the folder refuses new files but the target itself is writable, the
// target is rewritten in place instead, and put back as it was if that fails.
bool WriteFileAtomically(std::u16string_view path, std::string_view bytes);

// Removes what WriteFileAtomically leaves behind when the process is killed
// between creating its temporary and renaming it: regular files named
// "<name>.XXXXXX" beside `path` that were last written over a minute ago
// (a younger one may belong to another running copy of the program).
void RemoveLeftoverTemporaries(std::u16string_view path);

// The running executable's folder, with a trailing separator.
std::u16string ExecutableFolder();

// The per-user folder for application settings (Windows: the roaming
// application-data folder; Linux: $XDG_CONFIG_HOME or ~/.config; macOS:
// ~/Library/Application Support). Empty when the system does not say.
std::u16string SettingsBaseFolder();

// Test and tool seams: make ExecutableFolder or SettingsBaseFolder answer a
// given folder. An empty optional restores the system's answer.
void OverrideExecutableFolder(std::optional<std::u16string> folder);
void OverrideSettingsBaseFolder(std::optional<std::u16string> folder);

}  // namespace platform
