#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace testing_support {

// Runs `body` with the rights of an ordinary user, for tests of what folder
// and file permissions refuse (root is refused nothing). When the test runs
// as root, `body` runs in a child process that has become user and group
// 65534 ("nobody") and owns `workFolder`. `body` answers an empty text when
// all went as expected, else what did not; so does this function.
std::string RunUnprivileged(const std::filesystem::path& workFolder,
                            const std::function<std::string()>& body);

}  // namespace testing_support
