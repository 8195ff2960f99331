#include "photometry/automatic_photometry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/number_text.h"
#include "core/posix_file.h"
#include "photometry/header_time.h"

namespace orvane::photometry {
namespace {

std::string failure(const std::string& path, int error_number) {
  return core::write_error_message(path, error_number);
}

// Appends one line; on any failure the file is cut back to its length before, so no half
// record is ever left behind.
core::Status append_line(const std::string& path, const std::string& line) {
  core::FileDescriptor file(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
  if (!file.valid()) return core::Error{failure(path, errno)};
  struct stat before {};
  const bool sized = ::fstat(file.get(), &before) == 0;
  const std::string bytes = line + "\r\n";
  if (const int error = core::write_all(file.get(), bytes.data(), bytes.size()); error != 0) {
    if (sized && ::ftruncate(file.get(), before.st_size) != 0) {
      // Nothing more can be done; the error below is what the user must see.
    }
    return core::Error{failure(path, error)};
  }
  if (const int error = file.close(); error != 0) return core::Error{failure(path, error)};
  return core::ok_status();
}

// A kept file whose last line has no line end (written by hand or by another program) gets one,
// so the first record starts a line of its own instead of joining the last one.
core::Status end_last_line(const std::string& path) {
  core::FileDescriptor file(::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC));
  if (!file.valid()) return errno == ENOENT ? core::ok_status() : core::Error{failure(path, errno)};
  struct stat status {};
  char last = '\n';
  int error = ::fstat(file.get(), &status) == 0 ? 0 : errno;
  if (error == 0 && status.st_size > 0)
    error = core::read_at(file.get(), status.st_size - 1, &last, 1);
  if (error == 0 && last != '\n') error = core::write_all(file.get(), "\r\n", 2);
  if (const int closed = file.close(); error == 0) error = closed;
  return error == 0 ? core::ok_status() : core::Error{failure(path, error)};
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
  core::FileDescriptor emptied(
      ::open(data_file_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!emptied.valid()) return core::Error{failure(data_file_, errno)};
  if (const int error = emptied.close(); error != 0) return core::Error{failure(data_file_, error)};
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
  const std::int32_t level = saturation_level_.value_or(saturation_level(frame));
  outcome.saturated = saturated_stars(frame, settings_, outcome.run.positions, level);
  const std::string name = std::filesystem::path(frame.file_path).filename().string();
  for (const SaturatedStar& star : outcome.saturated) {
    saturated_.push_back(saturation_message(name, star));
  }
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
  for (const std::string& message : saturated_) {
    report += (report.empty() ? "" : "\r\n") + message;
  }
  return report;
}

}  // namespace orvane::photometry
