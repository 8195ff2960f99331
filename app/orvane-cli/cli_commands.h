#pragma once

#include <string>
#include <vector>

namespace orvane::cli {

enum ExitCode { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Runs one command with the arguments after the command word; returns the exit status. All it
// prints goes through one command-line user interface, which also draws its progress line.
int run_command(const std::string& command, const std::vector<std::string>& args);

// "usage: orvane-cli ..." lines of every command, shown with a wrong command.
std::string general_usage();
// Every command with a line saying what it does, for --help.
std::string general_help();

}  // namespace orvane::cli
