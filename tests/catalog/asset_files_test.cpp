// Where the program finds a picture a catalog names.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "catalog/game_data.h"
#include "platform/utf8.h"
#include "support/system.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using GameData::FindAssetFile;
using GameData::TAssetFile;
using State = GameData::TAssetFile::TState;
using testing_support::TempFolder;

namespace {

const char* StateName(State state) {
  switch (state) {
    case State::Found:
      return "Found";
    case State::Missing:
      return "Missing";
    case State::OutsideFolder:
      return "OutsideFolder";
    case State::NotAFile:
      return "NotAFile";
  }
  return "?";
}

struct AssetCase {
  const char* label;
  const char* name;       // as the catalog writes it
  State state;
  const char* foundAt;    // relative to the data folder, when found
  bool caseDiffers;
};

void PrintTo(const AssetCase& c, std::ostream* os) { *os << c.label; }

class AssetLookup : public ::testing::TestWithParam<AssetCase> {
 protected:
  static void SetUpTestSuite() {
    data_ = new TempFolder;
    data_->write("assets/post/exact.png", "p");
    data_->write("assets/post/Pixel-Drift.jpg", "p");
    data_->write("assets/post/sub/deep.png", "p");
    data_->write("assets/post/Twin.png", "p");
    data_->write("assets/post/twin.PNG", "p");
    data_->write("assets/post/both.png", "p");
    data_->write("assets/post/Both.png", "p");
    data_->write("assets/qrcod/qr.png", "q");
    data_->write("games.json", "[]");
    data_->write("../outside-" + data_->path().filename().string() + ".png", "secret");
    fs::create_directory(data_->path() / "assets/post/folder.png");
#ifndef _WIN32
    const fs::path post = data_->path() / "assets/post";
    mkfifo((post / "pipe.png").c_str(), 0600);
    fs::create_symlink("/usr", post / "usr-link");
    fs::create_symlink(data_->path() / "games.json", post / "catalog-link.png");
    fs::create_symlink("sub/deep.png", post / "inner-link.png");
#endif
  }
  static void TearDownTestSuite() {
    fs::remove(data_->path().parent_path() /
               ("outside-" + data_->path().filename().string() + ".png"));
    delete data_;
  }
  static TempFolder* data_;
};

TempFolder* AssetLookup::data_ = nullptr;

TEST_P(AssetLookup, FindsTheFileAuthorsMean) {
  const AssetCase& c = GetParam();
  if (std::string_view(c.label) == "two_match_ignoring_case") {
    VELMAR_SKIP_ON_WINDOWS("a Windows folder cannot hold two names that differ only in letter case");
  }
  std::u16string name = platform::Utf8ToUtf16(c.name);
  // Names of a file beside the data folder differ from run to run.
  const std::u16string outside = u"OUTSIDE";
  if (const auto at = name.find(outside); at != std::u16string::npos) {
    name.replace(at, outside.size(),
                 platform::Utf8ToUtf16("outside-" + data_->path().filename().string()));
  }
  const TAssetFile found = FindAssetFile(data_->text(), GameData::kPosterFolder, name);
  EXPECT_STREQ(StateName(found.State), StateName(c.state));
  EXPECT_EQ(found.CaseDiffers, c.caseDiffers);
  if (c.state == State::Found) {
    EXPECT_TRUE(fs::equivalent(fs::path(found.Path), data_->path() / c.foundAt));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, AssetLookup,
    ::testing::Values(
        AssetCase{"exact", "exact.png", State::Found, "assets/post/exact.png", false},
        AssetCase{"other_case", "pixel-drift.JPG", State::Found, "assets/post/Pixel-Drift.jpg",
                  true},
        AssetCase{"backslash_folder", "sub\\deep.png", State::Found, "assets/post/sub/deep.png",
                  false},
        AssetCase{"slash_folder_other_case", "SUB/Deep.png", State::Found,
                  "assets/post/sub/deep.png", true},
        AssetCase{"doubled_separators", "sub\\\\deep.png", State::Found,
                  "assets/post/sub/deep.png", false},
        AssetCase{"dot_dot_inside", "sub\\..\\exact.png", State::Found, "assets/post/exact.png",
                  false},
        AssetCase{"two_match_ignoring_case", "TWIN.png", State::Missing, "", false},
        AssetCase{"exact_wins_over_other_cases", "both.png", State::Found, "assets/post/both.png",
                  false},
        AssetCase{"missing", "none.png", State::Missing, "", false},
        AssetCase{"empty", "", State::Missing, "", false},
        AssetCase{"only_separators", "\\\\", State::Missing, "", false},
        AssetCase{"other_folder_by_dot_dot", "..\\..\\games.json", State::OutsideFolder, "", false},
        AssetCase{"sibling_folder_by_dot_dot", "../../assets/qrcod/qr.png", State::OutsideFolder,
                  "", false},
        AssetCase{"beside_the_data_folder", "..\\..\\..\\OUTSIDE.png", State::OutsideFolder, "",
                  false},
        AssetCase{"absolute_is_inside", "/exact.png", State::Found, "assets/post/exact.png", false},
        AssetCase{"a_folder", "folder.png", State::NotAFile, "", false}),
    [](const auto& info) { return std::string(info.param.label); });

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(
    PipesAndLinks, AssetLookup,
    ::testing::Values(
        AssetCase{"a_pipe", "pipe.png", State::NotAFile, "", false},
        AssetCase{"link_out_of_the_folder", "usr-link/share", State::OutsideFolder, "", false},
        AssetCase{"link_to_the_catalog", "catalog-link.png", State::OutsideFolder, "", false},
        AssetCase{"link_inside_the_folder", "inner-link.png", State::Found,
                  "assets/post/inner-link.png", false}),
    [](const auto& info) { return std::string(info.param.label); });
#endif

TEST(AssetFolders, AssetsAndFolderNamesMatchIgnoringCase) {
  TempFolder data;
  data.write("Assets/QRCOD/code.png", "q");
  const TAssetFile found = FindAssetFile(data.text(), GameData::kQRCodeFolder, u"code.png");
  EXPECT_TRUE(found.Found());
  EXPECT_TRUE(found.CaseDiffers);
  EXPECT_EQ(fs::path(found.Path), data.path() / "Assets/QRCOD/code.png");
}

TEST(AssetFolders, AssetsFolderKeptElsewhereThroughALinkStillCounts) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need the developer mode or administrator rights on Windows";
#else
  TempFolder data, shared;
  shared.write("post/p.png", "p");
  fs::create_directory(data.path() / "assets");
  fs::create_symlink(shared.path() / "post", data.path() / "assets/post");
  EXPECT_TRUE(FindAssetFile(data.text(), GameData::kPosterFolder, u"p.png").Found());
#endif
}

}  // namespace
