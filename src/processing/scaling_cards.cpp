#include "processing/scaling_cards.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "core/atomic_file.h"
#include "core/fits_reader.h"
#include "core/number_text.h"
#include "core/posix_file.h"

namespace orvane::processing {
namespace {

constexpr std::size_t kCard = 80;
constexpr std::size_t kField = 21;      // columns 10-30
constexpr std::size_t kFieldStart = 9;  // column 10
constexpr std::size_t kBlock = 2880;    // the header is read a block at a time
constexpr std::size_t kCopyBytes = std::size_t{1} << 20;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// A whole number text as the program reads numbers: sign, digits with at most one point (at
// least one digit), and an exponent with digits.
bool is_number_text(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
  int digits = 0;
  while (i < t.size() && is_digit(t[i])) ++i, ++digits;
  if (i < t.size() && t[i] == '.') {
    ++i;
    while (i < t.size() && is_digit(t[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t exponent = i;
    while (i < t.size() && is_digit(t[i])) ++i;
    if (i == exponent) return false;
  }
  return i == t.size();
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

core::Result<std::string> value_field(const char* keyword, std::string_view typed) {
  const std::string_view text = trimmed(typed);
  const std::string quoted = "\"" + std::string(text) + "\"";
  if (text.size() > kField) {
    return core::Error{std::string(keyword) + " " + quoted +
                       " is longer than the 21 characters a card holds"};
  }
  if (!is_number_text(text)) {
    return core::Error{std::string(keyword) + " " + quoted + " is not a number"};
  }
  return std::string(kField - text.size(), ' ') + std::string(text);
}

// Where a change of one file ended: a refusal before anything was written leaves the file out,
// a failed write stops the run.
struct Change {
  bool rewritten = false;
  bool write_failed = false;
  std::string error;
};

Change read_error(const std::string& path, int error) {
  return {false, false, core::read_error_message(path, error)};
}

// The header up to and including the END card (whole cards only), or empty when there is none:
// 0, or why it could not be read.
int read_header(int fd, off_t file_size, std::string& header) {
  const std::size_t cards = std::size_t(file_size) / kCard;
  for (std::size_t card = 0; card < cards;) {
    const std::size_t in_block = std::min(kBlock / kCard, cards - card);
    const std::size_t start = header.size();
    header.resize(start + in_block * kCard);
    if (const int error = core::read_at(fd, off_t(start), header.data() + start, in_block * kCard);
        error != 0) {
      return error;
    }
    for (std::size_t i = 0; i < in_block; ++i, ++card) {
      if (header.compare(card * kCard, 8, "END     ") == 0) {
        header.resize((card + 1) * kCard);
        return 0;
      }
    }
  }
  header.clear();
  return 0;
}

// Changes the cards in place in the header text; true when a byte changed.
bool change_cards(std::string& header, const ScalingFields& fields) {
  bool changed = false;
  for (std::size_t at = 0; at < header.size(); at += kCard) {
    const std::string* field = nullptr;
    if (header.compare(at, 8, "BZERO   ") == 0) field = &fields.bzero;
    if (header.compare(at, 8, "BSCALE  ") == 0) field = &fields.bscale;
    if (field == nullptr || header.compare(at + kFieldStart, kField, *field) == 0) continue;
    header.replace(at + kFieldStart, kField, *field);
    changed = true;
  }
  return changed;
}

// The new header, then the rest of the file as it is, into a file that replaces the old one.
Change rewrite(const std::string& path, int fd, off_t file_size, const std::string& header) {
  core::AtomicFileWriter out(path);
  Change change;
  change.write_failed = true;
  if (core::Status s = out.open(); !s) return change.error = s.error(), change;
  if (core::Status s = out.write(header); !s) return change.error = s.error(), change;
  std::unique_ptr<char[]> buffer(new char[kCopyBytes]);
  for (off_t at = off_t(header.size()); at < file_size;) {
    const std::size_t size = std::min<std::size_t>(kCopyBytes, std::size_t(file_size - at));
    if (const int error = core::read_at(fd, at, buffer.get(), size); error != 0) {
      return read_error(path, error);
    }
    if (core::Status s = out.write(buffer.get(), size); !s) return change.error = s.error(), change;
    at += off_t(size);
  }
  if (core::Status s = out.commit(); !s) return change.error = s.error(), change;
  return {true, false, ""};
}

Change change_file(const std::string& path, const ScalingFields& fields) {
  core::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) return {false, false, core::open_error_message(path, errno)};
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) return read_error(path, errno);
  if (!S_ISREG(status.st_mode)) return {false, false, path + ": is not a file"};
  std::string header;
  if (const int error = read_header(file.get(), status.st_size, header); error != 0) {
    return read_error(path, error);
  }
  if (header.empty()) return {false, false, path + ": no END card; the file was left unchanged"};
  if (!change_cards(header, fields)) return {};
  return rewrite(path, file.get(), status.st_size, header);
}

}  // namespace

core::Result<ScalingFields> scaling_fields(std::string_view bzero_text,
                                           std::string_view bscale_text) {
  core::Result<std::string> bzero = value_field("BZERO", bzero_text);
  if (!bzero) return core::Error{bzero.error()};
  core::Result<std::string> bscale = value_field("BSCALE", bscale_text);
  if (!bscale) return core::Error{bscale.error()};
  if (core::val(*bscale) == 0) {
    return core::Error{"BSCALE 0 would make every value read the same; it is not written"};
  }
  return ScalingFields{*bzero, *bscale};
}

core::Result<bool> change_scaling_cards(const std::string& path, const ScalingFields& fields) {
  const Change change = change_file(path, fields);
  if (!change.error.empty()) return core::Error{change.error};
  return change.rewritten;
}

BatchOutcome change_bzero_bscale(const std::vector<std::string>& files, std::string_view bzero_text,
                                 std::string_view bscale_text, core::UserInterface& ui) {
  BatchOutcome outcome;
  outcome.total = files.size();
  core::Result<ScalingFields> fields = scaling_fields(bzero_text, bscale_text);
  if (!fields) {
    outcome.stop_messages = {fields.error()};
    outcome.end = BatchEnd::kStopped;
    return outcome;
  }
  core::BusyGuard busy(ui);
  core::ProgressGuard progress(ui);
  for (std::size_t i = 0; i < files.size(); ++i) {
    const std::string& path = files[i];
    if (!core::is_fits_name(path)) {
      outcome.skipped.push_back(path + ": not a FITS file name");
      continue;
    }
    if (!ui.progress("Progress Auto Composite", path, {i, files.size()})) {
      outcome.end = BatchEnd::kCancelled;
      break;
    }
    const Change change = change_file(path, *fields);
    if (change.write_failed) {
      outcome.stop_messages = {change.error + "\r\n" + kStoppedHere};
      outcome.end = BatchEnd::kStopped;
      break;
    }
    if (!change.error.empty()) {
      outcome.skipped.push_back(change.error);
      continue;
    }
    ++outcome.done;
  }
  return outcome;
}

}  // namespace orvane::processing
