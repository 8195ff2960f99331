#include "photometry/automatic_photometry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/number_text.h"
#include "photometry/header_time.h"

namespace orvane::photometry {
namespace {

std::string failure(const std::string& path, int error_number) {
  return path + ": cannot be written (" + std::strerror(error_number) + ")";
}

// Writes all of the bytes, retrying short writes; false with errno set on failure.
bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Appends one line; on any failure the file is cut back to its length before, so no half
// record is ever left behind.
core::Status append_line(const std::string& path, const std::string& line) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return core::Error{failure(path, errno)};
  struct stat before {};
  const bool sized = ::fstat(fd, &before) == 0;
  const std::string bytes = line + "\r\n";
  if (!write_all(fd, bytes.data(), bytes.size())) {
    const int error_number = errno;
    if (sized && ::ftruncate(fd, before.st_size) != 0) {
      // Nothing more can be done; the error below is what the user must see.
    }
    ::close(fd);
    return core::Error{failure(path, error_number)};
  }
  if (::close(fd) != 0) return core::Error{failure(path, errno)};
  return core::ok_status();
}

// A kept file whose last line has no line end (written by hand or by another program) gets one,
// so the first record starts a line of its own instead of joining the last one.
core::Status end_last_line(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? core::ok_status() : core::Error{failure(path, errno)};
  struct stat status {};
  char last = '\n';
  bool done = ::fstat(fd, &status) == 0;
  if (done && status.st_size > 0) done = ::pread(fd, &last, 1, status.st_size - 1) == 1;
  if (done && last != '\n') done = write_all(fd, "\r\n", 2);
  const int error_number = errno;
  if (::close(fd) != 0 && done) return core::Error{failure(path, errno)};
  return done ? core::ok_status() : core::Error{failure(path, error_number)};
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

AutomaticPhotometry::AutomaticPhotometry(const PhotometrySettings& settings, PositionTable& table,
                                         std::string data_file)
    : settings_(settings), table_(table), data_file_(std::move(data_file)) {}

core::Status AutomaticPhotometry::start(bool append) {
  // A folder named as the data file is refused before anything moves: keeping it as ".bak"
  // would take the folder away from under the user.
  struct stat status {};
  if (::stat(data_file_.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    return core::Error{failure(data_file_, EISDIR)};
  }
  if (append) return end_last_line(data_file_);
  const std::string backup = data_file_ + ".bak";
  if (::rename(data_file_.c_str(), backup.c_str()) != 0 && errno != ENOENT) {
    return core::Error{data_file_ + ": cannot be kept as " + backup + " (" + std::strerror(errno) +
                       ")"};
  }
  const int fd = ::open(data_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0 || ::close(fd) != 0) return core::Error{failure(data_file_, errno)};
  return core::ok_status();
}

std::optional<std::string> AutomaticPhotometry::position_refusal(const PositionTable& table) {
  if (table[kComparison] == table[kVariable]) {
    return "Selecting the Variavble star and the Comparison star position";
  }
  return std::nullopt;
}

core::Result<FrameOutcome> AutomaticPhotometry::measure(const core::ImageFrame& frame,
                                                        const SlotPositions& shown,
                                                        const MagnitudeValues& boxes) {
  if (auto refusal = position_refusal(table_)) return core::Error{*refusal};
  FrameOutcome outcome;
  outcome.run = measurement_run(frame, settings_, table_, shown);
  outcome.boxes = boxes;
  const auto& m = outcome.run.magnitudes;
  if (m[kComparisonStar]) outcome.boxes.comparison = *m[kComparisonStar];
  if (m[kVariableStar]) outcome.boxes.variable = *m[kVariableStar];
  if (m[kCheckStar]) outcome.boxes.check = *m[kCheckStar];
  outcome.recordable = m[kComparisonStar].has_value() && m[kVariableStar].has_value();
  return outcome;
}

core::Result<std::string> AutomaticPhotometry::save(const core::ImageFrame& frame,
                                                    const FrameOutcome& outcome) {
  const ObservationTime time = record_header_time(header_cards(frame), settings_.time_zone);
  std::string line = observation_record(time, outcome.boxes, settings_.digits, frame.file_path);
  if (core::Status appended = append_line(data_file_, line); !appended) {
    return core::Error{appended.error()};
  }
  ++measured_;
  return line;
}

core::Result<FrameEnd> AutomaticPhotometry::finish_frame(const core::ImageFrame& frame,
                                                         const FrameOutcome& outcome,
                                                         bool pictures_checked,
                                                         core::UserInterface& ui) {
  FrameEnd end;
  end.choice = pictures_checked ? ui.choose_frame(frame.file_path) : core::FrameChoice::kSave;
  if (end.choice != core::FrameChoice::kSave) return end;
  if (!outcome.recordable) {
    if (pictures_checked) {
      ui.message(frame.file_path + ": No Star, no record is written for this frame");
    } else {
      note_no_star(frame.file_path);
    }
    return end;
  }
  core::Result<std::string> line = save(frame, outcome);
  if (!line) return core::Error{line.error()};
  end.record = *line;
  return end;
}

void AutomaticPhotometry::note_no_star(const std::string& path) {
  no_star_.push_back(path);
}

void AutomaticPhotometry::note_unreadable(const std::string& message) {
  unreadable_.push_back(message);
}

std::string AutomaticPhotometry::counts_line() const {
  return "measured " + std::to_string(measured_) + ", skipped " + std::to_string(skipped());
}

std::string AutomaticPhotometry::skipped_report() const {
  std::string report;
  if (!no_star_.empty()) report += "No Star (no record): " + joined(no_star_);
  for (const std::string& message : unreadable_) {
    report += (report.empty() ? "" : "\r\n") + ("Not read (no record): " + message);
  }
  return report;
}

}  // namespace orvane::photometry
