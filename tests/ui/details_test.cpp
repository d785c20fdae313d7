// The details column: texts and pictures of the selected game, with their
// placeholders.

#include <QColor>
#include <QImage>

#include <filesystem>
#include <fstream>

#include "main_form_fixture.h"
#include "support/system.h"
#include "platform/files.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

namespace {

using DetailsTest = MainFormTest;

TEST_F(DetailsTest, TwelveLinesOfTheSelectedGame) {
  Open();
  EXPECT_EQ(Access().InfoTexts(),
            (std::vector<std::u16string>{u"Альфа", u"Гонки", u"Север", u"2024", u"t1", u"t2",
                                         u"t3", u"t4", u"t5", u"t6", u"t7", u"t8"}));
  Form().ClickAt(RowX(), RowY(1));
  EXPECT_EQ(Access().SelectedIndex(), 1);
  EXPECT_EQ(Access().SelectedGameID(), 2);
  EXPECT_EQ(Access().InfoTexts(),
            (std::vector<std::u16string>{u"Бета", u"Аркада", u"", u"", u"", u"", u"", u"", u"",
                                         u"", u"", u""}));
}

TEST_F(DetailsTest, PosterGoodMissingBrokenAndInASubfolder) {
  Open();
  auto a = Access();
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
  EXPECT_FALSE(a.lblPosterText()->Visible());

  Form().ClickAt(RowX(), RowY(2));  // broken.png
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Solid);
  EXPECT_EQ(a.pnlPoster()->FillColor(), 0xFF2D2D2Du);
  EXPECT_EQ(a.lblPosterText()->Text(), u"Ошибка загрузки");
  EXPECT_TRUE(a.lblPosterText()->Visible());

  Form().ClickAt(RowX(), RowY(3));  // sub\beta.jpg: a Windows-style subfolder
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
  EXPECT_FALSE(a.lblPosterText()->Visible());
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(300, 200), kBetaPoster, 6));  // JPEG: close

  Form().ClickAt(RowX(), RowY(1));  // missing.png
  EXPECT_EQ(a.lblPosterText()->Text(), u"Картинка");
  EXPECT_TRUE(a.lblPosterText()->Visible());
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Solid);
}

TEST_F(DetailsTest, PostersAreDecodedByContentAndHdPhotoShows) {
  data_.write("games.json", R"([{"id": 1, "name": "JPEG", "post": "jpeg-named.png"},
                                {"id": 2, "name": "HD Photo", "post": "three-colours.hdp"}])");
  QImage jpeg(64, 40, QImage::Format_RGB32);
  jpeg.fill(QColor::fromRgba(kBetaPoster));
  ASSERT_TRUE(jpeg.save(QString::fromStdString((data_.path() / "assets/post/jpeg-named.png").string()),
                        "jpeg"));
  fs::copy_file(fs::path(VELMAR_FIXTURES_DIR) / "pictures" / "three-colours.hdp",
                data_.path() / "assets/post/three-colours.hdp");
  Open();
  auto a = Access();
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
  EXPECT_FALSE(a.lblPosterText()->Visible());
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(300, 200), kBetaPoster, 6));

  // 16 by 8, stretched over the poster: green top left, red bottom left,
  // blue on the right.
  Form().ClickAt(RowX(), RowY(1));
  EXPECT_EQ(a.pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
  EXPECT_FALSE(a.lblPosterText()->Visible());
  const fmx::TSnapshot shot = Form().Snapshot();
  EXPECT_TRUE(ColorNear(shot.Pixel(183, 120), 0xFF00C800, 2));
  EXPECT_TRUE(ColorNear(shot.Pixel(183, 320), 0xFFFF0000, 2));
  EXPECT_TRUE(ColorNear(shot.Pixel(519, 220), 0xFF0000FF, 2));
}

// Rewritten in place by a file of the same size with its old time put back
// (cp -p, rsync -t, unpacking an archive): only the file's change time tells.
TEST_F(DetailsTest, PosterRewrittenWithItsOldTimeShowsOnTheNextClick) {
  const fs::path poster = data_.path() / "assets/post/alpha.png";
  auto writeBmp = [](const fs::path& path, std::uint32_t color) {
    QImage image(64, 40, QImage::Format_RGB32);
    image.fill(QColor::fromRgba(color));
    ASSERT_TRUE(image.save(QString::fromStdU16String(path.u16string()), "BMP"));
  };
  writeBmp(poster, 0xFFC03030);
  Open();
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(300, 200), 0xFFC03030, 2));

  const auto time = fs::last_write_time(poster);
  const fs::path other = data_.path() / "other.bmp";
  writeBmp(other, 0xFF3050C0);
  ASSERT_EQ(fs::file_size(other), fs::file_size(poster));
  {
    // Written over in place, as cp -p does.
    const std::string bytes = testing_support::ReadBytes(other);
    std::ofstream out(poster, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  fs::last_write_time(poster, time);
  Form().ClickAt(RowX(), RowY(0));
  EXPECT_TRUE(ColorNear(Form().Snapshot().Pixel(300, 200), 0xFF3050C0, 2));
}

TEST_F(DetailsTest, PictureReplacedOnDiskShowsOnTheNextSelection) {
  Open();
  Form().ClickAt(RowX(), RowY(1));
  fs::copy_file(data_.path() / "assets/post/alpha.png", data_.path() / "assets/post/missing.png");
  Form().ClickAt(RowX(), RowY(1));  // the same row again: loaded anew
  EXPECT_EQ(Access().pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
}

// Catalogs are written where file names ignore letter case.
TEST_F(DetailsTest, PictureNamedInAnotherLetterCaseShows) {
  fs::rename(data_.path() / "assets/post/alpha.png", data_.path() / "assets/post/Alpha.PNG");
  fs::rename(data_.path() / "assets/qrcod", data_.path() / "assets/QRCod");
  Open();
  EXPECT_EQ(Access().pnlPoster()->FillKind(), fmx::TBrushKind::Bitmap);
  EXPECT_FALSE(Access().lblPosterText()->Visible());
  EXPECT_EQ(Access().imgQRCode()->BitmapWidth(), 148);
}

// A catalog is data: a name that leads out of the poster folder shows no
// other file of the disk, even a picture.
TEST_F(DetailsTest, PictureOutsideItsFolderShowsThePlaceholder) {
  VELMAR_SKIP_ON_WINDOWS("symbolic links need the developer mode or administrator rights on "
                         "Windows; names that step out are in PicturesNamedOffTheDataFolder...");
  fs::copy_file(data_.path() / "assets/post/alpha.png", data_.path() / "elsewhere.png");
  fs::create_symlink("../../elsewhere.png", data_.path() / "assets/post/missing.png");
  Open();
  Form().ClickAt(RowX(), RowY(1));  // missing.png, now a link out of the folder
  EXPECT_EQ(Access().pnlPoster()->FillKind(), fmx::TBrushKind::Solid);
  EXPECT_EQ(Access().lblPosterText()->Text(), u"Картинка");
}

TEST_F(DetailsTest, QRCodeGoodMissingAndBrokenGiveAWhiteSquare) {
  Open();
  auto a = Access();
  EXPECT_EQ(a.imgQRCode()->BitmapWidth(), 148);
  for (int row : {1, 2, 3}) {  // missing, broken, none named
    Form().ClickAt(RowX(), RowY(row));
    EXPECT_EQ(a.imgQRCode()->BitmapWidth(), 114) << row;
    EXPECT_EQ(a.imgQRCode()->BitmapHeight(), 114) << row;
    EXPECT_EQ(Form().Snapshot().Pixel(558, 550), 0xFFFFFFFFu) << row;
  }
}

TEST_F(DetailsTest, IconsMissingOrBrokenLeavePlainButtons) {
  fs::remove(data_.path() / "assets/icon/apk-icon.png");
  data_.write("assets/icon/telegram-icon.png", "broken");
  Open();
  EXPECT_TRUE(Access().imgAPK()->BitmapEmpty());
  EXPECT_TRUE(Access().imgTelegramIcon()->BitmapEmpty());
  const fmx::TSnapshot shot = Form().Snapshot();
  EXPECT_EQ(shot.Pixel(428, 550), 0xFF8BC34Au);  // the APK button's middle
  EXPECT_EQ(shot.Pixel(752, 42), 0xFF2AABEEu);   // where the Telegram icon would be
  EXPECT_TRUE(notices_.empty());
}

TEST_F(DetailsTest, IconsLoadWhenPresent) {
  Open();
  EXPECT_EQ(Access().imgAPK()->BitmapWidth(), 64);
  EXPECT_EQ(Access().imgTelegramIcon()->BitmapWidth(), 48);
}

}  // namespace

namespace {

// The bundled sample catalog is what people see first: every information
// line of every game fits its 100-wide label on one line.
TEST_F(DetailsTest, SampleCatalogLinesFitTheirLabels) {
  platform::OverrideExecutableFolder(testing_support::ToText(fs::path(VELMAR_SAMPLE_DATA_DIR)));
  Open();
  ASSERT_GE(GameData::FilteredGames.size(), 10u);
  auto a = Access();
  for (std::size_t i = 0; i < GameData::FilteredGames.size(); ++i) {
    a.SelectGame(int(i));
    for (auto* label : {a.lblRow1Left(), a.lblRow1Right(), a.lblRow2Left(), a.lblRow2Right(),
                        a.lblRow3Left(), a.lblRow3Right(), a.lblRow4Left(), a.lblRow4Right(),
                        a.lblRow5Left(), a.lblRow5Right(), a.lblRow6Left(), a.lblRow6Right()}) {
      EXPECT_LE(label->LineCount(), 1) << "game " << GameData::FilteredGames[i].ID << ": "
                                       << platform::Utf16ToUtf8(label->Text());
    }
  }
}

}  // namespace
