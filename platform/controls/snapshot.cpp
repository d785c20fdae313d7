#include "platform/controls/snapshot.h"

#include "platform/controls/qt_convert.h"
#include "platform/controls/snapshot_data.h"

namespace fmx {

TSnapshot::TSnapshot() : data_(std::make_unique<Data>()) {}
TSnapshot::TSnapshot(std::unique_ptr<Data> data) : data_(std::move(data)) {}
TSnapshot::~TSnapshot() = default;
TSnapshot::TSnapshot(TSnapshot&&) noexcept = default;
TSnapshot& TSnapshot::operator=(TSnapshot&&) noexcept = default;

int TSnapshot::Width() const { return data_->image.width(); }
int TSnapshot::Height() const { return data_->image.height(); }
double TSnapshot::DevicePixelRatio() const { return data_->image.devicePixelRatio(); }

std::uint32_t TSnapshot::DevicePixel(int x, int y) const {
  if (!data_->image.valid(x, y)) return 0;
  return data_->image.pixelColor(x, y).rgba();
}

std::uint32_t TSnapshot::Pixel(float x, float y) const {
  const double ratio = DevicePixelRatio();
  return DevicePixel(int(x * ratio), int(y * ratio));
}

bool TSnapshot::SavePng(const std::u16string& path) const {
  return data_->image.save(ToQString(path), "PNG");
}

}  // namespace fmx
