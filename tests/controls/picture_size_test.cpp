// Pictures decoded no larger than they are drawn, and kept while their file
// does not change.

#include <QColor>
#include <QImage>

#include <chrono>
#include <filesystem>

#include "controls_test_support.h"
#include "platform/controls/picture.h"
#include "support/temp_folder.h"

using namespace fmx;
using testing_support::TempFolder;
using testing_support::ToText;

namespace fs = std::filesystem;

namespace {

// A picture of one colour saved under the folder.
std::u16string SavePicture(const TempFolder& folder, const char* name, QSize size, QColor color,
                           const char* format) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(color);
  const fs::path path = folder.path() / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path.string()), format));
  return ToText(path);
}

struct SizeCase {
  const char* label;
  QSize source, drawn;
  QSize decoded;
  bool reduced;
};

void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.label; }

class DecodeAtDrawnSize : public ::testing::TestWithParam<SizeCase> {};

// Halved while read as long as it still covers what is drawn, at most to an
// eighth; never smaller than drawn, never enlarged.
TEST_P(DecodeAtDrawnSize, HalvesOnlyWhileItStillCoversTheDrawnSize) {
  const SizeCase& c = GetParam();
  TempFolder folder;
  for (const char* format : {"JPEG", "PNG"}) {
    const std::u16string path =
        SavePicture(folder, format[0] == 'J' ? "p.jpg" : "p.png", c.source, QColor(200, 40, 40), format);
    const DecodedPicture picture = LoadPictureFor(path, c.drawn);
    EXPECT_EQ(picture.image.size(), c.decoded) << format;
    EXPECT_EQ(picture.reduced, c.reduced) << format;
    EXPECT_TRUE(ColorNear(picture.image.pixel(picture.image.width() / 2, picture.image.height() / 2),
                          0xFFC82828, 6))
        << format;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeAtDrawnSize,
    ::testing::Values(
        SizeCase{"marketing_art_to_a_quarter", {3840, 2160}, {671, 399}, {960, 540}, true},
        SizeCase{"twice_the_area", {1344, 800}, {671, 399}, {672, 400}, true},
        SizeCase{"as_large_as_drawn", {672, 400}, {671, 399}, {672, 400}, false},
        SizeCase{"smaller_than_drawn", {300, 200}, {671, 399}, {300, 200}, false},
        SizeCase{"an_eighth_at_most", {4000, 4000}, {100, 100}, {500, 500}, true},
        SizeCase{"large_in_one_direction_only", {4000, 300}, {671, 399}, {4000, 300}, false},
        SizeCase{"no_size_asked", {1344, 800}, {}, {1344, 800}, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(PictureCache, UnchangedFileIsNotDecodedAgainAndAChangedOneIs) {
  TempFolder folder;
  const std::u16string path = SavePicture(folder, "p.png", {64, 32}, Qt::red, "PNG");
  const QImage first = LoadPictureFor(path, {}).image;
  EXPECT_EQ(LoadPictureFor(path, {}).image.cacheKey(), first.cacheKey());
  EXPECT_EQ(LoadPicture(path).cacheKey(), first.cacheKey());

  // Replaced on disk with the same size: the modification time tells.
  SavePicture(folder, "p.png", {64, 32}, Qt::blue, "PNG");
  fs::last_write_time(fs::path(path), fs::last_write_time(fs::path(path)) + std::chrono::seconds(2));
  const QImage second = LoadPictureFor(path, {}).image;
  EXPECT_NE(second.cacheKey(), first.cacheKey());
  EXPECT_TRUE(ColorNear(second.pixel(10, 10), 0xFF0000FF, 0));

  // Gone: an error, not the old picture.
  fs::remove(fs::path(path));
  EXPECT_THROW(LoadPictureFor(path, {}), EPictureError);
}

TEST(PictureCache, ReducedPictureServesOnlyTheSizeItWasReducedFor) {
  TempFolder folder;
  const std::u16string path = SavePicture(folder, "p.jpg", {1344, 800}, Qt::green, "JPEG");
  const QImage small = LoadPictureFor(path, {671, 399}).image;
  EXPECT_EQ(small.size(), QSize(672, 400));
  EXPECT_EQ(LoadPictureFor(path, {671, 399}).image.cacheKey(), small.cacheKey());
  // A denser screen asks for more than the reduced copy holds.
  EXPECT_EQ(LoadPictureFor(path, {1342, 798}).image.size(), QSize(1344, 800));
}

// The poster area on a screen twice as dense as the one the poster was
// first decoded for reads it again at the larger size.
TEST(PictureSize, PosterDrawnDenserThanDecodedIsReadAgain) {
  TempFolder folder;
  // Stripes two pixels wide: black, black, white, white.
  QImage stripes(1120, 640, QImage::Format_RGB32);
  for (int x = 0; x < stripes.width(); ++x) {
    for (int y = 0; y < stripes.height(); ++y) {
      stripes.setPixel(x, y, (x / 2) % 2 == 0 ? 0xFF000000 : 0xFFFFFFFF);
    }
  }
  ASSERT_TRUE(stripes.save(QString::fromStdString((folder.path() / "s.png").string()), "PNG"));
  auto form = MakeForm();
  TRectangle* poster = AddRectangle(*form, form.get(), 0, 0, 280, 160);
  poster->SetStrokeKind(TBrushKind::None);
  poster->SetFillKind(TBrushKind::Bitmap);
  poster->LoadFillBitmap(ToText(folder.path() / "s.png"));  // read at a quarter for scale 1
  // At scale 2 each stripe is one device pixel, black or white; the copy
  // read for scale 1 would have smeared every pair into grey.
  const TSnapshot snapshot = form->Snapshot(2.0);
  int pure = 0;
  for (int x = 100; x < 140; ++x) {
    const auto pixel = snapshot.DevicePixel(x, 100);
    if (pixel == 0xFF000000u || pixel == 0xFFFFFFFFu) ++pure;
  }
  EXPECT_GE(pure, 36) << "of 40 device pixels";
}

}  // namespace
