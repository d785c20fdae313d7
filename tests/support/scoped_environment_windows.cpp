#include "support/scoped_environment.h"

#include <cstdlib>

namespace testing_support {

namespace {

// The C library's copy of the environment and the process's own, both.
void Set(const char* name, const char* value) { _putenv_s(name, value ? value : ""); }

}  // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : name_(name) {
  if (const char* old = std::getenv(name)) {
    saved_ = old;
    had_ = true;
  }
  Set(name, value);
}

ScopedEnvironment::~ScopedEnvironment() { Set(name_, had_ ? saved_.c_str() : nullptr); }

void SetEnvironmentDefault(const char* name, const char* value) {
  if (!std::getenv(name)) Set(name, value);
}

}  // namespace testing_support
