#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <string>

namespace orvane::test {

// Runs body in a child process whose files may not grow beyond limit_bytes (SIGXFSZ ignored, so
// a write past the limit fails with EFBIG instead of killing the child), and returns the text
// body returned. Files the child writes stay on disk for the test to look at. Permissions would
// not stop a write when the tests run as root; a file-size limit does.
inline std::string with_file_size_limit(rlim_t limit_bytes,
                                        const std::function<std::string()>& body) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return "pipe failed";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_ends[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{limit_bytes, limit_bytes};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string text = body();
    std::size_t done = 0;
    while (done < text.size()) {
      const ssize_t n = ::write(pipe_ends[1], text.data() + done, text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipe_ends[1]);
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) text += "[child did not exit normally]";
  return text;
}

// Whether permission bits stop this process's writes (they do not for root).
inline bool permissions_apply() {
  return ::geteuid() != 0;
}

}  // namespace orvane::test
