#include "photometry_options.h"

#include "core/number_text.h"
#include "photometry/sky_area.h"

namespace orvane::cli {
namespace {

using photometry::Position;

double number_option(const ParsedArgs& args, const std::string& name, double fallback) {
  auto value = args.value(name);
  return value ? core::val(*value) : fallback;
}

Position star_position(const ParsedArgs& args, const std::string& name) {
  const PixelPosition p = position_option(name, required(args, name));
  return {p.x, p.y};
}

// A sky position given, or the star's own plus 20 in x as a star button sets it.
Position sky_position(const ParsedArgs& args, const std::string& name, Position star) {
  auto value = args.value(name);
  if (!value) return {star.x + 20, star.y};
  const PixelPosition p = position_option(name, *value);
  return {p.x, p.y};
}

void read_positions(const ParsedArgs& args, photometry::PositionTable& table) {
  using photometry::Slot;
  const struct {
    const char* star;
    const char* sky;
    int slot;
  } kStars[] = {{"--comp", "--comp-sky", Slot::kComparison},
                {"--var", "--var-sky", Slot::kVariable},
                {"--check", "--check-sky", Slot::kCheck}};
  for (const auto& star : kStars) {
    table[star.slot] = star_position(args, star.star);
    table[star.slot + 1] = sky_position(args, star.sky, table[star.slot]);
  }
}

void read_details(const ParsedArgs& args, photometry::ComparisonStarDetails& details) {
  details.band_index = word_choice(args, "--band", {"B", "V", "Rc", "Ic"}, -1);
  if (auto star = args.value("--star")) details.star_name = *star;
  details.comp_magnitude = number_option(args, "--comp-mag", 0);
  if (auto code = args.value("--observer")) details.observer_code = *code;
}

}  // namespace

std::vector<OptionSpec> photometry_option_specs(std::vector<OptionSpec> more) {
  const std::string beside = "default: the star + 20 in x";
  const std::vector<OptionSpec> options = {
      {"--comp", "X,Y", "the comparison star", "required"},
      {"--var", "X,Y", "the variable star", "required"},
      {"--check", "X,Y", "the check star", "required"},
      {"--comp-sky", "X,Y", "the comparison star's sky in aperture-sky mode", beside},
      {"--var-sky", "X,Y", "the variable star's sky in aperture-sky mode", beside},
      {"--check-sky", "X,Y", "the check star's sky in aperture-sky mode", beside},
      {"--shape", "circle|square", "aperture shape", "default circle"},
      {"--aperture", "N", "aperture size in pixels", "default 3"},
      {"--sky", "median|aperture", "sky as the median of a ring or an aperture", "default median"},
      {"--sky-inner", "N", "inside size of the sky ring in pixels", "default 10"},
      {"--sky-outer", "N", "outside size of the sky ring in pixels", "default 20"},
      {"--span", "N", "peak search span in pixels", "default 15"},
      {"--position", "fixed|peak|move", "fixed, peak cast, or peak cast and move", "default move"},
      {"--sum", "integer|real", "sums in whole or real numbers", "default integer"},
      {"--digits", "2|3", "decimals of the magnitudes", "default 2"},
      {"--time-zone", "0|9", "hours added to the header times", "default 0"},
      {"--star", "NAME", "the variable star's name, for the report line", ""},
      {"--comp-mag", "M", "the comparison star's magnitude, for the report line", ""},
      {"--band", "B|V|Rc|Ic", "the band; with it the report line is printed", ""},
      {"--observer", "CODE", "the observer's code, for the report line", ""},
      {"--saturation", "N", "name stars whose aperture holds a pixel at or above N",
       "default: the largest value of the file's BITPIX and BZERO, 65535 for 16 bits"}};
  more.insert(more.begin(), options.begin(), options.end());
  return with_read_options(std::move(more));
}

std::string photometry_options_usage() {
  return "--comp X,Y --var X,Y --check X,Y [--comp-sky X,Y] [--var-sky X,Y] [--check-sky X,Y] "
         "[--shape circle|square] [--aperture N] [--sky median|aperture] [--sky-inner N] "
         "[--sky-outer N] [--span N] [--position fixed|peak|move] [--sum integer|real] "
         "[--digits 2|3] [--time-zone 0|9] [--star NAME --comp-mag M --band B|V|Rc|Ic "
         "--observer CODE] [--saturation N] ";
}

bool read_photometry_options(const ParsedArgs& args, PhotometryOptions& options,
                             core::CliUserInterface& ui) {
  photometry::PhotometrySettings& s = options.settings;
  s.aperture_shape = word_choice(args, "--shape", {"circle", "square"}, 0);
  s.sky_mode = word_choice(args, "--sky", {"aperture", "median"}, 1);
  // A circle always measures its sky in a ring.
  if (s.aperture_shape == 0 && s.sky_mode == 0) {
    throw UsageError{"--sky aperture cannot be used with --shape circle"};
  }
  s.aperture_size = number_option(args, "--aperture", 3);
  s.sky_inner = number_option(args, "--sky-inner", 10);
  s.sky_outer = number_option(args, "--sky-outer", 20);
  s.search_span = number_option(args, "--span", 15);
  s.position_mode = word_choice(args, "--position", {"fixed", "peak", "move"}, 2);
  s.sum_mode = word_choice(args, "--sum", {"integer", "real"}, 0);
  s.digits = choice(args, "--digits", {2, 3}, 2);
  s.time_zone = choice(args, "--time-zone", {0, 9}, 0);
  read_positions(args, options.table);
  read_details(args, options.details);
  if (auto level = args.value("--saturation")) {
    const double value = core::val(*level);
    if (!(value >= 1 && value <= 2147483647.0)) throw UsageError{"--saturation wants N >= 1"};
    options.saturation = static_cast<std::int32_t>(value);
  }
  const photometry::SkyArea area{s.aperture_size, s.sky_inner, s.sky_outer};
  if (auto refusal = photometry::sky_area_refusal(s.aperture_shape, area)) {
    ui.print_error(*refusal);
    return false;
  }
  return true;
}

}  // namespace orvane::cli
