// orvane-cli: the program's operations on files, without windows.
#include <cstdio>
#include <string>
#include <vector>

#include "cli_commands.h"

int main(int argc, char** argv) {
  using namespace orvane::cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(general_usage().c_str(), stderr);
    return kExitUsage;
  }
  const std::string command = args.front();
  if (command == "--help" || command == "-h") {
    std::fputs(general_usage().c_str(), stdout);
    return kExitDone;
  }
  if (command == "--version") {
    std::puts("Orvane Version 1.01");
    return kExitDone;
  }
  args.erase(args.begin());
  return run_command(command, args, Streams{});
}
