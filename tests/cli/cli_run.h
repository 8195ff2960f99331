#pragma once

// orvane-cli run as a process, the way scripts use it.
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/fits_builder.h"
#include "support/temp_dir.h"

namespace orvane::test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs "orvane-cli <arguments>" after the shell command `before` ("cd FOLDER", nothing when
// empty), its output kept in files of `dir`.
inline CliRun run_cli(const TempDir& dir, const std::string& arguments,
                      const std::string& before = "") {
  const std::string out = dir.file("stdout.txt");
  const std::string err = dir.file("stderr.txt");
  const std::string command = (before.empty() ? "" : before + " && ") +
                              std::string(ORVANE_CLI_PATH) + " " + arguments + " >" + out + " 2>" +
                              err;
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_bytes(out), read_bytes(err)};
}

}  // namespace orvane::test
