// Painting, checked by single pixels of an offscreen render.

#include <QColor>
#include <QImage>

#include "controls_test_support.h"
#include "support/temp_folder.h"

using namespace fmx;
using testing_support::TempFolder;
using testing_support::ToText;

namespace {

constexpr std::uint32_t kBackground = 0xFF1E1E1E;

std::u16string WritePicture(const TempFolder& folder, const char* name, int w, int h,
                            std::uint32_t left, std::uint32_t right) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, x < w / 2 ? left : right);
  const auto path = folder.path() / name;
  EXPECT_TRUE(image.save(QString::fromStdString(path.string())));
  return ToText(path);
}

TEST(Painting, RoundedRectangleFillsInsideStrokesTheEdgeAndRoundsCorners) {
  auto form = MakeForm();
  auto* panel = AddRectangle(*form, form.get(), 20, 20, 100, 60);
  panel->SetFillColor(0xFF2D2D2D);
  panel->SetStrokeColor(0xFF40C040);
  panel->SetStrokeThickness(2);
  panel->SetXRadius(12);
  panel->SetYRadius(12);
  const TSnapshot shot = form->Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(70, 50), 0xFF2D2D2D));   // inside
  EXPECT_TRUE(ColorNear(shot.Pixel(70, 20.5f), 0xFF40C040, 30));  // top edge
  EXPECT_TRUE(ColorNear(shot.Pixel(20.5f, 20.5f), kBackground));  // cut-off corner
  EXPECT_TRUE(ColorNear(shot.Pixel(10, 10), kBackground));   // outside
}

TEST(Painting, NoFillShowsWhatLiesBehind) {
  auto form = MakeForm();
  auto* under = AddRectangle(*form, form.get(), 0, 0, 300, 200);
  under->SetFillColor(0xFF336699);
  under->SetStrokeKind(TBrushKind::None);
  auto* over = AddRectangle(*form, form.get(), 50, 50, 100, 100);
  over->SetFillKind(TBrushKind::None);
  over->SetStrokeKind(TBrushKind::None);
  EXPECT_TRUE(ColorNear(form->Snapshot().Pixel(100, 100), 0xFF336699));
}

TEST(Painting, TranslucentFillBlendsOverTheBackground) {
  auto form = MakeForm();
  auto* row = AddRectangle(*form, form.get(), 50, 50, 100, 50);
  row->SetFillColor(0x40008BCC);
  row->SetStrokeKind(TBrushKind::None);
  // 25% of 008BCC over 1E1E1E.
  const double a = 0x40 / 255.0;
  const auto mix = [a](int over, int under) { return int(over * a + under * (1 - a) + 0.5); };
  const std::uint32_t expected = 0xFF000000u | (mix(0x00, 0x1E) << 16) | (mix(0x8B, 0x1E) << 8) |
                                 mix(0xCC, 0x1E);
  EXPECT_TRUE(ColorNear(form->Snapshot().Pixel(100, 75), expected));
}

TEST(Painting, BitmapFillIsStretchedOverTheRectangle) {
  TempFolder folder;
  auto form = MakeForm();
  auto* poster = AddRectangle(*form, form.get(), 0, 0, 200, 100);
  poster->SetStrokeKind(TBrushKind::None);
  poster->SetFillKind(TBrushKind::Bitmap);
  poster->LoadFillBitmap(WritePicture(folder, "p.png", 4, 2, 0xFFFF0000, 0xFF0000FF));
  const TSnapshot shot = form->Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(10, 90), 0xFFFF0000));
  EXPECT_TRUE(ColorNear(shot.Pixel(60, 10), 0xFFFF0000));
  EXPECT_TRUE(ColorNear(shot.Pixel(140, 10), 0xFF0000FF));
  EXPECT_TRUE(ColorNear(shot.Pixel(190, 90), 0xFF0000FF));
}

TEST(Painting, FitKeepsProportionsAndCentres) {
  TempFolder folder;
  auto form = MakeForm();
  auto* image = new TImage(form.get());
  image->SetParent(form.get());
  image->SetPosition(0, 0);
  image->SetSize(100, 100);
  image->SetWrapMode(TImageWrapMode::Fit);
  image->LoadFromFile(WritePicture(folder, "wide.png", 200, 100, 0xFF00FF00, 0xFF00FF00));
  const TSnapshot shot = form->Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(50, 10), kBackground));   // above the picture
  EXPECT_TRUE(ColorNear(shot.Pixel(50, 30), 0xFF00FF00));    // picture 100 by 50 from y 25
  EXPECT_TRUE(ColorNear(shot.Pixel(50, 70), 0xFF00FF00));
  EXPECT_TRUE(ColorNear(shot.Pixel(50, 90), kBackground));   // below it
}

// A picture of one-pixel black and white columns drawn into 84 by 84:
// whether grey shows tells smoothed from sharp sampling.
struct SamplingCase {
  const char* name;
  int columns;
  bool sharp;
  double ratio;
  bool grey;
};

void PrintTo(const SamplingCase& c, std::ostream* os) { *os << c.name; }

class ImageSampling : public ::testing::TestWithParam<SamplingCase> {};

TEST_P(ImageSampling, SharpPixelsStayBlocksUnlessReducedBelowHalf) {
  const SamplingCase& c = GetParam();
  TempFolder folder;
  QImage stripes(c.columns, c.columns, QImage::Format_RGB32);
  for (int y = 0; y < c.columns; ++y)
    for (int x = 0; x < c.columns; ++x) stripes.setPixel(x, y, x % 2 ? 0xFFFFFFFF : 0xFF000000);
  const auto path = folder.path() / "stripes.png";
  ASSERT_TRUE(stripes.save(QString::fromStdString(path.string())));
  auto form = MakeForm();
  auto* image = new TImage(form.get());
  image->SetParent(form.get());
  image->SetBounds(10, 10, 84, 84);
  image->SetSharpPixels(c.sharp);
  image->LoadFromFile(ToText(path));
  const TSnapshot shot = form->Snapshot(c.ratio);
  int grey = 0;
  for (int y = int(12 * c.ratio); y < int(92 * c.ratio); ++y) {
    for (int x = int(12 * c.ratio); x < int(92 * c.ratio); ++x) {
      const std::uint32_t p = shot.DevicePixel(x, y);
      if (p != 0xFF000000u && p != 0xFFFFFFFFu) ++grey;
    }
  }
  EXPECT_EQ(grey > 0, c.grey) << grey << " grey pixels";
}

INSTANTIATE_TEST_SUITE_P(
    Table, ImageSampling,
    ::testing::Values(SamplingCase{"sharp_enlarged", 29, true, 1.0, false},
                      SamplingCase{"sharp_enlarged_at_ratio_2", 29, true, 2.0, false},
                      SamplingCase{"sharp_reduced_less_than_half", 148, true, 1.0, false},
                      SamplingCase{"sharp_reduced_more_than_half", 300, true, 1.0, true},
                      SamplingCase{"sharp_reduced_more_than_half_but_not_at_ratio_2", 300, true, 2.0, false},
                      SamplingCase{"smooth_by_default", 29, false, 1.0, true}),
    [](const ::testing::TestParamInfo<SamplingCase>& info) { return info.param.name; });

TEST(Painting, ClearedBitmapIsAPlainSquare) {
  auto form = MakeForm();
  auto* image = new TImage(form.get());
  image->SetParent(form.get());
  image->SetSize(84, 84);
  image->SetBitmapSize(114, 114);
  image->ClearBitmap(0xFFFFFFFF);
  EXPECT_EQ(image->BitmapWidth(), 114);
  EXPECT_TRUE(ColorNear(form->Snapshot().Pixel(42, 42), 0xFFFFFFFF));
}

TEST(Painting, UndecodableOrUnknownPictureRaisesAndKeepsTheOld) {
  TempFolder folder;
  const auto good = WritePicture(folder, "good.png", 2, 2, 0xFFFF0000, 0xFFFF0000);
  const auto broken = ToText(folder.write("broken.png", "not a picture"));
  const auto unknown = ToText(folder.write("picture.webp", "RIFF"));
  auto form = MakeForm();
  auto* image = new TImage(form.get());
  image->LoadFromFile(good);
  EXPECT_THROW(image->LoadFromFile(broken), std::exception);
  EXPECT_THROW(image->LoadFromFile(unknown), std::exception);
  EXPECT_THROW(image->LoadFromFile(folder.text() + u"missing.png"), std::exception);
  EXPECT_EQ(image->BitmapWidth(), 2);
}

TEST(Painting, EveryListedFormatDecodesByExtension) {
  TempFolder folder;
  QImage image(8, 8, QImage::Format_ARGB32);
  image.fill(QColor(10, 200, 30));
  auto form = MakeForm();
  auto* target = new TImage(form.get());
  // Qt writes no GIF: a one-pixel GIF by hand.
  const char gif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\xFF\xFF\x00\x00\x00\x21\xF9\x04"
                     "\x01\x00\x00\x00\x00\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                     "\x44\x01\x00\x3B";
  EXPECT_NO_THROW(target->LoadFromFile(ToText(folder.write("x.gif", std::string(gif, sizeof gif - 1)))));
  for (const char* ext : {"bmp", "jpg", "jpeg", "png", "tif", "tiff", "ico"}) {
    const auto path = folder.path() / (std::string("x.") + ext);
    const char* format = std::string(ext) == "jpg" ? "jpeg" : std::string(ext) == "tif" ? "tiff" : ext;
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format)) << ext;
    EXPECT_NO_THROW(target->LoadFromFile(ToText(path))) << ext;
  }
}

TEST(Painting, LabelTextIsDrawnInItsColourInsideItsBox) {
  auto form = MakeForm();
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetPosition(20, 20);
  label->SetSize(150, 40);
  label->SetStyledSettings(0);
  label->SetFontSize(24);
  label->SetFontBold(true);
  label->SetFontColor(0xFFFF4040);
  label->SetText(u"ЖЖЖ");
  const TSnapshot shot = form->Snapshot();
  int reddish = 0, outside = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 300; ++x) {
      const std::uint32_t c = shot.DevicePixel(x, y);
      if (Red(c) > 200 && Green(c) < 100) (x >= 20 && x < 170 && y >= 20 && y < 60 ? reddish : outside)++;
    }
  }
  EXPECT_GT(reddish, 30);
  EXPECT_EQ(outside, 0);
}

TEST(Painting, StyledSettingsDecideWhoseSizeAndColourApply) {
  auto form = MakeForm();
  TLabel label(form.get());
  label.SetFontSize(30);
  label.SetFontColor(0xFFFFFFFF);
  EXPECT_EQ(label.EffectiveFontSize(), 12);  // the style's, until emptied
  EXPECT_EQ(label.EffectiveFontColor(), 0xFF000000u);
  label.SetStyledSettings(0);
  EXPECT_EQ(label.EffectiveFontSize(), 30);
  EXPECT_EQ(label.EffectiveFontColor(), 0xFFFFFFFFu);
}

TEST(Painting, DeviceRatioTwoRendersAtDoubleResolution) {
  auto form = MakeForm();
  auto* panel = AddRectangle(*form, form.get(), 20, 20, 100, 60);
  panel->SetFillColor(0xFF2D2D2D);
  panel->SetStrokeColor(0xFFFFFFFF);
  const TSnapshot shot = form->Snapshot(2.0);
  EXPECT_EQ(shot.Width(), 600);
  EXPECT_EQ(shot.Height(), 400);
  EXPECT_TRUE(ColorNear(shot.Pixel(70, 50), 0xFF2D2D2D));
  // A one-pixel stroke covers two device pixels, the first of them fully.
  EXPECT_TRUE(ColorNear(shot.DevicePixel(140, 40), 0xFFFFFFFF, 40));
  EXPECT_TRUE(ColorNear(shot.DevicePixel(140, 43), 0xFF2D2D2D));
}

}  // namespace
