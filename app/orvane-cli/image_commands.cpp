// The commands that read one frame and show or rewrite it: info, save, render, rotate.
#include <memory>

#include "cli_support.h"
#include "core/fits_writer.h"
#include "core/image_frame.h"
#include "core/number_text.h"
#include "display/auto_contrast.h"
#include "display/contrast_steps.h"
#include "display/render.h"
#include "display/rotation.h"
#include "photometry/header_time.h"
#include "photometry/header_times.h"
#include "picture/picture_format.h"
#include "picture_output.h"

namespace orvane::cli {
namespace {

int run_info(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  std::vector<PixelPosition> pixels;
  for (const auto& text : args.values("--pixel")) {
    auto p = parse_position(text);
    if (!p) throw UsageError{"malformed X,Y: " + text};
    pixels.push_back(*p);
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  const core::ImageFrame& f = *frame;
  ui.print_result("file: " + path);
  ui.print_result("size: " + std::to_string(f.width) + " x " + std::to_string(f.height));
  ui.print_result("planes: " + std::to_string(f.planes));
  ui.print_result("bitpix: " + std::to_string(f.bitpix));
  ui.print_result("float: " + std::to_string(f.is_float));
  ui.print_result("bzero: " + core::str_trimmed(f.bzero));
  ui.print_result("bscale: " + core::str_trimmed(f.bscale));
  ui.print_result("header cards: " + std::to_string(f.header_card_count));
  ui.print_result(core::statistics_show(f));
  for (const auto& p : pixels) {
    std::string at = std::to_string(p.x) + "," + std::to_string(p.y);
    if (p.x < 0 || p.y < 0 || p.x >= f.width || p.y >= f.height) {
      ui.print_error(path + ": pixel " + at + " is outside the " + std::to_string(f.width) + " x " +
                     std::to_string(f.height) + " frame");
      return kExitFailed;
    }
    ui.print_result("pixel " + at + " = " + core::str_trimmed(f.pixels.at(p.x, p.y)));
  }
  if (args.has("--header")) {
    for (int i = 1; i <= f.header_card_count; ++i) ui.print_result(f.header_cards[i]);
  }
  if (args.has("--times")) {
    for (const auto& row : photometry::header_time_rows(photometry::header_cards(f))) {
      ui.print_result(row.label + ": " + row.value);
    }
  }
  return kExitDone;
}

int run_save(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);  // usage checked before any reading
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  return write_frame(*frame, out, written_bitpix(args, *frame), ui);
}

int run_rotate(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  choice(args, "--bitpix", {8, 16, 32}, 0);
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  display::rotate_180(*frame);
  return write_frame(*frame, out, written_bitpix(args, *frame), ui);
}

int run_render(const ParsedArgs& args, core::CliUserInterface& ui) {
  const std::string& path = single_file(args);
  const std::string out = required(args, "-o");
  auto format = picture::picture_format(out);
  if (!format) throw UsageError{"OUT must end in .png, .bmp, .jpg or .jpeg: " + out};
  display::DisplayState state;
  state.display_scale = choice(args, "--scale", {1, 2, 4}, 1);
  int quality = 50;
  if (auto q = args.value("--quality")) {
    double v = core::val(*q);
    if (v < 0 || v > 100) throw UsageError{"--quality must be 0..100: " + *q};
    quality = core::round_to_i32(v);
  }
  auto frame = std::make_unique<core::ImageFrame>();
  if (!read_frame(args, path, *frame, ui)) return kExitFailed;
  if (args.has("--rotate")) display::rotate_180(*frame);
  display::auto_contrast(*frame, state);
  if (auto range = args.value("--range")) state.range = display::contrast_field_from_text(*range);
  if (auto bg = args.value("--background")) {
    state.background = display::contrast_field_from_text(*bg);
  }
  const display::RgbImage picture = display::render(*frame, state);
  if (auto written = write_picture(picture, out, *format, quality); !written) {
    ui.print_error(written.error());
    return kExitFailed;
  }
  ui.print_result("range " + core::str_trimmed(state.range) + " / background " +
                  core::str_trimmed(state.background));
  return kExitDone;
}

}  // namespace

void add_image_commands(CommandTable& table) {
  table["info"] = {
      "info FILE [--pixel X,Y]... [--header] [--times] ",
      "prints the size, scaling, header card count and statistics of a FITS file",
      with_read_options({{"--pixel", "X,Y", "also print the value of this pixel (repeats)", ""},
                         {"--header", "", "also print every header card as stored", ""},
                         {"--times", "",
                          "also print the observation time, JD, HJD, BJD_TDB and air mass with "
                          "the cards they come from",
                          ""}}),
      run_info};
  table["save"] = {"save FILE -o OUT [--bitpix 8|16|32] ",
                   "reads a FITS file and writes it again with the program's FITS writer",
                   with_read_options({output_option("the FITS file to write"), bitpix_option()}),
                   run_save};
  table["render"] = {
      "render FILE -o OUT [--scale 1|2|4] [--range N] [--background N] [--rotate] "
      "[--quality Q] ",
      "draws the frame as the image window shows it and writes the picture",
      with_read_options(
          {output_option("the picture to write: .png, .bmp, .jpg or .jpeg"),
           {"--scale", "1|2|4", "frame pixels per picture pixel", "default 1"},
           {"--range", "N", "contrast range", "default: chosen by the automatic contrast"},
           {"--background", "N", "contrast background",
            "default: chosen by the automatic contrast"},
           {"--rotate", "", "turn the frame by 180 degrees first", ""},
           {"--quality", "Q", "JPEG quality 0..100", "default 50"}}),
      run_render};
  table["rotate"] = {"rotate FILE -o OUT [--bitpix 8|16|32] ",
                     "turns the frame by 180 degrees and writes it as FITS",
                     with_read_options({output_option("the FITS file to write"), bitpix_option()}),
                     run_rotate};
}

}  // namespace orvane::cli
