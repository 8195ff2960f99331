#include "cli_args.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orvane::cli {

std::optional<std::string> ParsedArgs::value(const std::string& name) const {
  auto it = options.find(name);
  if (it == options.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

const std::vector<std::string>& ParsedArgs::values(const std::string& name) const {
  static const std::vector<std::string> kNone;
  auto it = options.find(name);
  return it == options.end() ? kNone : it->second;
}

core::Result<ParsedArgs> parse_args(const std::vector<std::string>& args,
                                    const std::vector<OptionSpec>& known) {
  ParsedArgs parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    // A negative number ("-5", "-0.5") is a value, never an option.
    const bool negative_number =
        arg.size() >= 2 && arg[0] == '-' &&
        (std::isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.');
    if (options_ended || arg.size() < 2 || arg[0] != '-' || negative_number) {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    std::string name = arg;
    std::optional<std::string> inline_value;
    if (auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = arg.substr(0, eq);
      inline_value = arg.substr(eq + 1);
    }
    auto option = std::find_if(known.begin(), known.end(),
                               [&](const OptionSpec& s) { return s.name == name; });
    if (option == known.end()) return core::Error{"unknown option " + name};
    if (!option->takes_value()) {
      if (inline_value) return core::Error{"option " + name + " takes no value"};
      parsed.options[name].emplace_back();
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= args.size()) return core::Error{"option " + name + " needs a value"};
      inline_value = args[++i];
    }
    parsed.options[name].push_back(*inline_value);
  }
  return parsed;
}

std::optional<PixelPosition> parse_position(const std::string& text) {
  auto comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  auto whole = [](const std::string& part, int& out) {
    if (part.empty()) return false;
    auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), out);
    return ec == std::errc() && end == part.data() + part.size();
  };
  PixelPosition p;
  if (!whole(text.substr(0, comma), p.x) || !whole(text.substr(comma + 1), p.y)) {
    return std::nullopt;
  }
  return p;
}

}  // namespace orvane::cli
