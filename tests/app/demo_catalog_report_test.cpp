// What the program says on stderr when it shows the demo catalog: the
// checker's first error about games.json, then where to learn more.

#include <gtest/gtest.h>

#include <string>

#include "app/demo_catalog_report.h"
#include "platform/utf8.h"
#include "support/temp_folder.h"
#include "tools/check/catalog_checker.h"

namespace {

struct DemoCase {
  const char* label;
  const char* catalog;  // nullptr: no games.json at all
  const char* firstLine;  // after the folder
};

TEST(DemoCatalogReport, SaysWhyInTheCheckersWordsThenSuggestsTheChecker) {
  const DemoCase cases[] = {
      {"missing_comma", "[{\"a\": 1 \"b\": 2}]",
       "games.json:1:10: error: expected ',' or '}', found a string (missing comma?) [json-syntax]"},
      {"not_an_array", "{\"id\": 1}",
       "games.json:1:1: error: the catalog must be an array [ ... ] of games, not an object "
       "[not-array]"},
      {"no_catalog", nullptr, "games.json: error: no such file [io]"},
  };
  for (const DemoCase& c : cases) {
    testing_support::TempFolder data;
    if (c.catalog) data.write("games.json", c.catalog);
    const std::string folder = platform::Utf16ToUtf8(data.text());
    ::testing::internal::CaptureStderr();
    ReportDemoCatalog(data.text() + u"games.json");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, folder + c.firstLine + "\nvelmar: showing the demo catalog instead; run "
                                          "'velmar-check " + folder + "' for the details\n")
        << c.label;
  }
}

}  // namespace
