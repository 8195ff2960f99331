#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "cli_args.h"
#include "cli_commands.h"
#include "core/cli_user_interface.h"
#include "core/image_frame.h"

namespace orvane::cli {

// One command of the tool: its usage after "orvane-cli ", what it does, its options and how it
// runs.
struct Command {
  std::string usage;
  std::string description;  // one line for --help
  std::vector<OptionSpec> options;
  std::function<int(const ParsedArgs&, core::CliUserInterface&)> run;
  // Whether the command takes the read-time options (their usage is added to the usage line).
  bool reads_frames = true;
};
using CommandTable = std::map<std::string, Command>;

// Each group of commands adds itself to the table from its own file.
void add_image_commands(CommandTable& table);
void add_photometry_commands(CommandTable& table);
void add_lightcurve_commands(CommandTable& table);
void add_aavso_commands(CommandTable& table);
void add_processing_commands(CommandTable& table);
void add_row_commands(CommandTable& table);
void add_spectrum_commands(CommandTable& table);

// Thrown for wrong usage; turned into exit status 2 with the usage line.
struct UsageError {
  std::string problem;
};

// The options plus --signed, --dusky, --read-add and --read-mul.
std::vector<OptionSpec> with_read_options(std::vector<OptionSpec> options);

// The -o option of a command that writes one file, and --bitpix of one that writes FITS.
OptionSpec output_option(const std::string& what);
OptionSpec bitpix_option();
// The BITPIX to write: --bitpix, else the one the frame was read with.
int written_bitpix(const ParsedArgs& args, const core::ImageFrame& frame);

// The one FILE argument, or a usage error.
const std::string& single_file(const ParsedArgs& args);
// The value of an option that must be given, or a usage error.
std::string required(const ParsedArgs& args, const std::string& name);
// An option whose value must be one of `allowed`; fallback when it is absent.
int choice(const ParsedArgs& args, const std::string& name, std::vector<int> allowed, int fallback);
// An option whose value must be one of the words; the index of the word given, fallback when
// the option is absent.
int word_choice(const ParsedArgs& args, const std::string& name,
                const std::vector<std::string>& words, int fallback);
// "X,Y" of a required or optional position option, or a usage error when malformed.
PixelPosition position_option(const std::string& name, const std::string& text);

// Sets the frame's read-time settings from the read options.
void apply_read_options(const ParsedArgs& args, core::ImageFrame& frame);

// Reads the file into the frame; prints the reader's message and returns false when refused.
bool read_frame(const ParsedArgs& args, const std::string& path, core::ImageFrame& frame,
                core::CliUserInterface& ui);

// Reads the file into the frame and checks that the row lies in it; prints the reader's message
// or names the row and the frame's size, and returns false, when either is refused.
bool read_frame_with_row(const ParsedArgs& args, const std::string& path, int row,
                         core::ImageFrame& frame, core::CliUserInterface& ui);

// Writes the frame with the FITS writer; reports a failure or the values it clipped.
int write_frame(const core::ImageFrame& frame, const std::string& out, int bitpix,
                core::CliUserInterface& ui);

}  // namespace orvane::cli
