#include "files.h"

#include "qt_path.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#include <share.h>
#include <stdio.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#endif
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

std::u16string FromQt(const QString& text) {
  QString native = QDir::toNativeSeparators(text);
  return std::u16string(reinterpret_cast<const char16_t*>(native.utf16()),
                        static_cast<std::size_t>(native.size()));
}

std::optional<std::u16string>& ExecutableFolderOverride() {
  static std::optional<std::u16string> folder;
  return folder;
}

std::optional<std::u16string>& SettingsBaseOverride() {
  static std::optional<std::u16string> folder;
  return folder;
}

std::u16string WithTrailingSeparator(std::u16string path) {
  if (path.empty() || path.back() != kPathSeparator) path += kPathSeparator;
  return path;
}

}  // namespace

#ifndef _WIN32
namespace {

// The path's bytes as the system takes them.
std::string Native(std::u16string_view path) { return QFile::encodeName(ToQtPath(path)).toStdString(); }

std::string ErrorText(int code) { return std::strerror(code); }

bool WriteAll(int fd, std::string_view bytes, off_t at) {
  while (!bytes.empty()) {
    const ssize_t written = pwrite(fd, bytes.data(), bytes.size(), at);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
    at += written;
  }
  return true;
}

// fsync on a file system that cannot sync (some FUSE and special ones) is not
// a lost write.
bool SyncData(int fd) { return fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP; }

// The folder part of a native path, "." when it has none.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links from `path` to what a write should replace. Empty
// when that is something other than a regular file (or a place for a new
// one), or the links go round in circles.
std::optional<std::string> WriteTarget(std::string path, struct stat& status, bool& exists) {
  for (int hops = 0; hops < 40; ++hops) {
    if (lstat(path.c_str(), &status) != 0) {
      if (errno != ENOENT) return std::nullopt;
      exists = false;
      return path;
    }
    if (S_ISREG(status.st_mode)) {
      exists = true;
      return path;
    }
    if (!S_ISLNK(status.st_mode)) return std::nullopt;
    std::string link(4096, '\0');
    const ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) return std::nullopt;
    link.resize(static_cast<std::size_t>(length));
    path = link.front() == '/' ? link : FolderOf(path) + "/" + link;
  }
  return std::nullopt;
}

// A new file beside `target` with a name of the form "<target>.XXXXXX".
int CreateTemporary(const std::string& target, std::string& name) {
  static constexpr char kLetters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".";
    for (int i = 0; i < 6; ++i) name += kLetters[pick(random)];
    // 0666 lets the user's umask decide, as for any file the user creates.
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Rewrites a regular file in place; on any failure its old content is
// written back.
bool RewriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = open(target.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  struct stat status {};
  std::string old;
  bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  if (ok) {
    old.resize(static_cast<std::size_t>(status.st_size));
    std::size_t total = 0;
    while (ok && total < old.size()) {
      const ssize_t got = pread(fd, old.data() + total, old.size() - total, static_cast<off_t>(total));
      if (got < 0 && errno == EINTR) continue;
      ok = got > 0;
      if (ok) total += static_cast<std::size_t>(got);
    }
  }
  if (!ok) {
    close(fd);
    return false;
  }
  const bool written = WriteAll(fd, bytes, 0) &&
                       ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && SyncData(fd);
  if (!written) {
    // The old blocks are still allocated, so the old content fits back.
    WriteAll(fd, old, 0);
    [[maybe_unused]] const int ignored = ftruncate(fd, static_cast<off_t>(old.size()));
    SyncData(fd);
  }
  return close(fd) == 0 && written;
}

}  // namespace

FileKind KindOf(std::u16string_view path) {
  struct stat status {};
  if (path.empty() || stat(Native(path).c_str(), &status) != 0) return FileKind::Missing;
  if (S_ISREG(status.st_mode)) return FileKind::Regular;
  if (S_ISDIR(status.st_mode)) return FileKind::Folder;
  return FileKind::Other;
}
#else
FileKind KindOf(std::u16string_view path) {
  if (path.empty()) return FileKind::Missing;
  const QFileInfo info(ToQtPath(path));
  if (!info.exists()) return FileKind::Missing;
  if (info.isDir()) return FileKind::Folder;
  return info.isFile() ? FileKind::Regular : FileKind::Other;
}
#endif

std::optional<FileStamp> StampOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
#ifdef _WIN32
  const QFileInfo info(ToQtPath(path));
  if (!info.isFile()) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(info.size()),
                   info.lastModified().toMSecsSinceEpoch() * 1000000};
#else
  struct stat status {};
  if (stat(Native(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(status.st_size),
                   std::int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec};
#endif
}

bool FileExists(std::u16string_view path) { return KindOf(path) == FileKind::Regular; }

bool FolderExists(std::u16string_view path) { return KindOf(path) == FileKind::Folder; }

std::u16string CanonicalPath(std::u16string_view path) {
  if (path.empty()) return {};
  const QString canonical = QFileInfo(ToQtPath(path)).canonicalFilePath();
  return canonical.isEmpty() ? std::u16string() : FromQt(canonical);
}

bool IsInsideFolder(std::u16string_view path, std::u16string_view folder) {
  if (folder.empty() || path.size() < folder.size() || path.substr(0, folder.size()) != folder) {
    return false;
  }
  return path.size() == folder.size() || folder.back() == kPathSeparator ||
         path[folder.size()] == kPathSeparator;
}

std::u16string FindEntryIgnoringCase(std::u16string_view folder, std::u16string_view name) {
  if (name.empty()) return {};
  const QDir dir(ToQtPath(folder));
  const QString wanted = ToQtPath(name);
  if (dir.exists(wanted)) return std::u16string(name);
  QString found;
  int matches = 0;
  const QStringList entries =
      dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (const QString& entry : entries) {
    if (entry.compare(wanted, Qt::CaseInsensitive) == 0) {
      found = entry;
      ++matches;
    }
  }
  if (matches != 1) return {};
  return std::u16string(reinterpret_cast<const char16_t*>(found.utf16()),
                        static_cast<std::size_t>(found.size()));
}

std::u16string ResolvePath(std::u16string_view path) {
  const QString text = ToQtPath(path);
  const bool trailing = text.endsWith(QLatin1Char('/'));
  QString resolved = QDir::cleanPath(QDir(text).absolutePath());
  std::u16string result = FromQt(resolved);
  return trailing ? WithTrailingSeparator(std::move(result)) : result;
}

bool CreateFolders(std::u16string_view path, std::string* reason) {
  const QString text = ToQtPath(path);
  if (QFileInfo(text).isDir()) return true;
  if (QDir().mkpath(text) && QFileInfo(text).isDir()) return true;
  if (reason) {
    // mkpath keeps errno from the call that failed; a file standing in the
    // way leaves no errno worth reporting.
    const int code = errno;
    *reason = code != 0 ? std::strerror(code) : "the path is taken by a file";
  }
  return false;
}

std::optional<std::string> ReadWholeFile(std::u16string_view path, std::size_t maxBytes,
                                         std::string* reason) {
  auto fail = [reason](std::string why) -> std::optional<std::string> {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  };
  switch (KindOf(path)) {
    case FileKind::Missing:
      return fail("no such file");
    case FileKind::Folder:
      return fail("is a folder");
    case FileKind::Other:
      return fail("not a regular file");
    case FileKind::Regular:
      break;
  }
#ifdef _WIN32
  const std::wstring wide(path.begin(), path.end());
  FILE* file = _wfsopen(wide.c_str(), L"rb", _SH_DENYWR);
  if (!file) return fail(std::strerror(errno));
  std::string bytes;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + got > maxBytes) {
      std::fclose(file);
      return fail("file too large");
    }
    bytes.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return fail("read error");
  return bytes;
#else
  // Non-blocking, so that a FIFO put in the file's place after the check
  // above does not wait for a writer; its kind is then refused below.
  const int fd = open(Native(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return fail(ErrorText(errno));
  struct Closer {
    int fd;
    ~Closer() { close(fd); }
  } closer{fd};
  struct stat status {};
  if (fstat(fd, &status) != 0) return fail(ErrorText(errno));
  if (!S_ISREG(status.st_mode)) return fail("not a regular file");
  if (static_cast<unsigned long long>(status.st_size) > maxBytes) return fail("file too large");
  std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
  std::size_t total = 0;
  while (total < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + total, bytes.size() - total);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(ErrorText(errno));
    if (got == 0) break;  // the file shrank while it was read
    total += static_cast<std::size_t>(got);
  }
  bytes.resize(total);
  // A file that grows while it is read is read on, up to the limit.
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(ErrorText(errno));
    if (got == 0) break;
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return fail("file too large");
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
#endif
}

bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
#ifdef _WIN32
  QSaveFile file(ToQtPath(path));
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
#else
  struct stat status {};
  bool exists = false;
  const auto target = WriteTarget(Native(path), status, exists);
  if (!target) return false;
  std::string temporary;
  const int fd = CreateTemporary(*target, temporary);
  if (fd < 0) {
    // A folder that refuses new files may still hold a writable target.
    if (exists && (errno == EACCES || errno == EPERM)) return RewriteInPlace(*target, bytes);
    return false;
  }
  bool ok = WriteAll(fd, bytes, 0) && SyncData(fd);
  // The replacement keeps the permissions the user gave the old file.
  if (ok && exists) fchmod(fd, status.st_mode & 07777);
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temporary.c_str(), target->c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const int folder = open(FolderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
#endif
}

void RemoveLeftoverTemporaries(std::u16string_view path) {
  const QFileInfo target(ToQtPath(path));
  const QDir dir = target.absoluteDir();
  const QString prefix = target.fileName() + QLatin1Char('.');
  const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-60);
  const QStringList entries = dir.entryList({prefix + QStringLiteral("??????")},
                                            QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
  for (const QString& entry : entries) {
    const QString suffix = entry.mid(prefix.size());
    const bool ours = std::all_of(suffix.begin(), suffix.end(), [](QChar c) {
      return c.unicode() < 128 && std::isalnum(static_cast<unsigned char>(c.unicode()));
    });
    const QFileInfo info(dir.filePath(entry));
    if (ours && !info.isSymLink() && info.isFile() && info.lastModified().toUTC() < before) {
      QFile::remove(info.filePath());
    }
  }
}

void OverrideExecutableFolder(std::optional<std::u16string> folder) {
  ExecutableFolderOverride() = std::move(folder);
}

void OverrideSettingsBaseFolder(std::optional<std::u16string> folder) {
  SettingsBaseOverride() = std::move(folder);
}

std::u16string ExecutableFolder() {
  if (const auto& folder = ExecutableFolderOverride()) return WithTrailingSeparator(*folder);
  QString executable;
#ifdef _WIN32
  wchar_t buffer[32768];
  const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
  executable = QString::fromWCharArray(buffer, static_cast<qsizetype>(length));
#elif defined(__APPLE__)
  char buffer[4096];
  uint32_t size = sizeof buffer;
  if (_NSGetExecutablePath(buffer, &size) == 0) executable = QString::fromUtf8(buffer);
#else
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length > 0) executable = QString::fromUtf8(buffer, static_cast<qsizetype>(length));
#endif
  if (executable.isEmpty()) return WithTrailingSeparator(FromQt(QDir::currentPath()));
  return WithTrailingSeparator(FromQt(QFileInfo(executable).absolutePath()));
}

std::u16string SettingsBaseFolder() {
  if (const auto& folder = SettingsBaseOverride()) return *folder;
#ifdef _WIN32
  wchar_t buffer[MAX_PATH];
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer) != S_OK) return {};
  return FromQt(QString::fromWCharArray(buffer));
#else
  auto environment = [](const char* name) -> QString {
    const char* value = std::getenv(name);
    return value ? QString::fromUtf8(value) : QString();
  };
#ifdef __APPLE__
  const QString home = environment("HOME");
  if (home.isEmpty()) return {};
  return FromQt(home + QStringLiteral("/Library/Application Support"));
#else
  const QString config = environment("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(config)) return FromQt(config);
  const QString home = environment("HOME");
  if (home.isEmpty()) return {};
  return FromQt(home + QStringLiteral("/.config"));
#endif
#endif
}

}  // namespace platform
