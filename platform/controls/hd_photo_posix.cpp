#include "platform/controls/hd_photo_system.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/hd_photo.h"
#include "platform/controls/picture.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <JXRGlue.h>
// The library's header defines these as macros.
#undef min
#undef max

namespace fmx {

namespace {

void Check(ERR result, const char* step) {
  if (result < 0) throw EPictureError(std::string("HD Photo: ") + step + " failed (" +
                                      std::to_string(result) + ")");
}

// Pixel formats that map onto an image format as they are.
QImage::Format ImageFormatOf(const PKPixelFormatGUID& format) {
  auto is = [&format](const PKPixelFormatGUID& other) {
    return std::memcmp(&format, &other, sizeof format) == 0;
  };
  if (is(GUID_PKPixelFormat32bppRGBA)) return QImage::Format_RGBA8888;
  if (is(GUID_PKPixelFormat32bppPRGBA)) return QImage::Format_RGBA8888_Premultiplied;
  if (is(GUID_PKPixelFormat24bppRGB)) return QImage::Format_RGB888;
  if (is(GUID_PKPixelFormat24bppBGR)) return QImage::Format_BGR888;
  if (is(GUID_PKPixelFormat8bppGray)) return QImage::Format_Grayscale8;
  return QImage::Format_Invalid;
}

// The format to convert to: the picture's own when it maps, else the first
// one-step conversion that does, those keeping transparency first.
const PKPixelFormatGUID* TargetFormat(const PKPixelFormatGUID& source) {
  if (ImageFormatOf(source) != QImage::Format_Invalid) return &source;
  const PKPixelFormatGUID* best = nullptr;
  for (U32 i = 0;; ++i) {
    const PKPixelFormatGUID* target = nullptr;
    if (PKFormatConverter_EnumConversions(&source, i, &target) < 0 || !target) break;
    const QImage::Format format = ImageFormatOf(*target);
    if (format == QImage::Format_Invalid) continue;
    if (format == QImage::Format_RGBA8888 || format == QImage::Format_RGBA8888_Premultiplied) {
      return target;
    }
    if (!best) best = target;
  }
  return best;
}

std::size_t BytesPerLine(const PKPixelFormatGUID& format, std::size_t width) {
  PKPixelInfo info{};
  info.pGUIDPixFmt = &format;
  Check(PixelFormatLookup(&info, LOOKUP_FORWARD), "pixel format lookup");
  const std::size_t bits = info.cbitUnit;
  return info.bdBitDepth == BD_1 ? (bits * width + 7) / 8 : (bits + 7) / 8 * width;
}

// The library's objects, released in reverse order however decoding ends.
struct Decoding {
  WMPStream* stream = nullptr;
  PKImageDecode* decoder = nullptr;
  PKFormatConverter* converter = nullptr;
  void* pixels = nullptr;
  ~Decoding() {
    if (pixels) PKFreeAligned(&pixels);
    if (converter) converter->Release(&converter);
    if (decoder) decoder->Release(&decoder);
    if (stream) stream->Close(&stream);
  }
};

// The decoded picture, as plain bytes: the child process that decodes it
// hands it over through a pipe.
struct Pixels {
  std::int32_t width = 0, height = 0;
  std::int32_t format = QImage::Format_Invalid;
  std::uint64_t stride = 0;
  std::vector<char> data;
};

Pixels DecodePixels(std::string_view bytes) {
  Decoding d;
  // The stream only reads from the buffer.
  Check(CreateWS_Memory(&d.stream, const_cast<char*>(bytes.data()), bytes.size()), "opening");
  Check(PKCodecFactory_CreateCodec(&IID_PKImageWmpDecode, reinterpret_cast<void**>(&d.decoder)),
        "creating the decoder");
  Check(d.decoder->Initialize(d.decoder, d.stream), "reading the header");
  I32 width = 0, height = 0;
  Check(d.decoder->GetSize(d.decoder, &width, &height), "reading the size");
  if (width <= 0 || height <= 0 || width > 32768 || height > 32768) {
    throw EPictureError("HD Photo: unsupported picture size");
  }
  PKPixelFormatGUID source;
  Check(d.decoder->GetPixelFormat(d.decoder, &source), "reading the pixel format");
  const PKPixelFormatGUID* target = TargetFormat(source);
  if (!target) throw EPictureError("HD Photo: unsupported pixel format");
  const PKPixelFormatGUID wanted = *target;
  // The picture as it will be held, checked before anything is decoded.
  const std::uint64_t pixelBytes =
      std::uint64_t{BytesPerLine(wanted, static_cast<std::size_t>(width))} *
      static_cast<std::uint64_t>(height);
  if (pixelBytes > kMaxHdPhotoPixelBytes) {
    throw EPictureError(HdPhotoTooLarge(std::uint64_t(width), std::uint64_t(height)));
  }
  Check(PKCodecFactory_CreateFormatConverter(&d.converter), "creating the converter");
  Check(d.converter->Initialize(d.converter, d.decoder, nullptr, wanted), "preparing the conversion");

  // Lines are decoded in the picture's format and converted in place, so a
  // line holds the wider of the two. The decoder works in blocks of 16 lines.
  const auto w = static_cast<std::size_t>(width);
  const std::size_t stride =
      (std::max(BytesPerLine(source, w), BytesPerLine(wanted, w)) + 127) / 128 * 128;
  const std::size_t lines = (static_cast<std::size_t>(height) + 15) / 16 * 16;
  if (stride > (std::size_t{1} << 30) / lines) throw EPictureError("HD Photo: picture too large");
  Check(PKAllocAligned(&d.pixels, stride * lines, 128), "allocating");
  const PKRect all{0, 0, width, height};
  Check(d.converter->Copy(d.converter, &all, static_cast<U8*>(d.pixels), static_cast<U32>(stride)),
        "decoding");

  Pixels pixels;
  pixels.width = width;
  pixels.height = height;
  pixels.format = ImageFormatOf(wanted);
  pixels.stride = stride;
  const char* first = static_cast<const char*>(d.pixels);
  pixels.data.assign(first, first + stride * static_cast<std::size_t>(height));
  return pixels;
}

QImage ToImage(const Pixels& pixels) {
  const QImage view(reinterpret_cast<const uchar*>(pixels.data.data()), pixels.width,
                    pixels.height, static_cast<qsizetype>(pixels.stride),
                    static_cast<QImage::Format>(pixels.format));
  return view.copy();
}

// What the child reports before the pixels.
struct Report {
  std::int32_t ok = 0;
  std::int32_t width = 0, height = 0, format = 0;
  std::uint64_t stride = 0;
  char reason[200] = {};
};

constexpr int kDecodeSeconds = 20;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

// The decoder may take what a picture of the largest size allowed needs,
// held twice over (decoded lines and the copy sent), and some to work with;
// a file that makes it ask for more is refused, not given the memory.
constexpr std::uint64_t kDecoderMemory = 4 * kMaxHdPhotoPixelBytes + (std::uint64_t{256} << 20);

// Caps the child's address space at what it uses now plus the decoder's
// share. Only calls that are safe after fork.
void LimitAddressSpace() {
  const int statm = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  if (statm < 0) return;
  char text[64] = {};
  const ssize_t n = ::read(statm, text, sizeof text - 1);
  ::close(statm);
  if (n <= 0) return;
  std::uint64_t pages = 0;
  for (const char* c = text; *c >= '0' && *c <= '9'; ++c) pages = pages * 10 + std::uint64_t(*c - '0');
  const std::uint64_t used = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) != 0) return;
  const rlim_t wanted = static_cast<rlim_t>(used + kDecoderMemory);
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur <= wanted) return;
  limit.rlim_cur = wanted;
  ::setrlimit(RLIMIT_AS, &limit);
}

[[noreturn]] void DecodeInChild(std::string_view bytes, int out) {
  LimitAddressSpace();
  // The library talks on the standard streams about tags it does not know.
  const int null = ::open("/dev/null", O_WRONLY);
  if (null >= 0) {
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
  }
  Report report;
  Pixels pixels;
  try {
    pixels = DecodePixels(bytes);
    report.ok = 1;
    report.width = pixels.width;
    report.height = pixels.height;
    report.format = pixels.format;
    report.stride = pixels.stride;
  } catch (const std::exception& error) {
    std::strncpy(report.reason, error.what(), sizeof report.reason - 1);
  }
  const bool written = WriteAll(out, reinterpret_cast<const char*>(&report), sizeof report) &&
                       WriteAll(out, pixels.data.data(), pixels.data.size());
  ::_exit(written ? 0 : 1);
}

// Reads until the child closes its end, for at most the decoding time.
bool ReadAll(int fd, std::string& into) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kDecodeSeconds);
  char buffer[65536];
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd wait{fd, POLLIN, 0};
    const int ready = ::poll(&wait, 1, int(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    into.append(buffer, std::size_t(n));
  }
}

// jxrlib stops the whole process on some damaged files (failed assertions,
// bad reads), so it decodes in a child process: a damaged poster then gives
// a refused picture, never a crash of the window.
QImage DecodeIsolated(std::string_view bytes) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) throw EPictureError("HD Photo: no pipe for the decoder");
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    throw EPictureError("HD Photo: cannot start the decoder");
  }
  if (child == 0) {
    ::close(fds[0]);
    DecodeInChild(bytes, fds[1]);
  }
  ::close(fds[1]);
  std::string received;
  const bool complete = ReadAll(fds[0], received);
  ::close(fds[0]);
  if (!complete) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!complete) throw EPictureError("HD Photo: the decoder took too long");
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || received.size() < sizeof(Report)) {
    throw EPictureError("HD Photo: the decoder failed on this file");
  }
  Report report;
  std::memcpy(&report, received.data(), sizeof report);
  if (!report.ok) {
    report.reason[sizeof report.reason - 1] = 0;
    throw EPictureError(report.reason);
  }
  Pixels pixels;
  pixels.width = report.width;
  pixels.height = report.height;
  pixels.format = report.format;
  pixels.stride = report.stride;
  pixels.data.assign(received.begin() + sizeof report, received.end());
  if (pixels.width <= 0 || pixels.height <= 0 ||
      pixels.data.size() != pixels.stride * std::uint64_t(pixels.height)) {
    throw EPictureError("HD Photo: the decoder gave an incomplete picture");
  }
  return ToImage(pixels);
}

}  // namespace

namespace system {

// jxrlib in a child process of its own.
QImage DecodeHdPhoto(std::string_view bytes) { return DecodeIsolated(bytes); }

}  // namespace system

}  // namespace fmx
