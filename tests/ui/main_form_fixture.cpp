#include "main_form_fixture.h"

#include <QColor>
#include <QImage>

#include <filesystem>
#include <fstream>

#include "platform/controls/message_box.h"
#include "platform/controls/shell.h"
#include "platform/files.h"

namespace fs = std::filesystem;

namespace {

void SavePicture(const fs::path& path, int w, int h, std::uint32_t color, const char* format) {
  fs::create_directories(path.parent_path());
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(QColor::fromRgba(color));
  ASSERT_TRUE(image.save(QString::fromStdString(path.string()), format)) << path;
}

}  // namespace

void MainFormTest::SetUp() {
  GameData::ClearLists();
  WriteFixture();
  platform::OverrideExecutableFolder(data_.text());
  platform::OverrideSettingsBaseFolder(settings_.text());
  fmx::SetMessageHandler([this](const std::u16string& text) { notices_.push_back(text); });
  fmx::SetShellHandler([this](const std::u16string& address) { opened_.push_back(address); });
}

void MainFormTest::TearDown() {
  form_.reset();
  fmx::SetMessageHandler(nullptr);
  fmx::SetShellHandler(nullptr);
  platform::OverrideExecutableFolder(std::nullopt);
  platform::OverrideSettingsBaseFolder(std::nullopt);
  GameData::ClearLists();
}

void MainFormTest::WriteFixture() {
  const fs::path root = data_.path();
  fs::copy_file(fs::path(VELMAR_FIXTURES_DIR) / "catalog" / "games.json", root / "games.json",
                fs::copy_options::overwrite_existing);
  SavePicture(root / "assets/post/alpha.png", 672, 400, kAlphaPoster, "png");
  SavePicture(root / "assets/post/sub/beta.jpg", 200, 100, kBetaPoster, "jpeg");
  SavePicture(root / "assets/qrcod/alpha-qr.png", 148, 148, kAlphaQR, "png");
  SavePicture(root / "assets/icon/apk-icon.png", 64, 64, 0xFFFFFFFF, "png");
  SavePicture(root / "assets/icon/telegram-icon.png", 48, 48, 0xFFFFFFFF, "png");
  data_.write("assets/post/broken.png", "this is not a picture");
  data_.write("assets/qrcod/broken-qr.png", "nor is this");
}

void MainFormTest::Open() {
  form_ = std::make_unique<TfrmMain>();
  form_->DoCreate();
}

void MainFormTest::Close() { form_.reset(); }

std::string MainFormTest::FavoritesBytes() const {
  return testing_support::ReadBytes(settings_.path() / "Velmar" / "favorites.json");
}

std::vector<std::int32_t> MainFormTest::VisibleIds() const {
  std::vector<std::int32_t> ids;
  for (const auto& game : GameData::FilteredGames) ids.push_back(game.ID);
  return ids;
}

std::u16string MainFormTest::RowName(int i) {
  return std::u16string(static_cast<fmx::TLabel*>(Access().GamePanels()[i]->Child(1))->Text());
}

std::u16string MainFormTest::StarText(int i) {
  return std::u16string(
      static_cast<fmx::TLabel*>(Access().GamePanels()[i]->Child(2)->Child(0))->Text());
}

std::uint32_t MainFormTest::RowColor(int i) { return Access().GamePanels()[i]->FillColor(); }
