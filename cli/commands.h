#pragma once
// The subcommands of zenphal-cli, their options, and what they share. Each
// command parses, calls the computation layer and prints: nothing here
// computes.
#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "agreement/agreement.h"
#include "cli/batch_command.h"
#include "computation/input.h"

namespace zenphal::cli {

// The structure operands and score options that align and decompose share.
struct InputOptions {
  std::string rna1, rna2;
  std::string format = "auto";
  ScoreTexts scores;  // the defaults as the dialogs show them
  std::string reference;  // --reference FILE.sto[#FAMILY], or empty
};

struct AlignOptions {
  InputOptions input;
  std::string at;
  bool json = false;
};

struct DecomposeOptions {
  InputOptions input;
  std::string mismatch, gap;     // "FROM,TO"; the defaults come from ScoreTexts
  std::string reportFile, jsonFile;
  std::string svgFile, pngFile;  // pictures of the decomposition
  bool labels = false;           // with the publication labels
  bool colourRegions = false;    // the pictures' regions in Okabe-Ito colours
  bool axisValues = false;       // the pictures' axis values
  bool colourByAgreement = false;  // the pictures' regions on the agreement scale
  bool quiet = false;
};

int RunExamples();
int RunAlign(const AlignOptions& options);
int RunDecompose(const DecomposeOptions& options);

// The line decompose writes on stderr about the agreement with the
// reference: whose alignment, the best agreement and its polygon, and the
// share of the rectangle within 90% of it.
std::string AgreementNote(const DecompositionAgreement& agreement);

// The checked input of a computation from the operands and score texts:
// reads the scores, loads both structures (their notes go to stderr), takes
// their reference alignment (--reference, else the one of their own
// Stockholm alignment, if they share one) and adds the files read to
// inputFiles when given. Throws FieldError, InputError or FileReadError.
ComputationInput ReadInput(const InputOptions& options, std::vector<std::string>* inputFiles = nullptr);

// "A,B" into two texts; throws FieldError(first) when it is not two texts
// separated by one comma.
std::pair<std::string, std::string> SplitPair(InputField first, const std::string& text);

// The option a field comes from: "--match", "--mismatch", "--at", ...
std::string OptionOf(InputField field);

// Writes text to stdout exactly; throws WriteError naming standard output.
void WriteStdout(const std::string& text);

class Commands {
 public:
  void Register(CLI::App& app);
  int Run();  // after a successful parse

 private:
  CLI::App* examples_ = nullptr;
  CLI::App* align_ = nullptr;
  CLI::App* decompose_ = nullptr;
  AlignOptions alignOptions_;
  DecomposeOptions decomposeOptions_;
  BatchCommand batch_;
};

}  // namespace zenphal::cli
