// orvane-cli: the program's operations on files, without windows.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "cli_commands.h"

int main(int argc, char** argv) {
  using namespace orvane::cli;
  // A file-size limit (ulimit -f) then fails the write with EFBIG, which the writers report with
  // the file's name and clean up after, instead of the process being killed half way.
  std::signal(SIGXFSZ, SIG_IGN);
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
