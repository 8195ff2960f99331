#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace orvane::cli {

// One option of a command, with what --help says about it.
struct OptionSpec {
  std::string name;   // with the dashes: "--scale", "-o"
  std::string value;  // what its value is, e.g. "N" or "1|2|4"; empty for a switch
  std::string help;   // what it does, one line
  std::string note;   // "default 3", "required" or empty; shown in brackets after the help

  bool takes_value() const { return !value.empty(); }
};

// A command line after the command word: options by name (values in the order given; a flag
// holds one empty value per use) and the remaining arguments.
struct ParsedArgs {
  std::map<std::string, std::vector<std::string>> options;
  std::vector<std::string> positional;
  bool help = false;

  bool has(const std::string& name) const { return options.count(name) > 0; }
  // The last value given for an option, if any.
  std::optional<std::string> value(const std::string& name) const;
  const std::vector<std::string>& values(const std::string& name) const;
};

// Options and arguments in any order; an option takes the next argument as its value or
// "--opt=V"; "--" ends the options. An unknown option or a missing value is a usage error.
core::Result<ParsedArgs> parse_args(const std::vector<std::string>& args,
                                    const std::vector<OptionSpec>& known);

struct PixelPosition {
  int x = 0;
  int y = 0;
};

// "X,Y": two whole numbers without blanks.
std::optional<PixelPosition> parse_position(const std::string& text);

}  // namespace orvane::cli
