#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"
#include "platform/utf8.h"
#include "support/temp_folder.h"
#include "tools/check/catalog_checker.h"

// A data folder in a temporary folder. Findings are compared as the lines
// velmar-check prints, with the folder written as "DATA/".
class CheckerTest : public ::testing::Test {
 protected:
  std::string Folder() const { return platform::Utf16ToUtf8(folder_.text()); }

  void WriteCatalog(std::string_view bytes) const { folder_.write("games.json", bytes); }

  // Copies a file of the bundled sample data folder into this one.
  void CopySample(std::string_view from, std::string_view to) const {
    folder_.write(to,
                  testing_support::ReadBytes(std::filesystem::path(VELMAR_SAMPLE_DATA_DIR) / from));
  }

  void CopyIcons() const {
    CopySample("assets/icon/apk-icon.png", "assets/icon/apk-icon.png");
    CopySample("assets/icon/telegram-icon.png", "assets/icon/telegram-icon.png");
  }

  // The folder becomes "DATA/", and the system's separators in the rest of
  // that path (up to its ':' or ';') are written '/', so one table of lines
  // holds on every system.
  std::string WithDataFolder(std::string line) const {
    const std::string folder = Folder();
    for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder, at)) {
      line.replace(at, folder.size(), "DATA/");
      for (at += 5; at < line.size() && line[at] != ':' && line[at] != ';'; ++at) {
        if (line[at] == char(platform::kPathSeparator)) line[at] = '/';
      }
    }
    return line;
  }

  std::vector<std::string> Lines(const checker::Report& report) const {
    std::vector<std::string> lines;
    for (const checker::Finding& finding : report.findings) {
      lines.push_back(WithDataFolder(checker::FormatFinding(finding)));
    }
    return lines;
  }

  testing_support::TempFolder folder_;
};
