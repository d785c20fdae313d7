#include "platform/controls/hd_photo_wic_windows.h"

#include <windows.h>
#include <wincodec.h>

#include <cstdio>
#include <string>

#include "platform/controls/picture.h"

// HD Photo is Windows' own format: the Windows Imaging Component decodes it.
namespace fmx::wic {

namespace {

void Check(HRESULT result, const char* step) {
  if (FAILED(result)) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
    throw EPictureError(std::string("HD Photo: ") + step + " failed (0x" + code + ")");
  }
}

// Holds one reference to a COM object.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (object_) object_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return object_; }
  T* get() const { return object_; }
  T** out() { return &object_; }

 private:
  T* object_ = nullptr;
};

// COM for this thread while decoding. A thread whose COM is set up already
// (the window's, by Qt) keeps it as it is.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace

QImage DecodeHdPhoto(std::string_view bytes) {
  if (bytes.size() > 0xFFFFFFFFu) throw EPictureError("HD Photo: file too large");
  ComScope com;
  Com<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out())),
        "starting the imaging component");
  Com<IWICStream> stream;
  Check(factory->CreateStream(stream.out()), "opening");
  // The stream only reads from the buffer.
  Check(stream->InitializeFromMemory(reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())),
                                     static_cast<DWORD>(bytes.size())),
        "opening");
  Com<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoder(GUID_ContainerFormatWmp, nullptr, decoder.out()),
        "creating the decoder");
  Check(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand), "reading the header");
  Com<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, frame.out()), "reading the picture");
  UINT width = 0, height = 0;
  Check(frame->GetSize(&width, &height), "reading the size");
  // Refused from the header, before anything is decoded.
  if (width == 0 || height == 0 || width > 32768 || height > 32768 ||
      4ull * width * height > kMaxPixelBytes) {
    throw EPictureError("HD Photo: picture too large (" + std::to_string(width) + " x " +
                        std::to_string(height) + ")");
  }
  Com<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(converter.out()), "creating the converter");
  Check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        "preparing the conversion");
  // 32-bit premultiplied BGRA in memory is Qt's premultiplied ARGB.
  QImage image(static_cast<int>(width), static_cast<int>(height),
               QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw EPictureError("HD Photo: no memory for the picture");
  Check(converter->CopyPixels(nullptr, static_cast<UINT>(image.bytesPerLine()),
                              static_cast<UINT>(image.sizeInBytes()), image.bits()),
        "decoding");
  return image;
}

}  // namespace fmx::wic
