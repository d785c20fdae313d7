// The real program in a real X session: the pointer is moved and clicked and
// keys are typed with xdotool; the window is checked by screen pixels and
// the favourites by the file's bytes.

#include <gtest/gtest.h>

#include <QColor>
#include <QGuiApplication>
#include <QImage>

#include <filesystem>

#include "support/temp_folder.h"
#include "x_session.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kBackground = 0xFF1E1E1E;
constexpr std::uint32_t kRow = 0xFF2D2D2D;
constexpr std::uint32_t kStar = 0xFFFFC107;
constexpr std::uint32_t kPosters[] = {0xFFC03030, 0xFF30C030, 0xFF3050C0, 0xFFC0C030};

// 40008BCC over the window background.
std::uint32_t SelectedRow() {
  const double a = 0x40 / 255.0;
  auto mix = [a](int over, int under) { return std::uint32_t(over * a + under * (1 - a) + 0.5); };
  return 0xFF000000u | mix(0x00, 0x1E) << 16 | mix(0x8B, 0x1E) << 8 | mix(0xCC, 0x1E);
}

int RowTop(int i) { return 20 + 99 + 58 * i; }

void WritePoster(const fs::path& path, std::uint32_t color) {
  fs::create_directories(path.parent_path());
  QImage image(336, 200, QImage::Format_RGB32);
  image.fill(QColor::fromRgba(color));
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

TEST(EndToEnd, BrowseSearchStarAndClose) {
  if (const std::string why = XSession::Unavailable(); !why.empty()) GTEST_SKIP() << why;

  // The program finds its catalog beside itself.
  testing_support::TempFolder data, settings;
  fs::copy_file(VELMAR_PROGRAM, data.path() / "velmar");
  data.write("games.json", R"([
    {"id": 1, "name": "Alpha", "url": "https://example.org/1", "post": "1.png"},
    {"id": 2, "name": "Bravo", "url": "https://example.org/2", "post": "2.png"},
    {"id": 3, "name": "Charlie", "url": "https://example.org/3", "post": "3.png"},
    {"id": 4, "name": "Dune", "url": "https://example.org/4", "post": "4.png"}
  ])");
  {
    int argc = 1;
    char name[] = "painter";
    char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication painter(argc, argv);  // only to write the posters
    for (int i = 0; i < 4; ++i) {
      WritePoster(data.path() / "assets" / "post" / (std::to_string(i + 1) + ".png"), kPosters[i]);
    }
  }

  XSession x;
  ASSERT_TRUE(x.StartServer());
  ASSERT_TRUE(x.StartProgram((data.path() / "velmar").string(),
                             {"XDG_CONFIG_HOME=" + settings.path().string(),
                              "ASAN_OPTIONS=detect_leaks=0"}));
  ASSERT_TRUE(x.WaitForWindow("Velmar"));

  // At start the first row is selected and its poster shown.
  EXPECT_TRUE(x.WaitForPixel(5, 5, kBackground));
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(0) + 4, SelectedRow()));
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(1) + 4, kRow));
  EXPECT_TRUE(x.WaitForPixel(400, 200, kPosters[0]));

  // Clicking the third row shows its game.
  x.Click(800, RowTop(2) + 25);
  EXPECT_TRUE(x.WaitForPixel(400, 200, kPosters[2]));
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(2) + 4, SelectedRow()));
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(0) + 4, kRow));

  // Typing filters the list; Charlie stays selected at its new row.
  x.Click(800, 92);
  x.Type("r");
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(1) + 4, SelectedRow()));
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(2) + 4, kBackground));  // only two rows left
  EXPECT_TRUE(x.WaitForPixel(400, 200, kPosters[2]));

  // Starring Charlie writes the file at once and moves it to the top.
  x.Click(702 + 189 + 18, RowTop(1) + 25);
  EXPECT_TRUE(x.WaitForPixel(820, RowTop(0) + 4, SelectedRow()));
  const fs::path favorites = settings.path() / "Velmar" / "favorites.json";
  EXPECT_EQ(testing_support::ReadBytes(favorites), "\xEF\xBB\xBF[3]");
  bool amber = false;
  for (int dx = -10; dx <= 10 && !amber; ++dx)
    for (int dy = -10; dy <= 8 && !amber; ++dy)
      amber = x.Pixel(702 + 189 + 18 + dx, RowTop(0) + 25 + dy) == kStar;
  EXPECT_TRUE(amber) << "no amber star on the top row";

  // Closing the window writes the favourites again.
  fs::remove(favorites);
  EXPECT_EQ(x.CloseAndWait(), 0);
  EXPECT_EQ(testing_support::ReadBytes(favorites), "\xEF\xBB\xBF[3]");
}

}  // namespace
