// The window as a whole: its fixed properties, the start-up order and the
// favourites written at close.

#include <QWidget>

#include <filesystem>

#include "main_form_fixture.h"
#include "platform/files.h"
#include "platform/utf8.h"

using namespace GameData;
namespace fs = std::filesystem;

namespace {


using WindowTest = MainFormTest;

TEST_F(WindowTest, FixedSizeCaptionAndBackground) {
  Open();
  QWidget* window = Form().NativeWidget();
  EXPECT_EQ(Form().ClientWidth(), 947);
  EXPECT_EQ(Form().ClientHeight(), 700);
  EXPECT_EQ(window->windowTitle(), QString("Velmar"));
  EXPECT_EQ(window->minimumSize(), QSize(947, 700));
  EXPECT_EQ(window->maximumSize(), QSize(947, 700));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(Form().FillColor(), 0xFF1E1E1Eu);
  const fmx::TSnapshot shot = Form().Snapshot();
  EXPECT_EQ(shot.Width(), 947);
  EXPECT_EQ(shot.Height(), 700);
  EXPECT_EQ(shot.Pixel(5, 5), 0xFF1E1E1Eu);
  EXPECT_EQ(shot.Pixel(940, 690), 0xFF1E1E1Eu);
  EXPECT_EQ(shot.Pixel(694, 300), 0xFF1E1E1Eu);  // the gap between the columns
  EXPECT_TRUE(notices_.empty());
}

TEST_F(WindowTest, AreasAreBuiltFooterFirst) {
  Open();
  ASSERT_EQ(Form().ChildrenCount(), 3u);
  EXPECT_EQ(Form().Child(0), Access().pnlFooter());
  EXPECT_EQ(Form().Child(1), Access().pnlLeft());
  EXPECT_EQ(Form().Child(2), Access().pnlRight());
}

TEST_F(WindowTest, FavouritesAreReadBeforeTheCatalog) {
  settings_.write("Velmar/favorites.json", testing_support::WithByteOrderMark("[-3]"));
  Open();
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{-3, 1, 2, 0, 2}));
  EXPECT_EQ(StarText(0), u"★");
  EXPECT_EQ(StarText(1), u"☆");
  EXPECT_EQ(Access().SelectedIndex(), 0);
  EXPECT_EQ(Access().SelectedGameID(), -3);
}

TEST_F(WindowTest, ClosingWritesFavouritesWithOrWithoutChanges) {
  Open();
  Close();
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[]"));

  settings_.write("Velmar/favorites.json", "[ 2 , 99 ]");
  Open();
  Close();
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[2,99]"));

}

// A favourites file that is there but cannot be read is not replaced by an
// empty list just because the window closed; a star click does replace it.
TEST_F(WindowTest, UnreadableFavouritesFileSurvivesAClose) {
  settings_.write("Velmar/favorites.json", "[3, 5, \"broken\"]");
  Open();
  EXPECT_TRUE(FavoriteIDs.empty());
  Close();
  EXPECT_EQ(FavoritesBytes(), "[3, 5, \"broken\"]");

  Open();
  Form().ClickAt(StarX(), RowY(0));
  Close();
  EXPECT_EQ(FavoritesBytes(), testing_support::WithByteOrderMark("[1]"));
}

TEST_F(WindowTest, NoCatalogGivesTheDemoWithTheFirstRowSelected) {
  fs::remove(data_.path() / "games.json");
  Open();
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(StarText(0), u"★");
  EXPECT_EQ(Access().SelectedIndex(), 0);
  EXPECT_EQ(Access().lblRow1Right()->Text(), u"Жанр");
}

// The program is told when the window falls back to the demo, and only then.
TEST_F(WindowTest, FallingBackToTheDemoIsToldWithTheCatalogPath) {
  std::vector<std::u16string> told;
  TfrmMain::OnDemoCatalog = [&told](const std::u16string& path) { told.push_back(path); };
  Open();  // a catalog that loads
  EXPECT_TRUE(told.empty());
  Close();
  data_.write("games.json", "[1,]");
  Open();
  TfrmMain::OnDemoCatalog = nullptr;
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(fs::path(told[0]), data_.path() / "games.json");
  EXPECT_EQ(VisibleIds(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST_F(WindowTest, EmptyCatalogKeepsThePlaceholders) {
  data_.write("games.json", "[]");
  Open();
  EXPECT_TRUE(Access().GamePanels().empty());
  EXPECT_EQ(Access().SelectedIndex(), -1);
  EXPECT_EQ(Access().SelectedGameID(), -1);
  for (const auto& text : Access().InfoTexts()) EXPECT_EQ(text, u"......................");
  EXPECT_EQ(Access().lblPosterText()->Text(), u"Картинка");
  EXPECT_TRUE(Access().imgQRCode()->BitmapEmpty());
}

TEST_F(WindowTest, SettingsFolderThatCannotBeMadeIsReportedOnceAndTheWindowWorks) {
  // A file where the settings folder's parent should be.
  settings_.write("blocker", "x");
  platform::OverrideSettingsBaseFolder(settings_.text() + u"blocker");
  Open();
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_NE(notices_[0].find(u"blocker"), std::u16string::npos);
  EXPECT_NE(notices_[0].find(u"Velmar"), std::u16string::npos);
  EXPECT_EQ(VisibleIds().size(), 5u);  // the catalog, not the demo
  Form().ClickAt(StarX(), RowY(1));     // favourites work in memory
  EXPECT_EQ(FavoriteIDs, std::vector<std::int32_t>{2});
  EXPECT_EQ(VisibleIds().front(), 2);
  Close();
  EXPECT_EQ(notices_.size(), 1u);  // no second notice at close
}

TEST_F(WindowTest, UnwritableFavouritesCloseSilently) {
  Open();
  fs::create_directories(settings_.path() / "Velmar" / "favorites.json");  // a folder in the way
  Form().ClickAt(StarX(), RowY(0));
  Close();
  EXPECT_TRUE(notices_.empty());
  EXPECT_TRUE(fs::is_directory(settings_.path() / "Velmar" / "favorites.json"));
}

}  // namespace
