#pragma once

#include <string>

namespace testing_support {

// Sets (or, with nullptr, removes) an environment variable for the life of
// the object, then puts back what was there.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::string saved_;
  bool had_ = false;
};

// Sets an environment variable that is not set yet.
void SetEnvironmentDefault(const char* name, const char* value);

}  // namespace testing_support
