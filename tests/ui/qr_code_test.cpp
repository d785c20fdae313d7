// QR codes stay readable: snapshots of the window with a 29 by 29 code (one
// pixel per module) and a 300 by 300 one, at device pixel ratios 1 and 2,
// are read back with a real decoder, zbarimg (Debian package zbar-tools).

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "main_form_fixture.h"
#include "platform/controls/snapshot.h"
#include "platform/utf8.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kAddress = "https://example.org/velmar/qr";

bool HaveZbarimg() { return std::system("command -v zbarimg >/dev/null 2>&1") == 0; }

// What zbarimg reads in a picture: one line per symbol found.
std::string Decode(const fs::path& picture) {
  const std::string command = "zbarimg -q --raw '" + picture.string() + "' 2>/dev/null";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    pclose(pipe);
  }
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return output;
}

struct QRCase {
  const char* file;
  int row;
  double scale;
};

void PrintTo(const QRCase& c, std::ostream* os) { *os << c.file << " at " << c.scale; }

class QRCodeTest : public MainFormTest, public ::testing::WithParamInterface<QRCase> {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    fs::copy(fs::path(VELMAR_FIXTURES_DIR) / "qr-codes", data_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }
};

TEST_P(QRCodeTest, SnapshotDecodesToTheAddress) {
  if (!HaveZbarimg()) GTEST_SKIP() << "zbarimg not found (Debian package zbar-tools): QR codes not read back";
  const QRCase& c = GetParam();
  Open();
  Access().SelectGame(c.row);
  ASSERT_EQ(GameData::FilteredGames[std::size_t(c.row)].QRCodeImage, platform::Utf8ToUtf16(c.file));
  const fmx::TSnapshot shot = Form().Snapshot(c.scale);
  const fs::path picture = settings_.path() / "window.png";
  ASSERT_TRUE(shot.SavePng(testing_support::ToText(picture)));
  EXPECT_EQ(Decode(picture), kAddress);
}

INSTANTIATE_TEST_SUITE_P(Table, QRCodeTest,
                         ::testing::Values(QRCase{"qr-29.png", 0, 1.0}, QRCase{"qr-29.png", 0, 2.0},
                                           QRCase{"qr-300.png", 1, 1.0},
                                           QRCase{"qr-300.png", 1, 2.0}),
                         [](const ::testing::TestParamInfo<QRCase>& info) {
                           return std::string(info.param.row == 0 ? "small" : "large") + "_at_" +
                                  std::to_string(int(info.param.scale));
                         });

// Enlarged, every module stays a block of pure black or white: no grey edges.
using QRSquareTest = MainFormTest;

TEST_F(QRSquareTest, EnlargedQRCodeHoldsOnlyBlackAndWhite) {
  fs::copy(fs::path(VELMAR_FIXTURES_DIR) / "qr-codes", data_.path(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  Open();
  const fmx::TRectF r = Access().imgQRCode()->AbsoluteRect();
  for (double scale : {1.0, 2.0, 1.5}) {
    const fmx::TSnapshot shot = Form().Snapshot(scale);
    int black = 0, other = 0;
    for (int y = int(r.Top * scale); y < int(r.Bottom * scale); ++y) {
      for (int x = int(r.Left * scale); x < int(r.Right * scale); ++x) {
        const std::uint32_t c = shot.DevicePixel(x, y);
        if (c == 0xFF000000u) ++black;
        else if (c != 0xFFFFFFFFu) ++other;
      }
    }
    EXPECT_EQ(other, 0) << "scale " << scale;
    EXPECT_GT(black, int(84 * 84 * scale * scale / 4)) << "scale " << scale;
  }
}

}  // namespace
