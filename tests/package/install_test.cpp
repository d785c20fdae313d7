// cmake --install into a prefix of a user's own, as `--prefix ~/.local`
// would: where the program, its data folder, the desktop files and the
// commands on PATH land, that the program finds its data through the link,
// and that a reinstall never puts the sample back over a studio's catalog.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "package_test_support.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using testing_support::RunProgramIn;
using testing_support::ReadBytes;

namespace {

class HomeInstall : public ::testing::Test {
 protected:
  // Installs the build into <temp>/.local; the output is kept for messages.
  testing_support::ProgramRun Install() {
    return RunProgramIn(home_.path(), VELMAR_CMAKE,
                        {"--install", VELMAR_BUILD_DIR, "--prefix", prefix_.string()});
  }

  testing_support::TempFolder home_;
  const fs::path prefix_ = home_.path() / ".local";
  const fs::path app_ = prefix_ / "lib" / "velmar";
  const fs::path sample_ = VELMAR_SAMPLE_DATA_DIR;
};

TEST_F(HomeInstall, PutsTheProgramInAFolderOfItsOwnWithLinksAndDesktopFiles) {
  const auto install = Install();
  ASSERT_EQ(install.status, 0) << install.out << install.err;

  // The program's folder: the programs in bin/, the data folder one up.
  for (const char* program : {"velmar", "velmar-check"}) {
    const fs::path installed = app_ / "bin" / program;
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(installed))) << installed;
    EXPECT_NE(fs::status(installed).permissions() & fs::perms::owner_exec, fs::perms::none);
    const fs::path link = prefix_ / "bin" / program;
    ASSERT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(fs::read_symlink(link), fs::path("../lib/velmar/bin") / program);
  }
  EXPECT_EQ(package_testing::FilesUnder(app_ / "assets"),
            package_testing::FilesUnder(sample_ / "assets"));
  EXPECT_EQ(ReadBytes(app_ / "games.json"), ReadBytes(sample_ / "games.json"));
  // Nothing but the two links in the shared bin/.
  int inBin = 0;
  for (const auto& entry : fs::directory_iterator(prefix_ / "bin")) {
    EXPECT_TRUE(entry.is_symlink()) << entry.path();
    ++inBin;
  }
  EXPECT_EQ(inBin, 2);

  // The desktop files where the desktop looks, naming the program by its path.
  const std::string entry = ReadBytes(prefix_ / "share/applications/velmar.desktop");
  const std::string program = (app_ / "bin" / "velmar").string();
  EXPECT_NE(entry.find("\nExec=" + program + "\n"), std::string::npos) << entry;
  EXPECT_NE(entry.find("\nTryExec=" + program + "\n"), std::string::npos) << entry;
  for (const char* icon : {"48x48/apps/velmar.png", "128x128/apps/velmar.png",
                           "256x256/apps/velmar.png", "scalable/apps/velmar.svg"}) {
    EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/icons/hicolor" / icon)) << icon;
  }
  EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/metainfo/example.velmar.Velmar.metainfo.xml"));
  EXPECT_TRUE(fs::is_regular_file(prefix_ / "share/man/man1/velmar-check.1.gz"));
  // A package's own files stay out of a hand install.
  EXPECT_FALSE(fs::exists(prefix_ / "share/lintian"));
}

TEST_F(HomeInstall, TheCheckerStartedThroughItsLinkFindsTheInstalledCatalog) {
  const auto install = Install();
  ASSERT_EQ(install.status, 0) << install.out << install.err;

  // Started by its link, from an unrelated folder, without a folder argument.
  testing_support::TempFolder elsewhere;
  const auto viaLink =
      RunProgramIn(elsewhere.path(), (prefix_ / "bin" / "velmar-check").string(), {});
  const auto direct =
      RunProgramIn(elsewhere.path(), (app_ / "bin" / "velmar-check").string(), {app_.string()});
  EXPECT_EQ(viaLink.status, 0) << viaLink.out << viaLink.err;
  EXPECT_EQ(package_testing::LastLine(viaLink.out), package_testing::LastLine(direct.out));
  EXPECT_NE(viaLink.out.find(" games, 0 errors"), std::string::npos) << viaLink.out;
}

TEST_F(HomeInstall, AReinstallKeepsAStudioCatalogAndRestoresTheSample) {
  ASSERT_EQ(Install().status, 0);

  // The same sample again: a poster removed by mistake comes back.
  const fs::path poster = app_ / "assets" / package_testing::FilesUnder(app_ / "assets").back();
  fs::remove(poster);
  ASSERT_EQ(Install().status, 0);
  EXPECT_TRUE(fs::exists(poster));

  // A studio's catalog in its place is kept, and the install says so.
  const std::string studio = R"([{"id": 1, "name": "Studio game"}])";
  std::ofstream(app_ / "games.json", std::ios::binary | std::ios::trunc) << studio;
  fs::remove(poster);
  const auto again = Install();
  EXPECT_EQ(again.status, 0) << again.out << again.err;
  EXPECT_EQ(ReadBytes(app_ / "games.json"), studio);
  EXPECT_FALSE(fs::exists(poster));
  EXPECT_NE((again.out + again.err).find("Kept the catalog installed at"), std::string::npos)
      << again.out << again.err;

  // Removed by hand, the sample comes back on the next install.
  fs::remove(app_ / "games.json");
  ASSERT_EQ(Install().status, 0);
  EXPECT_EQ(ReadBytes(app_ / "games.json"), ReadBytes(sample_ / "games.json"));
}

}  // namespace
