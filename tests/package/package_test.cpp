// The Debian package as a user gets it: its file list, its contents unpacked
// into a temporary root with dpkg-deb -x, the commands started through their
// /usr/bin links, the window of the unpacked program on the unpacked catalog,
// and the desktop files checked by the desktop's own validators.
// The package_build test builds and unpacks the package first.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "package_test_support.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#ifdef VELMAR_X_SESSION
#include "x_session.h"
#endif

namespace fs = std::filesystem;
using testing_support::RunProgramIn;
using testing_support::ReadBytes;

namespace {

const fs::path kPackageDir = VELMAR_PACKAGE_DIR;
const fs::path kRoot = kPackageDir / "root";
const fs::path kSample = VELMAR_SAMPLE_DATA_DIR;
const std::string kProgramFolder = "/opt/velmar";

bool ToolExists(const std::string& tool) {
  return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

class Package : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& entry : fs::directory_iterator(kPackageDir, ignored_)) {
      if (entry.path().extension() == ".deb") deb_ = entry.path();
    }
    if (deb_.empty()) {
      GTEST_SKIP() << "no package in " << kPackageDir << ": see the package_build test";
    }
  }

  // The unpacked path of a path the package installs.
  static fs::path Unpacked(const std::string& installed) {
    return kRoot / fs::path(installed).relative_path();
  }

  std::error_code ignored_;
  fs::path deb_;
};

TEST_F(Package, IsNamedAfterItsVersionAndListsExactlyTheInstalledFiles) {
  const std::string name = deb_.filename().string();
  EXPECT_EQ(name.rfind("velmar_" VELMAR_PACKAGE_VERSION "_", 0), 0u) << name;

  const auto listing = RunProgramIn(kPackageDir, "dpkg-deb", {"-c", deb_.string()});
  ASSERT_EQ(listing.status, 0) << listing.err;
  // "mode owner size date time ./path[ -> target]": keep the path and target.
  std::set<std::string> listed;
  std::size_t start = 0;
  for (std::size_t end; (end = listing.out.find('\n', start)) != std::string::npos;
       start = end + 1) {
    const std::string line = listing.out.substr(start, end - start);
    const auto path = line.find(" ./");
    ASSERT_NE(path, std::string::npos) << line;
    if (line.front() == 'd') continue;
    listed.insert(line.substr(path + 2));
  }

  std::set<std::string> expected = {
      "/opt/velmar/bin/velmar",
      "/opt/velmar/bin/velmar-check",
      "/usr/bin/velmar -> /opt/velmar/bin/velmar",
      "/usr/bin/velmar-check -> /opt/velmar/bin/velmar-check",
      "/usr/share/applications/velmar.desktop",
      "/usr/share/metainfo/example.velmar.Velmar.metainfo.xml",
      "/usr/share/icons/hicolor/48x48/apps/velmar.png",
      "/usr/share/icons/hicolor/128x128/apps/velmar.png",
      "/usr/share/icons/hicolor/256x256/apps/velmar.png",
      "/usr/share/icons/hicolor/scalable/apps/velmar.svg",
      "/usr/share/man/man1/velmar.1.gz",
      "/usr/share/man/man1/velmar-check.1.gz",
      "/usr/share/doc/velmar/copyright",
      "/usr/share/doc/velmar/changelog.gz",
      "/usr/share/lintian/overrides/velmar",
  };
  // The data folder is the sample catalog, whole, at the program folder's root.
  for (const std::string& file : package_testing::FilesUnder(kSample)) {
    expected.insert(kProgramFolder + "/" + file);
  }
  EXPECT_EQ(listed, expected);
}

TEST_F(Package, CommandLinksLeadIntoTheProgramFolder) {
  for (const char* command : {"velmar", "velmar-check"}) {
    const fs::path link = Unpacked(std::string("/usr/bin/") + command);
    ASSERT_TRUE(fs::is_symlink(link)) << link;
    const fs::path target = fs::read_symlink(link);
    EXPECT_EQ(target, fs::path(kProgramFolder) / "bin" / command);
    const fs::path program = Unpacked(target.string());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(program))) << program;
    EXPECT_NE(fs::status(program).permissions() & fs::perms::others_exec, fs::perms::none);
  }
}

// The /usr/bin link of the unpacked root points at /opt on this machine, so
// a link of the same kind is made to the unpacked program.
fs::path LinkTo(const testing_support::TempFolder& folder, const fs::path& program) {
  const fs::path link = folder.path() / "bin" / program.filename();
  fs::create_directories(link.parent_path());
  fs::create_symlink(program, link);
  return link;
}

TEST_F(Package, TheCheckerStartedThroughALinkFindsThePackagedCatalog) {
  testing_support::TempFolder usr, elsewhere;
  const fs::path program = Unpacked(kProgramFolder + "/bin/velmar-check");
  const auto viaLink = RunProgramIn(elsewhere.path(), LinkTo(usr, program).string(), {});
  const auto direct =
      RunProgramIn(elsewhere.path(), program.string(), {Unpacked(kProgramFolder).string()});
  EXPECT_EQ(viaLink.status, 0) << viaLink.out << viaLink.err;
  EXPECT_EQ(package_testing::LastLine(viaLink.out), package_testing::LastLine(direct.out));
  EXPECT_NE(viaLink.out.find(" games, 0 errors"), std::string::npos) << viaLink.out;
}

TEST_F(Package, TheProgramStartedThroughALinkShowsThePackagedCatalog) {
#ifndef VELMAR_X_SESSION
  GTEST_SKIP() << "Xlib was not found at configure time: the program cannot be watched";
#else
  if (const std::string why = XSession::Unavailable(); !why.empty()) GTEST_SKIP() << why;

  // What the window shows on the unpacked catalog, rendered offscreen.
  testing_support::TempFolder scratch, settings, usr;
  const fs::path snapshot = scratch.path() / "window.png";
  const auto render = RunProgramIn(scratch.path(), VELMAR_SNAPSHOT_EXE,
                                   {"--data", Unpacked(kProgramFolder).string(), "--settings",
                                    (scratch.path() / "settings").string(), "--out",
                                    snapshot.string()});
  ASSERT_EQ(render.status, 0) << render.out << render.err;
  const QImage expected(QString::fromStdString(snapshot.string()));
  ASSERT_FALSE(expected.isNull());

  // The first game's poster fills these points; the bare panel would not.
  const std::vector<std::pair<int, int>> posterPoints = {{400, 200}, {300, 150}, {200, 100}};
  for (const auto& [x, y] : posterPoints) {
    const QRgb pixel = expected.pixel(x, y);
    EXPECT_NE(pixel, 0xFF2D2D2Du) << x << "," << y << ": the poster panel is empty";
    EXPECT_NE(pixel, 0xFF1E1E1Eu) << x << "," << y;
  }

  // The unpacked program, started through a link from an unrelated folder,
  // finds the unpacked catalog one folder up from its real folder.
  XSession x;
  ASSERT_TRUE(x.StartServer());
  ASSERT_TRUE(x.StartProgram(LinkTo(usr, Unpacked(kProgramFolder + "/bin/velmar")).string(),
                             {"XDG_CONFIG_HOME=" + settings.path().string(),
                              "ASAN_OPTIONS=detect_leaks=0"}));
  ASSERT_TRUE(x.WaitForWindow("Velmar"));
  for (const auto& [x0, y0] : posterPoints) {
    EXPECT_TRUE(x.WaitForPixel(x0, y0, expected.pixel(x0, y0))) << x0 << "," << y0;
  }
  EXPECT_EQ(x.CloseAndWait(), 0);
#endif
}

TEST_F(Package, TheDesktopEntryStartsTheInstalledProgramByItsPath) {
  const std::string entry = ReadBytes(Unpacked("/usr/share/applications/velmar.desktop"));
  for (const char* line : {"Exec=/opt/velmar/bin/velmar", "TryExec=/opt/velmar/bin/velmar",
                           "Icon=velmar", "Name=Velmar", "Name[ru]=Velmar"}) {
    EXPECT_NE(entry.find(std::string("\n") + line + "\n"), std::string::npos)
        << line << "\n" << entry;
  }
  for (const char* key : {"\nComment=", "\nComment[ru]=", "\nCategories="}) {
    EXPECT_NE(entry.find(key), std::string::npos) << key;
  }
  EXPECT_TRUE(fs::is_regular_file(Unpacked("/opt/velmar/bin/velmar")));

  // Each hicolor picture has the size of its folder.
  for (int size : {48, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    const QImage icon(QString::fromStdString(
        Unpacked("/usr/share/icons/hicolor/" + folder + "/apps/velmar.png").string()));
    EXPECT_EQ(icon.width(), size) << folder;
    EXPECT_EQ(icon.height(), size) << folder;
  }
}

TEST_F(Package, TheDesktopEntryPassesDesktopFileValidate) {
  if (!ToolExists("desktop-file-validate")) {
    GTEST_SKIP() << "desktop-file-validate is missing (desktop-file-utils)";
  }
  const auto run = RunProgramIn(kPackageDir, "desktop-file-validate",
                                {Unpacked("/usr/share/applications/velmar.desktop").string()});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out.find("error"), std::string::npos) << run.out;
}

TEST_F(Package, TheMetainfoPassesAppstreamValidation) {
  if (!ToolExists("appstreamcli")) GTEST_SKIP() << "appstreamcli is missing (appstream)";
  const fs::path metainfo = Unpacked("/usr/share/metainfo/example.velmar.Velmar.metainfo.xml");
  const auto run =
      RunProgramIn(kPackageDir, "appstreamcli", {"validate", "--no-net", metainfo.string()});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  // Its launchable is the packaged desktop entry.
  EXPECT_NE(ReadBytes(metainfo).find("<launchable type=\"desktop-id\">velmar.desktop</launchable>"),
            std::string::npos);
}

}  // namespace
