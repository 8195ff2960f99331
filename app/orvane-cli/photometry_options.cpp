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
  for (const char* name : {"--comp",      "--var",   "--check",    "--comp-sky", "--var-sky",
                           "--check-sky", "--shape", "--aperture", "--sky",      "--sky-inner",
                           "--sky-outer", "--span",  "--position", "--sum",      "--digits",
                           "--time-zone", "--star",  "--comp-mag", "--band",     "--observer"}) {
    more.push_back({name, true});
  }
  return with_read_options(std::move(more));
}

std::string photometry_options_usage() {
  return "--comp X,Y --var X,Y --check X,Y [--comp-sky X,Y] [--var-sky X,Y] [--check-sky X,Y] "
         "[--shape circle|square] [--aperture N] [--sky median|aperture] [--sky-inner N] "
         "[--sky-outer N] [--span N] [--position fixed|peak|move] [--sum integer|real] "
         "[--digits 2|3] [--time-zone 0|9] [--star NAME --comp-mag M --band B|V|Rc|Ic "
         "--observer CODE] ";
}

bool read_photometry_options(const ParsedArgs& args, PhotometryOptions& options,
                             const Streams& io) {
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
  const photometry::SkyArea area{s.aperture_size, s.sky_inner, s.sky_outer};
  if (auto refusal = photometry::sky_area_refusal(s.aperture_shape, area)) {
    print(io.err, *refusal);
    return false;
  }
  return true;
}

}  // namespace orvane::cli
