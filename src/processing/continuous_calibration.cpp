#include "processing/continuous_calibration.h"

#include <filesystem>
#include <system_error>

#include "core/fits_reader.h"
#include "core/fits_writer.h"
#include "core/number_text.h"
#include "processing/calibration.h"

namespace orvane::processing {
namespace {

enum class Step { kDone, kSkipped, kStopped };

bool same_file(const std::string& a, const std::string& b) {
  std::error_code error;
  return a == b || std::filesystem::equivalent(a, b, error);
}

std::string size_text(int width, int height) {
  return core::str_trimmed(width) + " x " + core::str_trimmed(height);
}

struct Run {
  bool dark;
  const std::string& reference_path;
  const Reference& reference;
  core::ImageFrame& frame;
  core::UserInterface& ui;
  BatchOutcome& outcome;

  Step stop(const std::string& message) {
    ui.message(message + "\r\n" + kStoppedHere);
    outcome.end = BatchEnd::kStopped;
    return Step::kStopped;
  }
  Step skip(const std::string& path, const std::string& why) {
    outcome.skipped.push_back(path + ": " + why);
    return Step::kSkipped;
  }
};

// Whether values up to max_value can be written with the BITPIX without clipping.
bool fits_bitpix(std::int32_t max_value, int bitpix) {
  return bitpix == 8 ? max_value <= 255 : bitpix == 16 ? max_value <= 65535 : true;
}

// Names the run leaves out before showing them: other files, and the reference itself.
bool left_out_by_name(Run& run, const std::string& path) {
  if (!core::is_fits_name(path)) {
    run.skip(path, "not a FITS file name");
    return true;
  }
  if (same_file(path, run.reference_path)) {
    run.skip(path, run.dark ? "the dark frame itself" : "the flat field itself");
    return true;
  }
  return false;
}

Step correct_file(Run& run, const std::string& path) {
  core::ImageFrame& frame = run.frame;
  core::Result<core::ReadReport> read = core::fits_read(frame, path);
  if (!read) return run.stop(read.error());
  if (frame.is_float) {
    return run.skip(path, "BITPIX -32 is not rewritten (as integers its fractions would be lost)");
  }
  const core::FitsImage& reference = run.reference.image;
  if (frame.width != reference.width || frame.height != reference.height) {
    return run.skip(path, size_text(frame.width, frame.height) + ", the reference " +
                              size_text(reference.width, reference.height));
  }
  const ResultExtremes results = run.dark ? subtract_reference(frame, run.reference)
                                          : divide_by_reference(frame, run.reference);
  if (!fits_bitpix(results.max_value, frame.bitpix)) {
    return run.stop(path + ": results up to" + core::str(results.max_value) + " do not fit BITPIX" +
                    core::str(frame.bitpix) + "; the file was left unchanged");
  }
  core::Result<core::WriteReport> written = core::fits_write(frame, path, frame.bitpix);
  if (!written) return run.stop(written.error());
  return Step::kDone;
}

BatchOutcome run_continuous(core::ImageFrame& frame, bool dark, const std::string& reference_path,
                            const std::vector<std::string>& files, core::UserInterface& ui) {
  BatchOutcome outcome;
  if (!ui.ask_ok_cancel(continuous_question(dark, frame))) {
    outcome.end = BatchEnd::kDeclined;
    return outcome;
  }
  frame.undo_available = false;
  core::BusyGuard busy(ui);
  core::ProgressGuard progress(ui);
  if (!ui.progress(dark ? "Progress DARK" : "Progress FLAT", "")) {
    outcome.end = BatchEnd::kCancelled;
    return outcome;
  }
  core::Result<Reference> reference = load_reference(
      reference_path, dark ? ReferenceKind::kDark : ReferenceKind::kFlat, frame.sign_mode);
  if (!reference) {
    ui.message(reference.error());
    outcome.end = BatchEnd::kStopped;
    return outcome;
  }
  Run run{dark, reference_path, *reference, frame, ui, outcome};
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (left_out_by_name(run, files[i])) continue;
    if (!ui.progress("Progress" + core::str(double(i + 1)), files[i], {i, files.size()})) {
      outcome.end = BatchEnd::kCancelled;
      break;
    }
    const Step step = correct_file(run, files[i]);
    if (step == Step::kStopped) break;
    if (step == Step::kDone) ++outcome.done;
  }
  if (std::string summary = batch_summary(outcome); !summary.empty()) ui.message(summary);
  return outcome;
}

}  // namespace

std::string continuous_question(bool dark, const core::ImageFrame& frame) {
  std::string question = std::string("Is a continuous processing of a ") +
                         (dark ? "dark frame" : "flat field") + " executed ?";
  const std::string calculation = core::read_calculation_text(core::read_options_of(frame));
  if (!calculation.empty()) question += "\r\n" + calculation;
  return question;
}

BatchOutcome continuous_dark(core::ImageFrame& frame, const std::string& dark_path,
                             const std::vector<std::string>& files, core::UserInterface& ui) {
  return run_continuous(frame, true, dark_path, files, ui);
}

BatchOutcome continuous_flat(core::ImageFrame& frame, const std::string& flat_path,
                             const std::vector<std::string>& files, core::UserInterface& ui) {
  return run_continuous(frame, false, flat_path, files, ui);
}

}  // namespace orvane::processing
