#include "platform/controls/hd_photo.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls/picture.h"

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

}  // namespace

bool LooksLikeHdPhoto(std::string_view bytes) {
  // "II", then the format's own identifier byte.
  return bytes.size() >= 4 && bytes[0] == 'I' && bytes[1] == 'I' &&
         static_cast<unsigned char>(bytes[2]) == 0xBC;
}

QImage DecodeHdPhoto(std::string_view bytes) {
  if (!LooksLikeHdPhoto(bytes)) throw EPictureError("HD Photo: not an HD Photo file");
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

  const QImage view(static_cast<const uchar*>(d.pixels), width, height,
                    static_cast<qsizetype>(stride), ImageFormatOf(wanted));
  return view.copy();
}

}  // namespace fmx
