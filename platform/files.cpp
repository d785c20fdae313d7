#include "files.h"

#include "files_system.h"
#include "qt_path.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

// What is the same on every system; the rest is in files_posix.cpp and
// files_windows.cpp.
namespace platform {

namespace {

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

std::u16string FolderPath(std::u16string_view path) {
  std::u16string folder(path);
  for (char16_t& unit : folder) {
    if (kPathSeparators.find(unit) != std::u16string_view::npos) unit = kPathSeparator;
  }
  return WithTrailingSeparator(std::move(folder));
}

bool FileExists(std::u16string_view path) { return KindOf(path) == FileKind::Regular; }

bool FolderExists(std::u16string_view path) { return KindOf(path) == FileKind::Folder; }

std::optional<std::string> ReadWholeFile(std::u16string_view path, std::size_t maxBytes,
                                         std::string* reason) {
  const char* refused = nullptr;
  switch (KindOf(path)) {
    case FileKind::Missing:
      refused = "no such file";
      break;
    case FileKind::Folder:
      refused = "is a folder";
      break;
    case FileKind::Other:
      refused = "not a regular file";
      break;
    case FileKind::Regular:
      return system::ReadRegularFile(path, maxBytes, reason);
  }
  if (reason) *reason = refused;
  return std::nullopt;
}

std::u16string CanonicalPath(std::u16string_view path) {
  if (path.empty()) return {};
  const QString canonical = QFileInfo(ToQtPath(path)).canonicalFilePath();
  return canonical.isEmpty() ? std::u16string() : FromQtPath(canonical);
}

bool IsInsideFolder(std::u16string_view path, std::u16string_view folder) {
  if (folder.empty() || path.size() < folder.size() || path.substr(0, folder.size()) != folder) {
    return false;
  }
  return path.size() == folder.size() || folder.back() == kPathSeparator ||
         path[folder.size()] == kPathSeparator;
}

std::u16string ResolvePath(std::u16string_view path) {
  const QString text = ToQtPath(path);
  const bool trailing =
      !path.empty() && kPathSeparators.find(path.back()) != std::u16string_view::npos;
  QString resolved = QDir::cleanPath(QDir(text).absolutePath());
  std::u16string result = FromQtPath(resolved);
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
  const std::u16string executable = system::ExecutablePath();
  if (executable.empty()) return WithTrailingSeparator(FromQtPath(QDir::currentPath()));
  return WithTrailingSeparator(FromQtPath(QFileInfo(ToQtPath(executable)).absolutePath()));
}

std::u16string SettingsBaseFolder() {
  if (const auto& folder = SettingsBaseOverride()) return *folder;
  return system::SettingsBase();
}

}  // namespace platform
