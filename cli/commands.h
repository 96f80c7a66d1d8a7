#pragma once
// The subcommands of zenphal-cli and their options.
#include <CLI/CLI.hpp>
#include <fstream>
#include <string>

namespace zenphal::cli {

struct AlignOptions {
  std::string rna1, rna2;
  std::string match = "1.0", indel = "0.5";
  std::string at;
  std::string format = "auto";
  bool json = false;
};

struct DecomposeOptions {
  std::string rna1, rna2;
  std::string match = "1.0", indel = "0.5";
  std::string mismatch = "0,2", gap = "0,2";
  std::string reportFile, jsonFile;
  std::string svgFile, pngFile;  // pictures of the decomposition
  bool labels = false;           // with the publication labels
  std::string format = "auto";
  bool quiet = false;
};

int RunExamples();
int RunAlign(const AlignOptions& options);
int RunDecompose(const DecomposeOptions& options);

// Writes text to stdout exactly; throws when the write fails.
void WriteStdout(const std::string& text);
// Writes text to a file exactly; throws InputError naming the file on failure.
void WriteFile(const std::string& path, const std::string& text);
// The same in two steps, for output that is costly to make: creating (or
// emptying) the file first fails early for a path that cannot be written.
std::ofstream CreateOutputFile(const std::string& path);
void FinishOutputFile(std::ofstream& out, const std::string& path, const std::string& text);

class Commands {
 public:
  void Register(CLI::App& app);
  int Run();  // after a successful parse

 private:
  CLI::App* examples_ = nullptr;
  CLI::App* align_ = nullptr;
  CLI::App* decompose_ = nullptr;
  AlignOptions align_options_;
  DecomposeOptions decompose_options_;
};

}  // namespace zenphal::cli
