#include "files.h"

#include "files_system.h"
#include "utf8.h"
#include "windows_api.h"

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <random>

// Files on Windows, through the system's wide-character calls: a path goes
// from the program to the system as UTF-16, unchanged, and a long one in the
// "\\?\" form that lifts the old limit of 260 characters.
namespace platform {

namespace {

// Paths from this length on get the long form; CreateDirectoryW stops at
// 248 already.
constexpr std::size_t kLongPath = 240;

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The path as the wide calls take it. The long form turns off the system's
// own clean-up of '/' and ".." steps, so the path is made whole first.
std::wstring SystemPath(std::u16string_view path) {
  std::wstring wide = Wide(path);
  if (wide.size() < kLongPath || wide.starts_with(L"\\\\?\\")) return wide;
  const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return wide;
  std::wstring full(needed, L'\0');
  const DWORD length = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
  if (length == 0 || length >= needed) return wide;
  full.resize(length);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::string ErrorText(DWORD code) {
  wchar_t* message = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
  std::u16string text;
  if (length > 0 && message) text.assign(message, message + length);
  LocalFree(message);
  while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' ' ||
                           text.back() == u'.')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(code);
  return Utf16ToUtf8(text);
}

using windows::Handle;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// The file or folder at the path, links followed, opened only to look at;
// that needs no share with other handles.
HANDLE OpenToLookAt(const std::wstring& path) {
  return CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

struct Looked {
  FileKind kind = FileKind::Missing;
  BY_HANDLE_FILE_INFORMATION info{};
  // 100-nanosecond steps since 1601 of the last change of any kind, its
  // time put back included; 0 where the file system does not keep it.
  std::int64_t changed = 0;
};

Looked LookAt(const std::wstring& path) {
  Looked result;
  Handle file(OpenToLookAt(path));
  if (!file.Valid()) {
    // A file that may not be opened at all is still there.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
      result.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder
                                                                       : FileKind::Regular;
      result.info.dwFileAttributes = data.dwFileAttributes;
    }
    return result;
  }
  // Devices (NUL, CON, COM1, ...) answer to any name in any folder.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK ||
      !GetFileInformationByHandle(file.Get(), &result.info)) {
    result.kind = FileKind::Other;
    return result;
  }
  result.kind = (result.info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Folder
                                                                          : FileKind::Regular;
  FILE_BASIC_INFO basic{};
  if (GetFileInformationByHandleEx(file.Get(), FileBasicInfo, &basic, sizeof basic)) {
    result.changed = basic.ChangeTime.QuadPart;
  }
  return result;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Reads from the current position to the end, failing beyond `maxBytes`.
bool ReadToEnd(HANDLE file, std::string& bytes, std::size_t maxBytes, DWORD& error) {
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) {
      error = GetLastError();
      return false;
    }
    if (got == 0) return true;
    if (bytes.size() + got > maxBytes) {
      error = ERROR_FILE_TOO_LARGE;
      return false;
    }
    bytes.append(buffer, got);
  }
}

// A new file beside `target` named "<target>.XXXXXX", opened for writing
// and shared with nobody until it is closed.
HANDLE CreateTemporary(const std::wstring& target, std::wstring& name) {
  static constexpr wchar_t kLetters[] =
      L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kLetters) - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + L".";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  SetLastError(ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// Rewrites a file in place; on any failure its old content is written back.
bool RewriteInPlace(const std::wstring& target, std::string_view bytes) {
  Handle file(CreateFileW(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid() || GetFileType(file.Get()) != FILE_TYPE_DISK) return false;
  std::string old;
  DWORD error = 0;
  if (!ReadToEnd(file.Get(), old, std::size_t{1} << 30, error)) return false;
  auto writeFromStart = [&file](std::string_view content) {
    LARGE_INTEGER start{};
    return SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN) &&
           WriteAll(file.Get(), content) && SetEndOfFile(file.Get()) &&
           FlushFileBuffers(file.Get());
  };
  const bool written = writeFromStart(bytes);
  if (!written) writeFromStart(old);
  return file.Close() && written;
}

// Virus scanners, indexers and synchronising programs open a file for a
// moment; a replacement that meets one is tried again for this long.
constexpr auto kReplaceRetries = std::chrono::milliseconds(1000);

bool IsTransient(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_ACCESS_DENIED;
}

bool MoveOver(const std::wstring& from, const std::wstring& to) {
  const auto deadline = std::chrono::steady_clock::now() + kReplaceRetries;
  DWORD pause = 10;
  for (;;) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    if (!IsTransient(GetLastError()) || std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(pause);
    pause = std::min<DWORD>(pause * 2, 100);
  }
}

// The final path of an open file, in the long form.
std::wstring FinalPath(HANDLE file) {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
  return {};
}

}  // namespace

FileKind KindOf(std::u16string_view path) {
  if (path.empty()) return FileKind::Missing;
  return LookAt(SystemPath(path)).kind;
}

std::optional<FileStamp> StampOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  const Looked looked = LookAt(SystemPath(path));
  if (looked.kind != FileKind::Regular) return std::nullopt;
  const auto& info = looked.info;
  const std::uint64_t size = (std::uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow;
  // 100-nanosecond steps since 1601.
  const std::int64_t written = static_cast<std::int64_t>(
      (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime);
  return FileStamp{size, written * 100, info.dwVolumeSerialNumber,
                   (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow,
                   looked.changed * 100};
}

std::u16string FindEntryIgnoringCase(std::u16string_view folder, std::u16string_view name) {
  // Wildcards would be taken as a pattern; no file name holds them.
  if (name.empty() || name.find_first_of(u"*?") != std::u16string_view::npos) return {};
  std::u16string pattern(folder);
  if (!pattern.empty() && pattern.back() != u'\\' && pattern.back() != u'/') pattern += u'\\';
  pattern += name;
  // The system's own matching ignores letter case and answers the name as
  // it is on disk.
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileExW(SystemPath(pattern).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  return std::u16string(found.cFileName, found.cFileName + wcslen(found.cFileName));
}

// The system looks names up ignoring case itself; no folder is listed.
struct FolderIndex::Listings {};

FolderIndex::FolderIndex() = default;
FolderIndex::~FolderIndex() = default;

std::u16string FolderIndex::FindEntryIgnoringCase(std::u16string_view folder,
                                                  std::u16string_view name) {
  return platform::FindEntryIgnoringCase(folder, name);
}

std::size_t FolderListingsRead() { return 0; }

namespace system {

std::optional<std::string> ReadRegularFile(std::u16string_view path, std::size_t maxBytes,
                                           std::string* reason) {
  auto fail = [reason](std::string why) -> std::optional<std::string> {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  };
  // Others may read along but not write while the file is read; a file
  // another program holds open for writing is not opened at all.
  Handle file(CreateFileW(SystemPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return fail(ErrorText(GetLastError()));
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) return fail("not a regular file");
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) return fail(ErrorText(GetLastError()));
  if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return fail("file too large");
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  DWORD error = 0;
  if (!ReadToEnd(file.Get(), bytes, maxBytes, error)) {
    return fail(error == ERROR_FILE_TOO_LARGE ? "file too large" : ErrorText(error));
  }
  return bytes;
}

}  // namespace system

bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  std::wstring target = SystemPath(path);
  bool exists = false;
  {
    Handle existing(OpenToLookAt(target));
    if (existing.Valid()) {
      BY_HANDLE_FILE_INFORMATION info;
      if (GetFileType(existing.Get()) != FILE_TYPE_DISK ||
          !GetFileInformationByHandle(existing.Get(), &info) ||
          (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
      }
      // A file the user made read-only is theirs to keep as it is.
      if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) return false;
      exists = true;
      // A link is followed to the file it names, which is what is replaced.
      if (std::wstring final = FinalPath(existing.Get()); !final.empty()) target = std::move(final);
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      return false;
    }
  }
  std::wstring temporary;
  Handle file(CreateTemporary(target, temporary));
  if (!file.Valid()) {
    // A folder that refuses new files may still hold a writable target.
    if (exists && GetLastError() == ERROR_ACCESS_DENIED) return RewriteInPlace(target, bytes);
    return false;
  }
  const bool written = WriteAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
  if (!file.Close() || !written || !MoveOver(temporary, target)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

namespace system {

std::u16string ExecutablePath() {
  std::wstring path = windows::ExecutablePath();
  // The long form is the system's business; the program holds plain paths.
  if (path.starts_with(L"\\\\?\\UNC\\")) path = L"\\\\" + path.substr(8);
  else if (path.starts_with(L"\\\\?\\")) path = path.substr(4);
  return std::u16string(path.begin(), path.end());
}

std::u16string SettingsBase() {
  wchar_t buffer[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer) != S_OK) return {};
  return std::u16string(buffer, buffer + wcslen(buffer));
}

}  // namespace system

}  // namespace platform
