#include "processing/auto_composite.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <new>
#include <type_traits>

#include "core/fits_reader.h"
#include "core/fits_writer.h"
#include "core/number_text.h"
#include "core/vector_clones.h"

namespace orvane::processing {
namespace {

// Adding and taking away 1.5 * 2^52 leaves a double of magnitude below 2^51 rounded to the
// nearest whole number, halves to even, in a form that vectorises.
constexpr double kRoundShift = 6755399441055744.0;

struct Extremes {
  std::int32_t max_value = -1;
  std::int32_t min_value = std::numeric_limits<std::int32_t>::max();
};

ORVANE_VECTOR_CLONES void add_to_sums(double* __restrict sum, const std::int32_t* __restrict in,
                                      std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) sum[i] += in[i];
}

// One row of the window: the arriving file's values are added to the sums (and the leaving
// file's taken away), and the means, rounded halves to even, go to the frame's row. The number
// of pictures is odd, so a mean is never exactly half way, and multiplying by 1 / pictures
// rounds the same as dividing: its error is below 2^-17, the distance to a half at least 1/14.
// Sums of 32-bit values stay exact in doubles. With dusky mode values of 60000 and more never
// become the maximum.
template <bool kTakeAway, bool kDusky>
ORVANE_VECTOR_CLONES void slide_row(double* __restrict sum, const std::int32_t* __restrict in,
                                    const std::int32_t* __restrict gone,
                                    std::int32_t* __restrict out, int count, double inverse,
                                    Extremes& extremes) {
  std::int32_t max_value = extremes.max_value;
  std::int32_t min_value = extremes.min_value;
  for (int i = 0; i < count; ++i) {
    double s = sum[i] + in[i];
    if constexpr (kTakeAway) s -= gone[i];
    sum[i] = s;
    const auto v = static_cast<std::int32_t>((s * inverse + kRoundShift) - kRoundShift);
    out[i] = v;
    min_value = std::min(min_value, v);
    if constexpr (kDusky) {
      max_value = std::max(max_value, core::dusky_max_candidate(v));
    } else {
      max_value = std::max(max_value, v);
    }
  }
  extremes.max_value = max_value;
  extremes.min_value = min_value;
}

std::string size_text(const core::FitsImage& image) {
  return core::str_trimmed(image.width) + " x " + core::str_trimmed(image.height);
}

bool same_size(const core::FitsImage& a, const core::FitsImage& b) {
  return a.width == b.width && a.height == b.height;
}

// One run over the series. The members of the current window live in a ring of pictures + 1
// images, so each file is read once, and the sums of the window can be carried over from the
// previous window: the file that left is still in the ring when the new one arrives.
class Composer {
 public:
  Composer(const core::ReadOptions& options, const std::vector<std::string>& files, int pictures,
           const std::string& output_folder, core::UserInterface& ui, BatchOutcome& outcome)
      : files_(files),
        pictures_(pictures),
        half_(pictures / 2),
        output_folder_(output_folder),
        ui_(ui),
        outcome_(outcome),
        options_(options),
        ring_(pictures + 1),
        held_(pictures + 1, -1) {}

  void run() {
    for (long centre = half_; centre + half_ < long(files_.size()); ++centre) {
      const core::ProgressCount count{std::size_t(centre - half_),
                                      files_.size() - 2 * std::size_t(half_)};
      if (!ui_.progress("Progress Auto Composite", files_[centre], count)) {
        outcome_.end = BatchEnd::kCancelled;
        return;
      }
      for (long j = centre - half_; j <= centre + half_; ++j) {
        if (!load(j)) return;
      }
      if (!compose(centre)) return;
    }
  }

 private:
  core::FitsImage& slot(long j) { return ring_[j % ring_.size()]; }

  // Reads file j into its place in the ring unless it is there already.
  bool load(long j) {
    long& held = held_[j % ring_.size()];
    if (held == j) return true;
    held = -1;
    core::Result<core::ReadReport> read = core::fits_read_image(slot(j), files_[j], options_);
    if (!read) {
      outcome_.stop_messages = {read.error(), "File read error"};
      outcome_.end = BatchEnd::kStopped;
      return false;
    }
    if (!read->warning.empty()) outcome_.warnings.push_back(read->warning);
    held = j;
    return true;
  }

  // The first member whose size differs from the centre's, or -1.
  long member_of_other_size(long centre) {
    for (long j = centre - half_; j <= centre + half_; ++j) {
      if (!same_size(slot(j), slot(centre))) return j;
    }
    return -1;
  }

  bool compose(long centre) {
    const std::string out = composite_output_path(files_[centre], pictures_, output_folder_);
    if (const long other = member_of_other_size(centre); other >= 0) {
      outcome_.skipped.push_back(files_[other] + ": " + size_text(slot(other)) +
                                 ", the centre frame " + files_[centre] + " " +
                                 size_text(slot(centre)) + "; " + out + " was not written");
      return true;
    }
    average_window(centre);
    core::Result<core::WriteReport> written = core::fits_write(composite_, out, composite_.bitpix);
    if (!written) {
      outcome_.stop_messages = {written.error() + "\r\n" + kStoppedHere};
      outcome_.end = BatchEnd::kStopped;
      return false;
    }
    if (std::string clipped = core::clip_message(out, *written); !clipped.empty()) {
      outcome_.warnings.push_back(clipped);
    }
    ++outcome_.done;
    return true;
  }

  // The composite takes the centre's header and the means of the window around centre. The sums
  // are carried over from the previous window when sum_ holds it (the file that left is still in
  // the ring), else summed afresh.
  void average_window(long centre) {
    const core::FitsImage& middle = slot(centre);
    const long leaving = centre - half_ - 1;
    const bool carried = summed_centre_ == centre - 1 && leaving >= 0 &&
                         held_[leaving % ring_.size()] == leaving &&
                         same_size(slot(leaving), middle) && sum_.size() == middle.pixels.size();
    if (!carried) {
      sum_.assign(middle.pixels.size(), 0.0);
      for (long j = centre - half_; j < centre + half_; ++j) {
        add_to_sums(sum_.data(), slot(j).pixels.data(), sum_.size());
      }
    }
    summed_centre_ = centre;
    take_header(middle);
    const core::FitsImage& arriving = slot(centre + half_);
    const core::FitsImage* gone = carried ? &slot(leaving) : nullptr;
    const double inverse = 1.0 / pictures_;
    Extremes extremes;
    for (int y = 0; y < middle.height; ++y) {
      double* sum = sum_.data() + std::size_t(middle.width) * y;
      std::int32_t* row = composite_.pixels.data() + std::size_t(middle.width) * y;
      const std::int32_t* gone_row = gone != nullptr ? gone->row(y) : nullptr;
      if (carried) {
        slide(options_.dusky_mode, sum, arriving.row(y), gone_row, row, middle.width, inverse,
              extremes, std::true_type{});
      } else {
        slide(options_.dusky_mode, sum, arriving.row(y), gone_row, row, middle.width, inverse,
              extremes, std::false_type{});
      }
    }
    composite_.max_value = extremes.max_value;
    composite_.min_value = extremes.min_value;
  }

  // The centre file's header, sizes and BITPIX (a BITPIX -32 centre is written as 32).
  void take_header(const core::FitsImage& middle) {
    composite_.path = middle.path;
    composite_.width = middle.width;
    composite_.height = middle.height;
    composite_.planes = middle.planes;
    composite_.bitpix = middle.bitpix;
    composite_.is_float = 0;
    composite_.header_cards = middle.header_cards;
    composite_.header_card_count = middle.header_card_count;
    composite_.pixels.resize(middle.pixels.size());
  }

  template <typename TakeAway>
  static void slide(bool dusky, double* sum, const std::int32_t* in, const std::int32_t* gone,
                    std::int32_t* out, int count, double inverse, Extremes& extremes, TakeAway) {
    if (dusky) {
      slide_row<TakeAway::value, true>(sum, in, gone, out, count, inverse, extremes);
    } else {
      slide_row<TakeAway::value, false>(sum, in, gone, out, count, inverse, extremes);
    }
  }

  const std::vector<std::string>& files_;
  const int pictures_;
  const long half_;
  const std::string& output_folder_;
  core::UserInterface& ui_;
  BatchOutcome& outcome_;
  const core::ReadOptions options_;
  std::vector<core::FitsImage> ring_;
  std::vector<long> held_;  // the file index each ring place holds, -1 for none
  std::vector<double> sum_;
  core::FitsImage composite_;  // the composite being written, in a buffer of the run's own
  long summed_centre_ = -1;    // the window whose sums sum_ holds
};

}  // namespace

std::string composite_output_path(const std::string& centre_path, int pictures,
                                  const std::string& output_folder) {
  const std::filesystem::path centre(centre_path);
  const std::string name = "c" + core::str_trimmed(pictures) + "_" + centre.filename().string();
  const std::filesystem::path folder =
      output_folder.empty() ? centre.parent_path() : std::filesystem::path(output_folder);
  return (folder / name).string();
}

BatchOutcome auto_composite(const core::ReadOptions& options, const std::vector<std::string>& files,
                            int pictures, const std::string& output_folder,
                            core::UserInterface& ui) {
  BatchOutcome outcome;
  if (pictures != 3 && pictures != 5 && pictures != 7) {
    outcome.stop_messages = {"Auto composite takes 3, 5 or 7 pictures, not" + core::str(pictures)};
    outcome.end = BatchEnd::kStopped;
    return outcome;
  }
  if (files.size() < std::size_t(pictures)) return outcome;
  outcome.total = files.size() - std::size_t(pictures - 1);
  core::BusyGuard busy(ui);
  core::ProgressGuard progress(ui);
  try {
    Composer(options, files, pictures, output_folder, ui, outcome).run();
  } catch (const std::bad_alloc&) {
    outcome.stop_messages = {"There is not enough memory for a composite of" + core::str(pictures) +
                             " pictures of this size."};
    outcome.end = BatchEnd::kStopped;
  }
  return outcome;
}

}  // namespace orvane::processing
