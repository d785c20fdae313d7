#include "app/demo_catalog_report.h"

#include <cstdio>

#include "platform/utf8.h"
#include "tools/check/catalog_checker.h"

void ReportDemoCatalog(const std::u16string& catalogPath) {
  const std::size_t slash = catalogPath.find_last_of(u"/\\");
  const std::u16string folder =
      slash == std::u16string::npos ? std::u16string() : catalogPath.substr(0, slash + 1);
  const auto error = checker::FirstCatalogError(folder);
  const std::string line =
      error ? checker::FormatFinding(*error)
            : platform::Utf16ToUtf8(catalogPath) + ": error: cannot be used [io]";
  std::fprintf(stderr, "%s\nvelmar: showing the demo catalog instead; run 'velmar-check %s' for the details\n",
               line.c_str(), platform::Utf16ToUtf8(folder).c_str());
}
