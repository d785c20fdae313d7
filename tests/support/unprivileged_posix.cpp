#include "support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

std::string RunUnprivileged(const std::filesystem::path& workFolder,
                            const std::function<std::string()>& body) {
  if (geteuid() != 0) return body();
  constexpr uid_t kNobody = 65534;
  if (chown(workFolder.c_str(), kNobody, kNobody) != 0) return "cannot hand the folder over";
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child < 0) return "no fork";
  if (child == 0) {
    close(channel[0]);
    std::string result;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) {
      result = "cannot become an ordinary user";
    } else {
      result = body();
    }
    const char* data = result.data();
    std::size_t left = result.size();
    while (left > 0) {
      const ssize_t written = write(channel[1], data, left);
      if (written <= 0) break;
      data += written;
      left -= static_cast<std::size_t>(written);
    }
    _exit(0);
  }
  close(channel[1]);
  std::string result;
  char buffer[512];
  ssize_t got;
  while ((got = read(channel[0], buffer, sizeof buffer)) > 0) {
    result.append(buffer, static_cast<std::size_t>(got));
  }
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) result += "the child process failed";
  return result;
}

}  // namespace testing_support
