// The program's own options, read before the toolkit starts.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "support/temp_folder.h"

namespace {

// argv as the system hands it over.
struct Arguments {
  explicit Arguments(std::vector<std::string> args) : strings(std::move(args)) {
    strings.insert(strings.begin(), "velmar");
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
  }
  int argc() const { return int(strings.size()); }
  char** argv() { return pointers.data(); }
  std::vector<std::string> strings;
  std::vector<char*> pointers;
};

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLine Read(std::vector<std::string> args) {
    Arguments arguments(std::move(args));
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    CommandLine result = ReadCommandLine(arguments.argc(), arguments.argv());
    out_ = ::testing::internal::GetCapturedStdout();
    err_ = ::testing::internal::GetCapturedStderr();
    return result;
  }
  std::string Catalog() const { return data_.path().string(); }

  testing_support::TempFolder data_;
  std::string out_, err_;
};

TEST_F(CommandLineTest, NoOptionsChangeNothing) {
  const CommandLine line = Read({});
  EXPECT_FALSE(line.exitCode);
  EXPECT_FALSE(line.dataFolder);
  EXPECT_EQ(out_ + err_, "");
}

TEST_F(CommandLineTest, DataFolderMustHoldACatalog) {
  data_.write("games.json", "[]");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--data", Catalog()}, {"--data=" + Catalog()}, {"--data", Catalog() + "/"}}) {
    const CommandLine line = Read(args);
    EXPECT_FALSE(line.exitCode) << args[0] << err_;
    ASSERT_TRUE(line.dataFolder) << args[0];
    EXPECT_EQ(*line.dataFolder, data_.text()) << args[0];
  }
}

struct WrongCase {
  const char* label;
  std::vector<std::string> args;
  const char* error;  // the start of the one line on stderr
};

TEST_F(CommandLineTest, MistakesEndWithStatusTwoAndOneLine) {
  data_.write("sub/other.json", "[]");
  const WrongCase cases[] = {
      {"no_folder_after_data", {"--data"}, "velmar: --data needs a folder"},
      {"missing_folder", {"--data", Catalog() + "/none"}, "velmar: no folder "},
      {"folder_without_catalog", {"--data", Catalog() + "/sub"}, "velmar: "},
      {"empty_folder_name", {"--data="}, "velmar: the folder name after --data is empty"},
      {"data_twice", {"--data", Catalog() + "/sub", "--data", Catalog()}, "velmar: "},
  };
  for (const WrongCase& c : cases) {
    const CommandLine line = Read(c.args);
    EXPECT_EQ(line.exitCode, 2) << c.label;
    EXPECT_TRUE(err_.starts_with(c.error)) << c.label << ": " << err_;
    EXPECT_EQ(std::count(err_.begin(), err_.end(), '\n'), 1) << c.label << ": " << err_;
    EXPECT_EQ(out_, "") << c.label;
  }
}

TEST_F(CommandLineTest, HelpAndVersionPrintAndEnd) {
  CommandLine line = Read({"--help"});
  EXPECT_EQ(line.exitCode, 0);
  EXPECT_TRUE(out_.starts_with("usage: velmar [--data FOLDER]\n")) << out_;
  for (const char* option : {"--data FOLDER", "--version", "--help"}) {
    EXPECT_NE(out_.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(out_.find("-platform"), std::string::npos) << "the toolkit's options are not ours";
  line = Read({"--version"});
  EXPECT_EQ(line.exitCode, 0);
  EXPECT_TRUE(out_.starts_with("Velmar 1.")) << out_;
  EXPECT_EQ(std::count(out_.begin(), out_.end(), '\n'), 1) << out_;
}

TEST_F(CommandLineTest, WhatIsNotOursIsUnknownAfterTheToolkitTookItsOwn) {
  data_.write("games.json", "[]");
  Arguments known({"--data", Catalog(), "--data=" + Catalog()});
  EXPECT_FALSE(UnknownArgument(known.argc(), known.argv()));
  Arguments unknown({"--data", Catalog(), "--bogus"});
  EXPECT_EQ(UnknownArgument(unknown.argc(), unknown.argv()), "--bogus");
  Arguments positional({"catalog"});
  EXPECT_EQ(UnknownArgument(positional.argc(), positional.argv()), "catalog");
}

}  // namespace
