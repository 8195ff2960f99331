#include "cli_commands.h"

#include "cli_support.h"

namespace orvane::cli {
namespace {

constexpr const char* kReadOptionsUsage = "[--signed] [--dusky] [--read-add V | --read-mul V]";

const CommandTable& commands() {
  static const CommandTable kCommands = [] {
    CommandTable table;
    add_image_commands(table);
    add_photometry_commands(table);
    add_lightcurve_commands(table);
    add_processing_commands(table);
    return table;
  }();
  return kCommands;
}

std::string usage_line(const Command& command) {
  std::string line = "usage: orvane-cli " + command.usage;
  if (command.reads_frames) line += kReadOptionsUsage;
  return line;
}

}  // namespace

std::string general_usage() {
  std::string text = "usage: orvane-cli COMMAND [OPTIONS] ARGS\n       orvane-cli --version\n";
  for (const auto& [name, command] : commands()) text += usage_line(command) + "\n";
  return text;
}

int run_command(const std::string& name, const std::vector<std::string>& args, const Streams& io) {
  auto found = commands().find(name);
  if (found == commands().end()) {
    print(io.err, "orvane-cli: unknown command " + name);
    std::fputs(general_usage().c_str(), io.err);
    return kExitUsage;
  }
  const Command& command = found->second;
  auto parsed = parse_args(args, command.options);
  if (!parsed) {
    print(io.err, "orvane-cli " + name + ": " + parsed.error());
    print(io.err, usage_line(command));
    return kExitUsage;
  }
  if (parsed->help) {
    print(io.out, usage_line(command));
    return kExitDone;
  }
  try {
    return command.run(*parsed, io);
  } catch (const UsageError& e) {
    print(io.err, "orvane-cli " + name + ": " + e.problem);
    print(io.err, usage_line(command));
    return kExitUsage;
  }
}

}  // namespace orvane::cli
