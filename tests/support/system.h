#pragma once

#include <gtest/gtest.h>

// Which system the tests run on, for the few that are about one system's
// own things (FIFOs and chmod on POSIX; share modes on Windows).
namespace testing_support {
#ifdef _WIN32
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif
}  // namespace testing_support

// Ends a test that is about a POSIX-only thing, saying why, when it runs on
// Windows.
#define VELMAR_SKIP_ON_WINDOWS(reason)                   \
  do {                                                   \
    if (testing_support::kOnWindows) GTEST_SKIP() << (reason); \
  } while (0)
