// Test entry for tests that build windows: the toolkit lives for the whole run.
#include <gtest/gtest.h>

#include "platform/controls/application.h"
#include "support/scoped_environment.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Headless unless told otherwise; test discovery at build time runs this too.
  testing_support::SetEnvironmentDefault("QT_QPA_PLATFORM", "offscreen");
  fmx::Application.Initialize(argc, argv);
  const int result = RUN_ALL_TESTS();
  fmx::Application.Shutdown();
  return result;
}
