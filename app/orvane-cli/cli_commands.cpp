#include "cli_commands.h"

#include <algorithm>

#include "cli_support.h"
#include "core/cli_user_interface.h"

namespace orvane::cli {
namespace {

constexpr const char* kReadOptionsUsage = "[--signed] [--dusky] [--read-add V | --read-mul V]";

const CommandTable& commands() {
  static const CommandTable kCommands = [] {
    CommandTable table;
    add_image_commands(table);
    add_photometry_commands(table);
    add_lightcurve_commands(table);
    add_aavso_commands(table);
    add_processing_commands(table);
    add_row_commands(table);
    add_spectrum_commands(table);
    return table;
  }();
  return kCommands;
}

std::string usage_line(const Command& command) {
  std::string line = "usage: orvane-cli " + command.usage;
  if (command.reads_frames) line += kReadOptionsUsage;
  return line;
}

std::string_view without_last_line_end(const std::string& text) {
  return std::string_view(text).substr(0, text.size() - (text.ends_with('\n') ? 1 : 0));
}

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

// The usage line, what the command does, and one line per option with its default.
std::string command_help(const Command& command) {
  std::string text = usage_line(command) + "\n" + command.description + "\n";
  std::size_t width = 0;
  const auto option_text = [](const OptionSpec& o) {
    return "  " + o.name + (o.takes_value() ? " " + o.value : "");
  };
  for (const OptionSpec& o : command.options) width = std::max(width, option_text(o).size());
  if (!command.options.empty()) text += "\noptions:\n";
  for (const OptionSpec& o : command.options) {
    text += padded(option_text(o), width + 2) + o.help;
    if (!o.note.empty()) text += " (" + o.note + ")";
    text += "\n";
  }
  return text;
}

}  // namespace

std::string general_help() {
  std::string text =
      "usage: orvane-cli COMMAND [OPTIONS] ARGS\n       orvane-cli COMMAND --help\n"
      "       orvane-cli --version\n\ncommands:\n";
  std::size_t width = 0;
  for (const auto& [name, command] : commands()) width = std::max(width, name.size());
  for (const auto& [name, command] : commands()) {
    text += "  " + padded(name, width + 2) + command.description + "\n";
  }
  return text;
}

std::string general_usage() {
  std::string text = "usage: orvane-cli COMMAND [OPTIONS] ARGS\n       orvane-cli --version\n";
  for (const auto& [name, command] : commands()) text += usage_line(command) + "\n";
  return text;
}

int run_command(const std::string& name, const std::vector<std::string>& args) {
  core::CliUserInterface ui(name);
  auto found = commands().find(name);
  if (found == commands().end()) {
    ui.print_error("orvane-cli: unknown command " + name);
    ui.print_error(without_last_line_end(general_usage()));
    return kExitUsage;
  }
  const Command& command = found->second;
  auto parsed = parse_args(args, command.options);
  if (!parsed) {
    ui.print_error("orvane-cli " + name + ": " + parsed.error());
    ui.print_error(usage_line(command));
    return kExitUsage;
  }
  if (parsed->help) {
    ui.print_result(without_last_line_end(command_help(command)));
    return kExitDone;
  }
  try {
    return command.run(*parsed, ui);
  } catch (const UsageError& e) {
    ui.print_error("orvane-cli " + name + ": " + e.problem);
    ui.print_error(usage_line(command));
    return kExitUsage;
  }
}

}  // namespace orvane::cli
