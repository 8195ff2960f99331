#include "core/cli_user_interface.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/number_text.h"

namespace orvane::core {
namespace {

double steady_seconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration<double>(since).count();
}

// The width of the terminal the stream writes to; none when it is not a terminal, such as a log
// file or a pipe, where a progress line would only clutter what a script reads.
std::optional<int> terminal_columns(std::FILE* stream) {
  const int fd = ::fileno(stream);
  if (fd < 0 || ::isatty(fd) != 1) return std::nullopt;
  winsize size{};
  if (::ioctl(fd, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// "0:42" or "1:02:05"; whole seconds, rounded up.
std::string duration_text(double seconds) {
  const double total = std::ceil(seconds);
  const double hours = std::floor(total / 3600);
  const double minutes = std::floor((total - hours * 3600) / 60);
  const double rest = total - hours * 3600 - minutes * 60;
  const std::string clock =
      hours > 0 ? str_trimmed(hours) + ":" + format(minutes, "00") : str_trimmed(minutes);
  return clock + ":" + format(rest, "00");
}

std::string_view file_name(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// At most `width` bytes, not cut inside a UTF-8 character; a line longer than the terminal
// would wrap, and "\r" would then rewrite only its last row.
std::string fitted(std::string text, std::size_t width) {
  if (text.size() <= width) return text;
  std::size_t end = width;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  text.resize(end);
  return text;
}

}  // namespace

CliUserInterface::CliUserInterface(std::string task, std::FILE* out, std::FILE* err)
    : CliUserInterface(std::move(task), out, err, terminal_columns(err), steady_seconds) {}

CliUserInterface::CliUserInterface(std::string task, std::FILE* out, std::FILE* err,
                                   std::optional<int> terminal_columns, Clock clock)
    : task_(std::move(task)),
      out_(out),
      err_(err),
      columns_(terminal_columns),
      clock_(std::move(clock)) {}

CliUserInterface::~CliUserInterface() {
  clear_line();
}

void CliUserInterface::message(std::string_view text, std::string_view /*title*/) {
  print_error(one_line(text));
}

// Nobody is there to answer: the command line asked for the work, so it goes ahead.
bool CliUserInterface::ask_ok_cancel(std::string_view /*text*/, std::string_view /*title*/) {
  return true;
}

bool CliUserInterface::progress(std::string_view caption, std::string_view label,
                                ProgressCount count) {
  if (!columns_) return true;
  // A loop over rows calls this thousands of times: the line is rewritten a few times a second.
  const double now = clock_();
  const bool last = count.total > 0 && count.done + 1 >= count.total;
  if (shown_ > 0 && now - drawn_at_ < kRedrawSeconds && !last) return true;
  drawn_at_ = now;
  // The command names what runs better than the window captions, some of which only count.
  std::string line = task_.empty() ? std::string(caption) : task_;
  if (count.total > 0) {
    line += ": " + str_trimmed(double(count.done)) + " of " + str_trimmed(double(count.total)) +
            " done";
  }
  if (!label.empty()) line += (count.total > 0 ? ", " : ": ") + std::string(file_name(label));
  if (std::optional<double> left = seconds_left(count, now)) {
    line += ", " + duration_text(*left) + " left";
  }
  line = fitted(std::move(line), std::size_t(std::max(*columns_ - 1, 1)));
  // Blanks over the rest of a longer line shown before.
  std::string bytes =
      "\r" + line + std::string(shown_ > line.size() ? shown_ - line.size() : 0, ' ');
  std::fwrite(bytes.data(), 1, bytes.size(), err_);
  std::fflush(err_);
  shown_ = line.size();
  return true;
}

void CliUserInterface::progress_done() {
  clear_line();
  first_done_.reset();
}

void CliUserInterface::print_result(std::string_view line) {
  clear_line();
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
}

void CliUserInterface::print_error(std::string_view line) {
  clear_line();
  std::fwrite(line.data(), 1, line.size(), err_);
  std::fputc('\n', err_);
  std::fflush(err_);
}

void CliUserInterface::clear_line() {
  if (shown_ == 0) return;
  const std::string bytes = "\r" + std::string(shown_, ' ') + "\r";
  std::fwrite(bytes.data(), 1, bytes.size(), err_);
  std::fflush(err_);
  shown_ = 0;
}

// The time per file so far, from the first counted step of the run, times the files left.
std::optional<double> CliUserInterface::seconds_left(ProgressCount count, double now) {
  if (count.total == 0) return std::nullopt;
  if (!first_done_ || count.done < *first_done_) {
    first_done_ = count.done;
    first_seconds_ = now;
  }
  if (count.done == *first_done_ || count.done > count.total) return std::nullopt;
  const double per_file = (now - first_seconds_) / double(count.done - *first_done_);
  return per_file * double(count.total - count.done);
}

std::string CliUserInterface::one_line(std::string_view text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += " / ";
    } else {
      line += c;
    }
  }
  return line;
}

}  // namespace orvane::core
