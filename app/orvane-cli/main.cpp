// orvane-cli: the program's operations on files, without windows.
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli_commands.h"
#include "core/cli_user_interface.h"

namespace {

using namespace orvane::cli;

int run(std::vector<std::string> args) {
  if (args.empty()) {
    std::fputs(general_usage().c_str(), stderr);
    return kExitUsage;
  }
  const std::string command = args.front();
  if (command == "--help" || command == "-h") {
    std::fputs(general_help().c_str(), stdout);
    return kExitDone;
  }
  if (command == "--version") {
    std::puts("Orvane Version 1.01");
    return kExitDone;
  }
  args.erase(args.begin());
  return run_command(command, args);
}

// A failure nothing below expected is still a refusal: one line on stderr and exit status 1,
// never an abort that leaves a script guessing.
int failed(const std::vector<std::string>& args, const std::string& reason) {
  const std::string command = args.empty() ? "" : " " + args.front();
  const std::string line =
      "orvane-cli" + command + ": " + orvane::core::CliUserInterface::one_line(reason) + "\n";
  std::fputs(line.c_str(), stderr);
  return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) then fails the write with EFBIG, which the writers report with
  // the file's name and clean up after, instead of the process being killed half way.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    return run(args);
  } catch (const std::exception& e) {
    return failed(args, e.what());
  } catch (...) {
    return failed(args, "stopped by an unknown failure");
  }
}
