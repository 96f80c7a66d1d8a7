#pragma once
// Running zenphal-cli from tests: its exit status, stdout and stderr, and
// scratch files that live in one directory removed when the test run ends.
// ZENPHAL_CLI is the path of the binary, set by the build.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace zenphal::testing {

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline const std::filesystem::path& ScratchDirectory() {
  static const struct Directory {
    std::filesystem::path path = std::filesystem::path(::testing::TempDir()) /
                                 ("zenphal_cli_tests_" + std::to_string(::getpid()));
    Directory() { std::filesystem::create_directories(path); }
    ~Directory() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  } directory;
  return directory.path;
}

inline std::string TempPath(const std::string& name) { return (ScratchDirectory() / name).string(); }

inline std::string Write(const std::string& name, const std::string& content) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

// Runs a shell command whose stderr goes to errPath; its exit status,
// stdout and that stderr.
inline CliResult RunCommand(const std::string& command, const std::string& errPath) {
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out, ReadFile(errPath)};
}

// Runs "zenphal-cli ARGS" through the shell; environment is put in front of
// the command (for example "env -u DISPLAY ").
inline CliResult RunCli(const std::string& args, const std::string& environment = "") {
  const std::string errPath = TempPath("stderr");
  return RunCommand(environment + std::string(ZENPHAL_CLI) + " " + args + " 2>" + errPath, errPath);
}

}  // namespace zenphal::testing
