#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace testing_support {

// Channels of an AARRGGBB colour.
inline int Red(std::uint32_t c) { return int((c >> 16) & 0xFF); }
inline int Green(std::uint32_t c) { return int((c >> 8) & 0xFF); }
inline int Blue(std::uint32_t c) { return int(c & 0xFF); }

// Two colours whose red, green and blue differ by at most `tolerance`;
// smoothing and JPEG move colours a little.
inline ::testing::AssertionResult ColorNear(std::uint32_t actual, std::uint32_t expected,
                                            int tolerance = 2) {
  if (std::abs(Red(actual) - Red(expected)) <= tolerance &&
      std::abs(Green(actual) - Green(expected)) <= tolerance &&
      std::abs(Blue(actual) - Blue(expected)) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  char text[64];
  std::snprintf(text, sizeof text, "%08X, expected about %08X", actual, expected);
  return ::testing::AssertionFailure() << text;
}

}  // namespace testing_support
