// Picture files: the extension says whether a file is a picture at all, the
// content how it is decoded; HD Photo decodes too.

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <filesystem>
#include <fstream>

#include "controls_test_support.h"
#include "platform/controls/hd_photo.h"
#include "platform/controls/picture.h"
#include "platform/controls/picture_check.h"
#include "support/temp_folder.h"

using namespace fmx;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

const std::filesystem::path kHdPhoto =
    std::filesystem::path(VELMAR_FIXTURES_DIR) / "pictures" / "three-colours.hdp";

// A 16 by 8 picture: green top left, red bottom left, blue right; lossless.
void ExpectThreeColours(const QImage& image) {
  ASSERT_EQ(image.width(), 16);
  ASSERT_EQ(image.height(), 8);
  EXPECT_TRUE(ColorNear(image.pixel(2, 1), 0xFF00C800, 0));
  EXPECT_TRUE(ColorNear(image.pixel(2, 6), 0xFFFF0000, 0));
  EXPECT_TRUE(ColorNear(image.pixel(12, 1), 0xFF0000FF, 0));
  EXPECT_TRUE(ColorNear(image.pixel(12, 6), 0xFF0000FF, 0));
}

std::string Encoded(const char* format) {
  QImage image(6, 4, QImage::Format_RGB32);
  image.fill(QColor(10, 200, 30));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format)) << format;
  return bytes.toStdString();
}

std::string HdPhotoBytes() { return testing_support::ReadBytes(kHdPhoto); }

struct ContentCase {
  const char* content;  // how the bytes are encoded
  const char* name;     // the file's name
};

void PrintTo(const ContentCase& c, std::ostream* os) { *os << c.content << " as " << c.name; }

class DecodeByContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(DecodeByContent, ListedExtensionAnyListedContent) {
  const ContentCase& c = GetParam();
  TempFolder folder;
  const std::string content = c.content;
  const std::string bytes = content == "hdp" ? HdPhotoBytes() : Encoded(c.content);
  const auto path = ToText(folder.write(c.name, bytes));
  QImage image;
  ASSERT_NO_THROW(image = LoadPicture(path));
  if (content == "hdp") {
    ExpectThreeColours(image);
  } else {
    EXPECT_EQ(image.size(), QSize(6, 4));
    EXPECT_TRUE(ColorNear(image.pixel(3, 2), 0xFF0AC81E, content == "jpeg" ? 8 : 0));
  }
  EXPECT_TRUE(CanDecodePicture(path)) << "the checker shares the rule";
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecodeByContent,
    ::testing::Values(ContentCase{"jpeg", "poster.png"}, ContentCase{"png", "poster.jpg"},
                      ContentCase{"bmp", "poster.GIF"}, ContentCase{"png", "poster.ico"},
                      ContentCase{"tiff", "poster.bmp"}, ContentCase{"jpeg", "poster.tif"},
                      ContentCase{"png", "poster.hdp"}, ContentCase{"hdp", "poster.png"},
                      ContentCase{"hdp", "poster.hdp"}, ContentCase{"hdp", "POSTER.HDP"}));

TEST(Pictures, ContentOrNameOutsideTheListedFormatsIsRefused) {
  TempFolder folder;
  const std::string ppm = "P3\n1 1\n255\n255 0 0\n";  // a format the toolkit reads, not listed
  const std::string png = Encoded("png");
  for (const auto& [name, bytes] : std::vector<std::pair<const char*, std::string>>{
           {"ppm-content.png", ppm},
           {"png-content.webp", png},
           {"png-content.svg", png},
           {"no-extension", png},
           {"empty.png", ""},
           {"text.hdp", "not a picture"},
       }) {
    const auto path = ToText(folder.write(name, bytes));
    std::string reason;
    EXPECT_THROW(LoadPicture(path), EPictureError) << name;
    EXPECT_FALSE(CanDecodePicture(path, &reason)) << name;
    EXPECT_FALSE(reason.empty()) << name;
  }
  EXPECT_THROW(LoadPicture(folder.text() + u"missing.png"), EPictureError);
}

TEST(Pictures, DamagedHdPhotoIsRefusedCleanly) {
  TempFolder folder;
  const std::string whole = HdPhotoBytes();
  ASSERT_GT(whole.size(), 64u);
  // Cut inside the header or the directory of the file: refused.
  for (std::size_t keep : {std::size_t{4}, std::size_t{16}, std::size_t{40}}) {
    const auto path = ToText(folder.write("cut.hdp", whole.substr(0, keep)));
    EXPECT_FALSE(CanDecodePicture(path)) << "kept " << keep << " bytes";
  }
  // Cut inside the coded picture: whatever comes of it, nothing is read
  // outside the bytes (the sanitizers of the test build watch that).
  for (std::size_t keep : {whole.size() / 2, whole.size() - 8}) {
    const auto path = ToText(folder.write("cut.hdp", whole.substr(0, keep)));
    CanDecodePicture(path);
  }
  // A directory entry out of range, on which the library itself stops the
  // process (a failed assertion): refused, and this process goes on.
  const auto damaged = std::filesystem::path(VELMAR_FIXTURES_DIR) / "pictures" / "damaged.hdp";
  std::string reason;
  EXPECT_FALSE(CanDecodePicture(ToText(damaged), &reason));
  EXPECT_NE(reason.find("HD Photo"), std::string::npos) << reason;
  ExpectThreeColours(LoadPicture(ToText(kHdPhoto)));  // and decodes the next one
}

// The sample with the size its directory declares changed (the coded
// picture itself stays 16 x 8).
std::string HdPhotoDeclaring(std::uint32_t width, std::uint32_t height) {
  std::string bytes = HdPhotoBytes();
  auto little = [&bytes](std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  const std::size_t directory = little(4, 4);
  for (std::size_t i = 0, n = little(directory, 2); i < n; ++i) {
    const std::size_t at = directory + 2 + 12 * i;
    const std::uint32_t tag = little(at, 2);
    if (tag != 0xBC80 && tag != 0xBC81) continue;
    const std::uint32_t value = tag == 0xBC80 ? width : height;
    for (std::size_t b = 0; b < 4; ++b) bytes[at + 8 + b] = char(value >> (8 * b) & 0xFF);
  }
  return bytes;
}

TEST(Pictures, HdPhotoDeclaringTooManyPixelsIsRefusedBeforeDecoding) {
  const auto size = DeclaredHdPhotoSize(HdPhotoBytes());
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 16u);
  EXPECT_EQ(size->height, 8u);
  EXPECT_FALSE(DeclaredHdPhotoSize(HdPhotoBytes().substr(0, 20))) << "cut inside the directory";

  TempFolder folder;
  // The decoder reads the coded picture's own size, which is small: only
  // the check of the declared size, before any decoding, refuses these.
  const struct {
    std::uint32_t width, height;
    bool shows;
  } cases[] = {{16000, 16000, false}, {32000, 32000, false}, {1u << 31, 2, false},
               {16384, 8192, true}, {16, 8, true}};
  for (const auto& c : cases) {
    const auto path = ToText(folder.write("big.hdp", HdPhotoDeclaring(c.width, c.height)));
    std::string reason;
    EXPECT_EQ(CanDecodePicture(path, &reason), c.shows) << c.width << " x " << c.height;
    if (!c.shows) {
      EXPECT_EQ(reason, "HD Photo: picture too large (" + std::to_string(c.width) + " x " +
                            std::to_string(c.height) + ")");
      EXPECT_THROW(LoadPicture(path), EPictureError);
    }
  }
}

}  // namespace
