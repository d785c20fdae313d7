#pragma once

#include <string>

// Says on stderr why the catalog at `catalogPath` is not shown, in the words
// and form of velmar-check, and suggests running it.
void ReportDemoCatalog(const std::u16string& catalogPath);
