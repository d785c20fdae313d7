#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fmx {

// A rendered picture of a window, read in logical pixels.
class TSnapshot {
 public:
  TSnapshot();
  ~TSnapshot();
  TSnapshot(TSnapshot&&) noexcept;
  TSnapshot& operator=(TSnapshot&&) noexcept;

  int Width() const;   // device pixels
  int Height() const;  // device pixels
  double DevicePixelRatio() const;
  // The colour (AARRGGBB) at a logical point.
  std::uint32_t Pixel(float x, float y) const;
  std::uint32_t DevicePixel(int x, int y) const;
  bool SavePng(const std::u16string& path) const;

  struct Data;
  explicit TSnapshot(std::unique_ptr<Data> data);
  const Data* data() const { return data_.get(); }

 private:
  std::unique_ptr<Data> data_;
};

}  // namespace fmx
