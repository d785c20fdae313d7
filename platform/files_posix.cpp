#include "files.h"

#include "files_system.h"
#include "qt_path.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QString>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __APPLE__
#include <mach-o/dyld.h>
#endif

// Files on Linux and the other POSIX systems.
namespace platform {

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
std::optional<FileStamp> StampOf(std::u16string_view path) {
  if (path.empty()) return std::nullopt;
  struct stat status {};
  if (stat(Native(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(status.st_size),
                   std::int64_t{status.st_mtim.tv_sec} * 1000000000 + status.st_mtim.tv_nsec,
                   static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
                   std::int64_t{status.st_ctim.tv_sec} * 1000000000 + status.st_ctim.tv_nsec};
}

namespace {

std::atomic<std::size_t> listingsRead{0};

QStringList ListFolder(const QDir& dir) {
  ++listingsRead;
  return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A name with each character case-folded as QString's case-insensitive
// comparison folds it: two names are equal ignoring case when these are.
QString Folded(const QString& name) {
  QString folded;
  folded.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    char32_t c = name[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < name.size() && name[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(name[i], name[i + 1]);
      ++i;
    }
    const char32_t f = QChar::toCaseFolded(c);
    if (QChar::requiresSurrogates(f)) {
      folded += QChar(QChar::highSurrogate(f));
      folded += QChar(QChar::lowSurrogate(f));
    } else {
      folded += QChar(char16_t(f));
    }
  }
  return folded;
}

}  // namespace

std::u16string FindEntryIgnoringCase(std::u16string_view folder, std::u16string_view name) {
  if (name.empty()) return {};
  const QDir dir(ToQtPath(folder));
  const QString wanted = ToQtPath(name);
  if (dir.exists(wanted)) return std::u16string(name);
  const QString key = Folded(wanted);
  QString found;
  int matches = 0;
  for (const QString& entry : ListFolder(dir)) {
    if (Folded(entry) == key) {
      found = entry;
      ++matches;
    }
  }
  if (matches != 1) return {};
  return FromQtPath(found);
}

// Each folder's entries: their names as they are, and by folded name the
// one entry of that name, or none when several fold alike.
struct FolderIndex::Listings {
  struct Folder {
    QSet<QString> names;
    QHash<QString, QString> folded;  // empty value: more than one
  };
  QHash<QString, Folder> folders;
};

FolderIndex::FolderIndex() : listings_(std::make_unique<Listings>()) {}
FolderIndex::~FolderIndex() = default;

std::u16string FolderIndex::FindEntryIgnoringCase(std::u16string_view folder,
                                                  std::u16string_view name) {
  if (name.empty()) return {};
  const QString path = ToQtPath(folder);
  auto at = listings_->folders.find(path);
  if (at == listings_->folders.end()) {
    Listings::Folder listing;
    for (const QString& entry : ListFolder(QDir(path))) {
      listing.names.insert(entry);
      const QString key = Folded(entry);
      const auto same = listing.folded.find(key);
      if (same == listing.folded.end()) listing.folded.insert(key, entry);
      else same->clear();
    }
    at = listings_->folders.insert(path, std::move(listing));
  }
  const QString wanted = ToQtPath(name);
  if (at->names.contains(wanted)) return std::u16string(name);
  const auto match = at->folded.constFind(Folded(wanted));
  return match == at->folded.cend() ? std::u16string() : FromQtPath(*match);
}

std::size_t FolderListingsRead() { return listingsRead; }

namespace system {

std::optional<std::string> ReadRegularFile(std::u16string_view path, std::size_t maxBytes,
                                           std::string* reason) {
  auto fail = [reason](std::string why) -> std::optional<std::string> {
    if (reason) *reason = std::move(why);
    return std::nullopt;
  };
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
}

}  // namespace system

bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  struct stat status {};
  bool exists = false;
  const auto target = WriteTarget(Native(path), status, exists);
  if (!target) return false;
  // A file the user made read-only is theirs to keep as it is, even where
  // the folder would let it be replaced (and for root, who may write it).
  if (exists && (!(status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) ||
                 faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0)) {
    return false;
  }
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
}

namespace system {

std::u16string ExecutablePath() {
  QString executable;
#ifdef __APPLE__
  char buffer[4096];
  uint32_t size = sizeof buffer;
  if (_NSGetExecutablePath(buffer, &size) == 0) executable = QString::fromUtf8(buffer);
#else
  char buffer[4096];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length > 0) executable = QString::fromUtf8(buffer, static_cast<qsizetype>(length));
#endif
  return FromQtPath(executable);
}

std::u16string SettingsBase() {
  auto environment = [](const char* name) -> QString {
    const char* value = std::getenv(name);
    return value ? QString::fromUtf8(value) : QString();
  };
#ifdef __APPLE__
  const QString home = environment("HOME");
  if (home.isEmpty()) return {};
  return FromQtPath(home + QStringLiteral("/Library/Application Support"));
#else
  const QString config = environment("XDG_CONFIG_HOME");
  if (QDir::isAbsolutePath(config)) return FromQtPath(config);
  const QString home = environment("HOME");
  if (home.isEmpty()) return {};
  return FromQtPath(home + QStringLiteral("/.config"));
#endif
}

}  // namespace system

}  // namespace platform
