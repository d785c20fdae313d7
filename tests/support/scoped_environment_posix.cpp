#include "support/scoped_environment.h"

#include <cstdlib>

namespace testing_support {

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    saved_ = old;
    had_ = true;
  }
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  if (had_) {
    setenv(name_, saved_.c_str(), 1);
  } else {
    unsetenv(name_);
  }
}

void SetEnvironmentDefault(const char* name, const char* value) { setenv(name, value, 0); }

}  // namespace testing_support
