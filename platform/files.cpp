#include "files.h"

#include "qt_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#include <share.h>
#include <stdio.h>
#elif defined(__APPLE__)
#include <mach-o/dyld.h>
#else
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

bool FileExists(std::u16string_view path) {
  if (path.empty()) return false;
  const QFileInfo info(ToQtPath(path));
  return info.exists() && !info.isDir();
}

bool FolderExists(std::u16string_view path) {
  if (path.empty()) return false;
  return QFileInfo(ToQtPath(path)).isDir();
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
  if (!FileExists(path)) return fail("no such file");
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
  QFile file(ToQtPath(path));
  if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString().toStdString());
  if (static_cast<unsigned long long>(file.size()) > maxBytes) return fail("file too large");
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(file.size()));
  qint64 total = 0;
  while (total < static_cast<qint64>(bytes.size())) {
    const qint64 got = file.read(bytes.data() + total, static_cast<qint64>(bytes.size()) - total);
    if (got < 0) return fail(file.errorString().toStdString());
    if (got == 0) break;
    total += got;
  }
  bytes.resize(static_cast<std::size_t>(total));
  // Files whose size is not known in advance (pipes, /proc) read on.
  char buffer[65536];
  qint64 got;
  while ((got = file.read(buffer, sizeof buffer)) > 0) {
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return fail("file too large");
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  if (got < 0) return fail(file.errorString().toStdString());
  return bytes;
#endif
}

bool WriteFileAtomically(std::u16string_view path, std::string_view bytes) {
  QSaveFile file(ToQtPath(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
      static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
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
