// The command line's user interface: messages on one line, and the progress line that is shown
// only on a terminal and cleared before anything else is written.
#include "core/cli_user_interface.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using orvane::core::CliUserInterface;

// A stream into memory, read back as text.
class MemoryStream {
 public:
  MemoryStream() : file_(open_memstream(&data_, &size_)) {}
  ~MemoryStream() {
    std::fclose(file_);
    std::free(data_);
  }
  std::FILE* file() { return file_; }
  std::string text() {
    std::fflush(file_);
    return std::string(data_, size_);
  }

 private:
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

// Each call gives the next of the times.
CliUserInterface::Clock times(std::vector<double> seconds) {
  return [seconds, next = std::size_t{0}]() mutable { return seconds.at(next++); };
}

TEST(CliUserInterface, ProgressLineOnATerminalIsClearedBeforeEveryOtherLine) {
  MemoryStream out, err;
  {
    CliUserInterface ui("batch-dark", out.file(), err.file(), 80, times({100, 110}));
    ui.progress("Progress 1", "/night/a.fit", {0, 4});
    // One file in 10 s, three to go: 30 s left.
    ui.progress("Progress 2", "/night/b.fit", {1, 4});
    const std::string first = "batch-dark: 0 of 4 done, a.fit";
    const std::string second = "batch-dark: 1 of 4 done, b.fit, 0:30 left";
    EXPECT_EQ(err.text(), "\r" + first + "\r" + second);
    ui.print_result("processed 4, skipped 0");
    const std::string cleared = "\r" + std::string(second.size(), ' ') + "\r";
    EXPECT_EQ(err.text(), "\r" + first + "\r" + second + cleared);
    EXPECT_EQ(out.text(), "processed 4, skipped 0\n");
    ui.message("a.fit: cannot be read\r\nThe run stopped");
    EXPECT_EQ(err.text(),
              "\r" + first + "\r" + second + cleared + "a.fit: cannot be read / The run stopped\n");
  }

  // Not a terminal: no progress line at all. A 12-column terminal: the line is cut to 11.
  MemoryStream log, narrow;
  CliUserInterface quiet("bzero", out.file(), log.file(), std::nullopt, times({}));
  quiet.progress("Progress", "/night/a.fit", {0, 4});
  quiet.progress_done();
  EXPECT_EQ(log.text(), "");
  CliUserInterface cut("photometry", out.file(), narrow.file(), 12, times({0}));
  cut.progress("Automatic photometry", "/night/a.fit", {0, 4});
  cut.progress_done();
  EXPECT_EQ(narrow.text(), "\rphotometry:\r           \r");
}

}  // namespace
