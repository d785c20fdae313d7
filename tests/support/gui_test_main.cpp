// Test entry for tests that build windows: the toolkit lives for the whole run.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/controls/application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Headless unless told otherwise; test discovery at build time runs this too.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  fmx::Application.Initialize(argc, argv);
  const int result = RUN_ALL_TESTS();
  fmx::Application.Shutdown();
  return result;
}
