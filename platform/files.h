#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// File-system services over text paths. Paths are UTF-16 like every other
// text of the program; on systems whose separator is '/', a '\' in a path is
// taken as a separator too, so a data folder written on Windows works as is.
namespace platform {

#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// A file (not a folder) exists at the path.
bool FileExists(std::u16string_view path);
bool FolderExists(std::u16string_view path);

// The path made absolute with "." and ".." steps resolved; a trailing
// separator stays.
std::u16string ResolvePath(std::u16string_view path);

// Creates the folder and its missing parents. On failure `reason` gets the
// operating system's explanation.
bool CreateFolders(std::u16string_view path, std::string* reason = nullptr);

// The whole file, read while others are kept from writing to it where the
// system allows that. Fails for a folder, an unreadable file and a file
// larger than `maxBytes`.
std::optional<std::string> ReadWholeFile(std::u16string_view path,
                                         std::size_t maxBytes = std::size_t{1} << 30,
                                         std::string* reason = nullptr);

// Writes the bytes to a temporary file beside the target and renames it over
// the target, so the target is either the old file or the new one, never a
// truncated mix.
bool WriteFileAtomically(std::u16string_view path, std::string_view bytes);

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
